// Makes an application folder for the whole-process timings (bench/run.sh): a generated
// database of the given number of accounts, the options, the settings store and the stand-in
// game. Prints the code of the file's last account.
//
//   make_bench_folder <folder> <accounts>

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "BenchFolder.h"
#include "GeneratedDatabase.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int accounts = arguments.size() == 3 ? arguments[2].toInt() : 0;
    if (accounts <= 0) {
        std::fprintf(stderr, "usage: make_bench_folder <folder> <accounts>\n");
        return 2;
    }
    const GeneratedDatabase database(accounts);
    if (!QDir().mkpath(arguments[1]) || !BenchFolder::prepare(arguments[1], database)) {
        std::fprintf(stderr, "cannot write the folder %s\n", qPrintable(arguments[1]));
        return 1;
    }
    std::printf("%s\n", GeneratedDatabase::code(accounts - 1).constData());
    return 0;
}
