// Timings of the main window over 10,000, 100,000 and 1,000,000 accounts, each step against the
// same step in a plain Qt window with the same list (counters floor_ms and x_floor): start to the
// list painted, refresh (F2), a click on a row, Page Down, a sort by name, a deletion, the close.
// Every step waits for the list's real paint in an exposed window.
//
//   ./build/bench/vantor_ui_bench [--benchmark_filter=REGEX]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <memory>

#include "BenchFolder.h"
#include "ScriptedDialogs.h"
#include "GeneratedDatabase.h"
#include "PairedTiming.h"
#include "PlainWindow.h"
#include "RealWindow.h"

namespace {

// An application folder with a generated database, and a copy of the database for the floor.
struct Folder {
    explicit Folder(int accounts) : generated(accounts) {
        if (!BenchFolder::prepare(dir.path(), generated) || !generated.write(plainPath()))
            qFatal("cannot write the benchmark folder");
    }
    QString plainPath() const { return dir.path() + QStringLiteral("/plain.dat"); }
    // The generated files back, and no backups, as before a deletion.
    void restore() const {
        QDir(dir.path() + QStringLiteral("/Backups")).removeRecursively();
        if (!generated.write(BenchFolder::databasePath(dir.path())) || !generated.write(plainPath()))
            qFatal("cannot write the benchmark database");
    }

    GeneratedDatabase generated;
    QTemporaryDir dir;
};

Folder& folder(int accounts) {
    static std::map<int, std::unique_ptr<Folder>> cache;
    auto& slot = cache[accounts];
    if (!slot)
        slot = std::make_unique<Folder>(accounts);
    return *slot;
}

// Both windows, shown, over one folder.
struct Windows {
    explicit Windows(Folder& f) : real(f.dir.path(), dialogs), plain(f.plainPath()) {}
    bool start() { return real.start() && plain.start(); }
    void close() {
        real.close();
        plain.close();
    }

    DefaultDialogs dialogs;
    RealWindow real;
    PlainWindow plain;
};

// The open windows of one size at a time (those of the larger sizes hold much memory), closed
// before the application ends.
int openSize = 0;
std::unique_ptr<Windows> open;

void closeWindows() {
    open.reset();
    openSize = 0;
}

Windows* openWindows(int accounts, benchmark::State& state) {
    if (openSize != accounts) {
        closeWindows();
        openSize = accounts;
        open = std::make_unique<Windows>(folder(accounts));
        if (!open->start())
            open.reset();
    }
    if (!open)
        state.SkipWithError("the windows did not come up");
    return open.get();
}

using Step = bool (BenchWindow::*)();

// Times one step in the real window against the same step in the plain one; `prepare` runs
// before each, untimed.
void pairedSteps(benchmark::State& state, Step step, const std::function<void(Windows&)>& prepare = {}) {
    Windows* windows = openWindows(int(state.range(0)), state);
    if (!windows)
        return;
    bool done = true;
    PairedTiming timing(state);
    for (auto _ : state) {
        if (prepare)
            prepare(*windows);
        timing.work([&] { done &= (windows->real.*step)(); });
        timing.floor([&] { done &= (windows->plain.*step)(); });
    }
    if (!done)
        state.SkipWithError("a step did not show its result");
}

// Back to the first row when fewer than three pages are left below the one shown.
void nearTop(Windows& windows) {
    for (BenchWindow* window : {static_cast<BenchWindow*>(&windows.real), static_cast<BenchWindow*>(&windows.plain)}) {
        QTreeView* list = window->list();
        const int top = window->topRow();
        const int bottom = list->indexAt(QPoint(1, list->viewport()->height() - 2)).row();
        if (bottom < 0 || bottom + 3 * (bottom - top) >= list->model()->rowCount()) {
            list->setCurrentIndex(list->model()->index(0, 0));
            list->scrollToTop();
        }
    }
}

void BM_WindowStart(benchmark::State& state) {
    closeWindows();
    Folder& f = folder(int(state.range(0)));
    bool started = true;
    PairedTiming timing(state);
    for (auto _ : state) {
        DefaultDialogs dialogs;
        std::unique_ptr<RealWindow> real;
        std::unique_ptr<PlainWindow> plain;
        timing.work([&] {
            real = std::make_unique<RealWindow>(f.dir.path(), dialogs);
            started &= real->start();
        });
        timing.floor([&] {
            plain = std::make_unique<PlainWindow>(f.plainPath());
            started &= plain->start();
        });
        started &= real->accounts() == f.generated.accounts && dialogs.messages == 0;
    }
    if (!started)
        state.SkipWithError("the window did not show the whole list");
}

void BM_WindowClose(benchmark::State& state) {
    closeWindows();
    Folder& f = folder(int(state.range(0)));
    bool started = true;
    PairedTiming timing(state);
    for (auto _ : state) {
        Windows windows(f);
        started &= windows.start();
        timing.work([&] { windows.real.close(); });
        timing.floor([&] { windows.plain.close(); });
    }
    if (!started)
        state.SkipWithError("the window did not come up");
}

void BM_WindowRefresh(benchmark::State& state) { pairedSteps(state, &BenchWindow::refresh); }

void BM_WindowClickRow(benchmark::State& state) { pairedSteps(state, &BenchWindow::clickRow, nearTop); }

// Also checks once that a page shows other pixels than the one before it.
void BM_WindowPageDown(benchmark::State& state) {
    pairedSteps(state, &BenchWindow::pageDown, nearTop);
    Windows* windows = openWindows(int(state.range(0)), state);
    if (!windows)
        return;
    nearTop(*windows);
    QWidget* viewport = windows->real.list()->viewport();
    const QImage before = viewport->grab().toImage();
    if (!windows->real.pageDown() || viewport->grab().toImage() == before)
        state.SkipWithError("Page Down painted the same pixels");
}

void BM_WindowSortByName(benchmark::State& state) { pairedSteps(state, &BenchWindow::sortByName); }

void BM_WindowDelete(benchmark::State& state) {
    Folder& f = folder(int(state.range(0)));
    pairedSteps(state, &BenchWindow::deleteSelected, [&f](Windows& windows) {
        f.restore();
        windows.real.refresh();
        windows.plain.refresh();
        windows.real.clickRow();
        windows.plain.clickRow();
    });
    f.restore();
}

struct Case {
    const char* name;
    void (*run)(benchmark::State&);
    int iterations;
};

// Size by size, so that only one size's windows are open at a time.
const Case kCases[] = {
    {"BM_WindowStart", BM_WindowStart, 2},        {"BM_WindowClose", BM_WindowClose, 2},
    {"BM_WindowRefresh", BM_WindowRefresh, 2},    {"BM_WindowClickRow", BM_WindowClickRow, 20},
    {"BM_WindowPageDown", BM_WindowPageDown, 20}, {"BM_WindowSortByName", BM_WindowSortByName, 2},
    {"BM_WindowDelete", BM_WindowDelete, 2},
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const int accounts : {10'000, 100'000, 1'000'000})
        for (const Case& c : kCases)
            benchmark::RegisterBenchmark(c.name, c.run)
                ->Arg(accounts)
                ->Unit(benchmark::kMillisecond)
                ->UseManualTime()
                ->Iterations(accounts < 1'000'000 ? c.iterations : (c.iterations + 1) / 2);  // the largest take seconds
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    closeWindows();
    return 0;
}
