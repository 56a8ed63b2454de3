// The lookups the dialogs make while the person types: by code, by name, a comment by code.
//
//   ./build/bench/vantor_bench --benchmark_filter='Buscar|Dupl|comentario'

#include <benchmark/benchmark.h>

#include <vector>

#include "AccountList.h"
#include "ClsBD.h"
#include "Clsvalidacion.h"
#include "LoadedDatabase.h"

namespace {

// Keys for the lookups: a thousand accounts spread over the whole list, the last key replaced by
// one that matches nothing. Codes come as stored, in other letter case, and in other letter case
// with blanks around them (which only the signature lookup trims); names in other letter case.
struct Keys {
    std::vector<QString> codes, lowerCodes, typedCodes, names;

    explicit Keys(LoadedDatabase& db) {
        const int accounts = db.generated.accounts;
        for (int i = 0; i < accounts; i += accounts / 1000) {
            codes.push_back(QString::fromLatin1(GeneratedDatabase::code(i)));
            lowerCodes.push_back(codes.back().toLower());
            typedCodes.push_back(QStringLiteral(" ") + lowerCodes.back() + QStringLiteral(" "));
            names.push_back(db.list().row(accounts - i).name.toLower());  // the list is in reverse file order
        }
        for (auto* keys : {&codes, &lowerCodes, &typedCodes, &names})
            keys->back() = QStringLiteral("no such account");
    }
};

bool found(bool hit) { return hit; }
bool found(const QString& text) { return !text.isEmpty(); }

template <typename Lookup>
void runLookups(benchmark::State& state, const std::vector<QString> Keys::*which, Lookup lookup) {
    LoadedDatabase& db = LoadedDatabase::of(int(state.range(0)));
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
}

void BM_BuscarfirmaenLV(benchmark::State& state) {
    runLookups(state, &Keys::typedCodes,
               [](LoadedDatabase& db, const QString& key) { return db.sv.bd.BuscarfirmaenLV(key); });
}

void BM_CuentaDupl(benchmark::State& state) {
    runLookups(state, &Keys::lowerCodes,
               [](LoadedDatabase& db, const QString& key) { return db.sv.validacion.CuentaDupl(key); });
}

void BM_NomDuplic(benchmark::State& state) {
    runLookups(state, &Keys::names,
               [](LoadedDatabase& db, const QString& key) { return db.sv.validacion.NomDuplic(key); });
}

void BM_traercomentario(benchmark::State& state) {
    runLookups(state, &Keys::codes,
               [](LoadedDatabase& db, const QString& key) { return db.sv.bd.traercomentario(key); });
}

void lookupSizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kNanosecond)->MinTime(0.05);
}

}  // namespace

BENCHMARK(BM_BuscarfirmaenLV)->Apply(lookupSizes);
BENCHMARK(BM_CuentaDupl)->Apply(lookupSizes);
BENCHMARK(BM_NomDuplic)->Apply(lookupSizes);
BENCHMARK(BM_traercomentario)->Apply(lookupSizes);
