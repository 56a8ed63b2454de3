// Timings of moving accounts in and out: merging an account data file into the database, and
// exporting every account as a folder of registry scripts.
//
//   ./build/bench/vantor_bench --benchmark_filter='Import|Export'
//
// The folders are made under TMPDIR. The folder export creates one file per account, so its
// figure depends on the file system: on a busy ext4 disk most of the time is spent by the
// kernel allocating inodes.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>

#include "AccountList.h"
#include "ClsBD.h"
#include "ScriptedDialogs.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "forms/WindowModels.h"
#include "RegistryFile.h"
#include "forms/Frm_Main.h"

namespace {

// n records from `first` on: codes unique to the range, names "Pilot" + number, a two-line comment.
QByteArray records(int first, int n) {
    QByteArray text;
    text.reserve(qsizetype(n) * 90);
    for (int i = first; i < first + n; ++i) {
        const QByteArray number = QByteArray::number(i);
        text += "Pilot" + number + "\r\nCODE" + number + "XQ\r\nSIG" + number + "\r\n<COMENTARIO>\r\n";
        text += "bought " + number + "\r\nhangar 4\r\n</COMENTARIO>\r\n";
    }
    return text;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A database of n accounts, loaded, in its own application folder.
struct Folder {
    explicit Folder(int n) : registry(dir.path() + QLatin1Char('/') + RegistryFile::FileName), mv(dir.path()) {
        QDir(dir.path()).mkpath(QStringLiteral("Logs"));
        mv.RutaBD = dir.path() + QStringLiteral("/Accounts.dat");
        database = "DB Version: 101\r\n" + records(0, n);
        writeFile(mv.RutaBD, database);
        sv.bd.cargarbdallv();
    }

    QTemporaryDir dir;
    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    Services sv{mv, dialogs, registry};
    WindowModels windows{mv, sv};
    QByteArray database;
};

// A database of n accounts and a source of n accounts whose codes are all new; the first half
// of the source's names are already stored and get marked.
void BM_Import(benchmark::State& state) {
    const int n = int(state.range(0));
    Folder f(n);
    const QString source = f.dir.path() + QStringLiteral("/source.ADF");
    const QByteArray header = "DB Version: 101\r\n";
    const QByteArray sourceBytes = header + records(0, n / 2).replace("CODE", "NEWC") + records(n, n - n / 2);
    writeFile(source, sourceBytes);
    f.dialogs.chosen = source;

    for (auto _ : state) {
        state.PauseTiming();
        writeFile(f.mv.RutaBD, f.database);
        state.ResumeTiming();
        f.sv.bd.importar();
    }
    // The stored accounts, then the source's without its header, half of them with a marked name.
    const qint64 mergedSize = f.database.size() + sourceBytes.size() - header.size() +
                              (n / 2) * qint64(sizeof("(Duplicated name)") - 1);
    QFile merged(f.mv.RutaBD);
    if (f.dialogs.lastMessage != QLatin1String("Accounts imported successfuly") ||
        f.dialogs.messages != state.iterations() || !merged.open(QIODevice::ReadOnly) || merged.size() != mergedSize)
        state.SkipWithError("the import did not merge every account");
}

// Every account exported as a script of its own, into a new folder (`again` false) or over the
// scripts of the previous run, after the overwrite question (`again` true).
void exportFolder(benchmark::State& state, bool again) {
    const int n = int(state.range(0));
    Folder f(n);
    f.windows.main.Form_Load();
    int run = 0;
    const auto folder = [&] { return f.dir.path() + QStringLiteral("/Backup") + QString::number(run); };
    if (again) {
        f.dialogs.chosen = folder() + QStringLiteral(".reg");
        f.windows.main.Export_Click();
    }
    f.dialogs.messages = 0;
    for (auto _ : state) {
        if (!again)
            ++run;
        f.dialogs.chosen = folder() + QStringLiteral(".reg");
        f.windows.main.Export_Click();
    }
    // Per run: the scope and folder questions, the overwrite question when again, the success.
    const qint64 expected = state.iterations() * (again ? 4 : 3);
    if (f.dialogs.lastMessage != QLatin1String("Export Successful") || f.dialogs.messages != expected ||
        QDir(folder()).entryList(QDir::Files).size() != n)
        state.SkipWithError("the export did not write one script per account");
}

void BM_ExportFolder(benchmark::State& state) { exportFolder(state, false); }
void BM_ExportFolderAgain(benchmark::State& state) { exportFolder(state, true); }

}  // namespace

BENCHMARK(BM_Import)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ExportFolder)->Arg(2'500)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportFolderAgain)->Arg(2'500)->Unit(benchmark::kMillisecond)->Iterations(1);
