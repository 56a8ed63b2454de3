// Timings of the account database: loading and saving Accounts.dat, the lookups the dialogs
// make while the person types, and sorting the list.
//
//   ./build/bench/vantor_bench --benchmark_min_time=0.2

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QString>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <random>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "AccountList.h"
#include "ClsBD.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "DefaultDialogs.h"
#include "Mod_Variables.h"
#include "RegistryFile.h"
#include "forms/Frm_Main.h"

namespace {


QString codeOf(int i) { return QStringLiteral("CD%1").arg(i, 7, 10, QLatin1Char('0')); }

// A database of n accounts in its own temporary folder, generated once and then loaded.
// Names are random mixed-case words (so that sorting has work to do), codes are unique, and
// every account has a three-line comment with a few Windows-1252 letters.
struct Database {
    explicit Database(int n)
        : registry(dir.path() + QLatin1Char('/') + RegistryFile::FileName),
          mv(dir.path(), dialogs, registry),
          accounts(n) {
        QDir(dir.path()).mkpath(QStringLiteral("Logs"));
        mv.RutaBD = dir.path() + QStringLiteral("/Accounts.dat");

        std::mt19937 random(20240611u + unsigned(n));
        std::uniform_int_distribution<int> letter(0, 51), length(6, 14);
        QByteArray text = "DB Version: 101\r\n";
        text.reserve(qsizetype(n) * 170);
        std::vector<qsizetype> starts;
        starts.reserve(std::size_t(n) + 1);
        for (int i = 0; i < n; ++i) {
            starts.push_back(text.size());
            const int size = length(random);
            for (int k = 0; k < size; ++k) {
                const int c = letter(random);
                text += char(c < 26 ? 'a' + c : 'A' + c - 26);
            }
            text += "\r\n" + codeOf(i).toLatin1() + "\r\n";
            text += QByteArray::number(quint64(random()) * 2654435761u, 16) + "\r\n";
            text += "<COMENTARIO>\r\n";
            text += "Main character, level " + QByteArray::number(i % 80) + "\r\n";
            text += "Bought the \xE9lite ship for 1.250.000 \x80\r\n";
            text += "Last seen near the trade lane " + QByteArray::number(i % 97) + "\r\n";
            text += "</COMENTARIO>\r\n";
        }
        starts.push_back(text.size());
        QFile file(mv.RutaBD);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write the benchmark database");
        fileSize = text.size();

        // The list shows the records in reverse file order, and a save writes them in list order.
        QCryptographicHash digest(QCryptographicHash::Sha1);
        digest.addData(QByteArrayView(text).first(starts.front()));
        for (std::size_t r = std::size_t(n); r > 0; --r)
            digest.addData(QByteArrayView(text).sliced(starts[r - 1], starts[r] - starts[r - 1]));
        savedDigest = digest.result();
    }

    // Whether the file on disk is what saving the loaded database must write.
    bool fileSaved() const {
        QFile file(mv.RutaBD);
        QCryptographicHash digest(QCryptographicHash::Sha1);
        return file.open(QIODevice::ReadOnly) && digest.addData(&file) && digest.result() == savedDigest;
    }

    AccountList& list() { return mv.main().LvAccounts; }

    // Empties the list and the comment table and hands the freed memory back, so that a load
    // starts from nothing, as it does when the program starts.
    void unload() {
        list().clear();
        mv.Comentarios.assign({});
#ifdef __GLIBC__
        malloc_trim(0);
#endif
    }

    // Loads the file unless the list already holds it; false when the load reported an error.
    bool ensureLoaded() {
        if (list().count() != accounts) {
            unload();
            mv.bd().cargarbdallv();
        }
        return dialogs.messages == 0 && list().count() == accounts;
    }

    QTemporaryDir dir;
    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    int accounts;
    qint64 fileSize = 0;
    QByteArray savedDigest;
};

// One database per size for the whole run: generating the larger files costs more than
// timing them.
Database& database(int n) {
    static std::map<int, std::unique_ptr<Database>> cache;
    auto& slot = cache[n];
    if (!slot)
        slot = std::make_unique<Database>(n);
    return *slot;
}

// The memory the process holds, in bytes.
qint64 residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

void BM_Load(benchmark::State& state) {
    Database& db = database(int(state.range(0)));
    qint64 held = 0;
    for (auto _ : state) {
        state.PauseTiming();
        db.unload();
        const qint64 before = residentBytes();
        state.ResumeTiming();
        db.mv.bd().cargarbdallv();
        state.PauseTiming();
        held = residentBytes() - before;
        state.ResumeTiming();
    }
    if (!db.ensureLoaded() || db.mv.Comentarios.rowCount() != db.accounts)
        state.SkipWithError("the database did not load completely");
    // What the loaded database costs in memory, per byte of its file.
    state.counters["memory_per_file_byte"] = double(held) / double(db.fileSize);
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * db.fileSize);
}

void BM_Save(benchmark::State& state) {
    Database& db = database(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    for (auto _ : state)
        db.mv.bd().guardarcambios();
    if (db.dialogs.messages != 0 || !db.fileSaved())
        state.SkipWithError("the saved file is not the loaded database");
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * db.fileSize);
}

// What every save adds to the writing itself: the lock file taken and given back, the file read
// whole and its fingerprint (size, time, content hash) compared with the one the load took. To be
// set against BM_Save of the same size.
void BM_SaveChecks(benchmark::State& state) {
    Database& db = database(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    db.mv.bd().guardarcambios();  // the file as a save leaves it, its fingerprint the loaded one
    bool current = true;
    for (auto _ : state) {
        QLockFile lock(db.mv.RutaBD + DatabaseFile::LockSuffix);
        current &= lock.tryLock(0);
        const std::optional<DatabaseFile::Snapshot> snapshot = DatabaseFile::read(db.mv.RutaBD);
        current &= snapshot && db.mv.database().isLoaded();
        benchmark::DoNotOptimize(snapshot);
    }
    if (!current || db.dialogs.messages != 0)
        state.SkipWithError("the checks failed");
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * db.fileSize);
}

// Keys for the lookups: a thousand accounts spread over the whole list, the last key replaced by
// one that matches nothing. Codes come as stored, in other letter case, and in other letter case
// with blanks around them (which only the signature lookup trims); names in other letter case.
struct Keys {
    std::vector<QString> codes, lowerCodes, typedCodes, names;

    explicit Keys(Database& db) {
        const int step = db.accounts / 1000;
        for (int i = 0; i < db.accounts; i += step) {
            codes.push_back(codeOf(i));
            lowerCodes.push_back(codeOf(i).toLower());
            typedCodes.push_back(QStringLiteral(" ") + lowerCodes.back() + QStringLiteral(" "));
            names.push_back(db.list().row(db.accounts - i).name.toLower());
        }
        for (auto* keys : {&codes, &lowerCodes, &typedCodes, &names})
            keys->back() = QStringLiteral("no such account");
    }
};

bool found(bool hit) { return hit; }
bool found(const QString& text) { return !text.isEmpty(); }

template <typename Lookup>
void runLookups(benchmark::State& state, const std::vector<QString> Keys::*which, Lookup lookup) {
    Database& db = database(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    const Keys keys(db);
    const std::vector<QString>& k = keys.*which;
    // The first pass builds the indexes and checks that every key but the last one is found.
    std::size_t hits = 0;
    for (const QString& key : k)
        hits += found(lookup(db, key)) ? 1 : 0;
    if (hits != k.size() - 1) {
        state.SkipWithError("a lookup gave a wrong answer");
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookup(db, k[i]));
        if (++i == k.size())
            i = 0;
    }
    state.SetComplexityN(state.range(0));
}

void BM_BuscarfirmaenLV(benchmark::State& state) {
    runLookups(state, &Keys::typedCodes, [](Database& db, const QString& key) { return db.mv.bd().BuscarfirmaenLV(key); });
}

void BM_CuentaDupl(benchmark::State& state) {
    runLookups(state, &Keys::lowerCodes, [](Database& db, const QString& key) { return db.mv.validacion().CuentaDupl(key); });
}

void BM_NomDuplic(benchmark::State& state) {
    runLookups(state, &Keys::names, [](Database& db, const QString& key) { return db.mv.validacion().NomDuplic(key); });
}

void BM_traercomentario(benchmark::State& state) {
    runLookups(state, &Keys::codes, [](Database& db, const QString& key) { return db.mv.bd().traercomentario(key); });
}

// Sorting the list by name from its loaded (unsorted) order.
// Deleting one account: the backup copy, the rewrite and the reload, as the window does it.
void BM_Delete(benchmark::State& state) {
    Database& db = database(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    db.mv.Opciones[1] = 1;  // no question
    for (auto _ : state) {
        db.list().select(db.list().count() / 2);
        db.mv.main().Delete_Click();
    }
    if (db.dialogs.messages != 0 || db.list().count() != db.accounts - int(state.iterations()))
        state.SkipWithError("the deletions did not all succeed");
    db.unload();  // the file no longer holds the generated database
    state.SetComplexityN(state.range(0));
}

void BM_SortByName(benchmark::State& state) {
    Database& db = database(int(state.range(0)));
    if (!db.ensureLoaded()) {
        state.SkipWithError("the database did not load");
        return;
    }
    AccountList& list = db.list();
    std::vector<AccountRow> loaded;
    for (int p = 1; p <= list.count(); ++p)
        loaded.push_back(list.row(p));
    for (auto _ : state) {
        state.PauseTiming();
        list.setSorted(false);
        list.assign(loaded);
        state.ResumeTiming();
        list.sortBy(0, AccountList::Order::Ascending);
    }
    for (int p = 2; p <= list.count(); ++p)
        if (QString::compare(list.row(p - 1).name, list.row(p).name, Qt::CaseInsensitive) > 0) {
            state.SkipWithError("the list is not in name order");
            break;
        }
    // Leave the list as loaded for whatever runs next.
    list.setSorted(false);
    list.assign(std::move(loaded));
    state.SetComplexityN(state.range(0));
}

void fileSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

void lookupSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kNanosecond)->Complexity(benchmark::o1);
}

}  // namespace

BENCHMARK(BM_Load)->Apply(fileSizes);
BENCHMARK(BM_Save)->Apply(fileSizes);
BENCHMARK(BM_SaveChecks)->Apply(fileSizes);
BENCHMARK(BM_BuscarfirmaenLV)->Apply(lookupSizes);
BENCHMARK(BM_CuentaDupl)->Apply(lookupSizes);
BENCHMARK(BM_NomDuplic)->Apply(lookupSizes);
BENCHMARK(BM_traercomentario)->Apply(lookupSizes);
BENCHMARK(BM_SortByName)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Delete)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(5)->Complexity(benchmark::oN);

BENCHMARK_MAIN();
