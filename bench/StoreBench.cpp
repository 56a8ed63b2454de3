// Loading and saving Accounts.dat, and the memory a loaded database holds.
//
//   ./build/bench/vantor_bench --benchmark_filter='Load|Save'

#include <benchmark/benchmark.h>

#include <QLockFile>

#include <cstdio>
#include <optional>

#include "AccountList.h"
#include "ClsBD.h"
#include "DatabaseFile.h"
#include "Floors.h"
#include "LoadedDatabase.h"
#include "PairedTiming.h"

namespace {

// The load as start-up does it, against reading the file whole with stdio. Counters: the
// memory the loaded database holds per account and as a multiple of the file's size (the floor
// being the file's own bytes).
void BM_Load(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    const QByteArray path = db.path().toLocal8Bit();
    qint64 held = 0;
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            db.unload();
            const qint64 before = Floors::residentBytes();
            timing.work([&] { db.sv.bd.cargarbdallv(); });
            held = Floors::residentBytes() - before;
            timing.floor([&] { benchmark::DoNotOptimize(Floors::readFile(path.constData())); });
        }
    }
    if (!db.ensureLoaded() || db.mv.Accounts.count() != db.generated.accounts)
        state.SkipWithError("the database did not load completely");
    state.counters["held_B_per_account"] = double(held) / db.generated.accounts;
    state.counters["file_B_per_account"] = double(db.generated.bytes.size()) / db.generated.accounts;
    state.counters["held_x_file"] = double(held) / double(db.generated.bytes.size());
}

// Saving the loaded database back, against writing its bytes once with stdio.
void BM_Save(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    const QByteArray copy = (db.path() + QStringLiteral(".floor")).toLocal8Bit();
    {
        PairedTiming timing(state);
        for (auto _ : state) {
            timing.work([&] { db.sv.bd.guardarcambios(); });
            timing.floor([&] {
                Floors::writeBytes(copy.constData(), db.generated.bytes.constData(),
                                   std::size_t(db.generated.bytes.size()));
            });
        }
    }
    std::remove(copy.constData());
    if (db.dialogs.messages != 0 || !db.fileSaved())
        state.SkipWithError("the saved file is not the loaded database");
    db.restore();  // the records back in the generated order for what runs next
    state.SetBytesProcessed(state.iterations() * db.generated.bytes.size());
}

// What every save adds to the writing itself: the lock file taken and given back, the file read
// whole and its fingerprint (size, time, content hash) compared with the one the load took. To be
// set against BM_Save of the same size.
void BM_SaveChecks(benchmark::State& state) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    db.sv.bd.guardarcambios();  // the file as a save leaves it, its fingerprint the loaded one
    bool current = true;
    for (auto _ : state) {
        QLockFile lock(db.path() + DatabaseFile::LockSuffix);
        current &= lock.tryLock(0);
        const std::optional<DatabaseFile::Snapshot> snapshot = DatabaseFile::read(db.path());
        current &= snapshot && db.sv.database.isLoaded();
        benchmark::DoNotOptimize(snapshot);
    }
    if (!current || db.dialogs.messages != 0)
        state.SkipWithError("the checks failed");
    db.restore();
    state.SetBytesProcessed(state.iterations() * db.generated.bytes.size());
}

}  // namespace

BENCHMARK(BM_Load)->Apply(pairedSizes);
BENCHMARK(BM_Save)->Apply(pairedSizes);
BENCHMARK(BM_SaveChecks)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(3);
