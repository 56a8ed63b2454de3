// The work the program does on the whole database: the command line's activation, a sort by
// name, a deletion, and the close. Each against its floor in plain C and C++.
//
//   ./build/bench/vantor_bench --benchmark_filter='CommandLine|Sort|Delete|Close'

#include <benchmark/benchmark.h>

#include <QDir>

#include <memory>
#include <string>
#include <vector>

#include "AccountList.h"
#include "BenchFolder.h"
#include "Floors.h"
#include "LoadedDatabase.h"
#include "PairedTiming.h"
#include "PlainTableModel.h"
#include "RunError.h"
#include "forms/Frm_Main.h"
#include "forms/WindowModels.h"

namespace {

// The state of a program started in the benchmark's folder, as main() builds it.
struct Program {
    explicit Program(LoadedDatabase& db, const QString& command = {})
        : registry(BenchFolder::storePath(db.dir.path())), mv(db.dir.path()) {
        mv.Command = command;
    }
    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    Services sv{mv, dialogs, registry};
    WindowModels windows{mv, sv};
};

// `VTR /a=<last code> /y` in the program's own process: start-up, finding the account and
// writing it as the active one, and the end; against finding the code's line with stdio.
void BM_CommandLine(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    db.unload();
    const QByteArray last = GeneratedDatabase::code(db.generated.accounts - 1);
    const QByteArray path = db.path().toLocal8Bit();
    bool ended = true;
    int messages = 0;
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            timing.work([&] {
                Program program(db, QStringLiteral("/a=") + QString::fromLatin1(last) + QStringLiteral(" /y"));
                try {
                    program.windows.main.Form_Load();
                    ended = false;
                } catch (const EndProgram&) {
                }
                messages += program.dialogs.messages;
            });
            timing.floor([&] { benchmark::DoNotOptimize(Floors::findLine(path.constData(), last.constData())); });
        }
    }
    if (!ended || messages != 0 ||
        RegistryFile(BenchFolder::storePath(db.dir.path()))
                .ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, QStringLiteral("MPAccountName")) !=
            QString::fromLatin1(last))
        state.SkipWithError("the command line did not activate the last account");
}

// Sorting the list by name from its loaded (unsorted) order, against std::sort of the same names
// by their bytes.
void BM_SortByName(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    AccountList& list = db.list();
    std::vector<AccountRow> loaded;
    std::vector<QStringView> names;
    for (int p = 1; p <= list.count(); ++p)
        loaded.push_back(list.row(p));
    for (const AccountRow& row : loaded)
        names.push_back(row.name);
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            list.setSorted(false);
            list.assign(loaded);
            timing.work([&] { list.sortBy(0, AccountList::Order::Ascending); });
            timing.floor([&] { benchmark::DoNotOptimize(PlainTableModel::caselessOrder(names)); });
        }
    }
    for (int p = 2; p <= list.count(); ++p)
        if (QString::compare(list.row(p - 1).name, list.row(p).name, Qt::CaseInsensitive) > 0) {
            state.SkipWithError("the list is not in name order");
            break;
        }
    // Leave the list as loaded for whatever runs next.
    list.setSorted(false);
    list.assign(std::move(loaded));
}

// Deleting the account in the middle of the list as the window does it: the backup copy, the
// rewrite and the reload. Every iteration starts from the generated file and no backups.
// The floor writes the file's bytes twice (copy, rewrite without the record) and reads it back whole.
void BM_Delete(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    const int accounts = db.generated.accounts;
    const std::vector<qsizetype>& starts = db.generated.recordStarts;
    const std::size_t middle = std::size_t(accounts / 2);
    const QByteArray rewritten =
        QByteArray(db.generated.bytes).remove(starts[middle], starts[middle + 1] - starts[middle]);
    const QByteArray backupCopy = (db.path() + QStringLiteral(".floor-backup")).toLocal8Bit();
    const QByteArray floorFile = (db.path() + QStringLiteral(".floor")).toLocal8Bit();
    bool deleted = true;
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            db.restore();
            QDir(db.dir.path() + QStringLiteral("/Backups")).removeRecursively();
            if (!db.ensureLoaded())
                break;
            db.list().select(db.list().count() / 2);
            timing.work([&] { db.windows.main.Delete_Click(); });
            deleted &= db.dialogs.messages == 0 && db.list().count() == accounts - 1;
            timing.floor([&] {
                Floors::writeBytes(backupCopy.constData(), db.generated.bytes.constData(),
                                   std::size_t(db.generated.bytes.size()));
                Floors::writeBytes(floorFile.constData(), rewritten.constData(), std::size_t(rewritten.size()));
                benchmark::DoNotOptimize(Floors::readFile(floorFile.constData()));
            });
        }
    }
    std::remove(backupCopy.constData());
    std::remove(floorFile.constData());
    if (!deleted || state.iterations() == 0)
        state.SkipWithError("a deletion did not succeed");
    db.restore();
}

// Closing: the window model's unload and freeing everything the program holds, against freeing
// the file's bytes read whole (one block, as the program's own texts are a few blocks).
void BM_Close(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    db.unload();
    const QByteArray path = db.path().toLocal8Bit();
    bool loaded = true;
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            auto program = std::make_unique<Program>(db);
            program->windows.main.Form_Load();
            loaded &= program->dialogs.messages == 0 &&
                      program->windows.main.LvAccounts.count() == db.generated.accounts;
            // The program leaves its accounts to the system at exit: closing is Form_Unload alone.
            timing.work([&] { program->windows.main.Form_Unload(); });
            program.reset();
            auto bytes = std::make_unique<Floors::Bytes>(Floors::readFile(path.constData()));
            timing.floor([&] { bytes.reset(); });
        }
    }
    if (!loaded)
        state.SkipWithError("the program did not start on the whole database");
}

}  // namespace

BENCHMARK(BM_CommandLine)->Apply(pairedSizes);
BENCHMARK(BM_SortByName)->Apply(pairedSizes);
BENCHMARK(BM_Delete)->Apply(pairedSizes);
BENCHMARK(BM_Close)->Apply(pairedSizes);
