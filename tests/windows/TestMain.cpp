#include <gtest/gtest.h>
#include <QApplication>

// The window tests need an application object; everything runs on its thread.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
