// The floor of any Qt program's start and end: a widgets application made, its events handled
// once, and ended.

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::processEvents();
    return 0;
}
