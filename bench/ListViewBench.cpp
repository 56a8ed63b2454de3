// Timings of the main window's account list with many accounts: showing the list after a
// reload, and scrolling through it.
//
//   ./build/bench/vantor_ui_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>

#include "DefaultDialogs.h"
#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "RegistryFile.h"
#include "forms/Frm_Main.h"

namespace {


// The real window over a database of n accounts, the first of them the game's active one.
struct Window {
    explicit Window(int n) : registry(dir.path() + "/GameSettings.reg"), mv(dir.path(), dialogs, registry) {
        QByteArray text = "DB Version: 101\r\n";
        for (int i = 0; i < n; ++i)
            text += "Account " + QByteArray::number(i) + "\r\nCD" + QByteArray::number(i) + "\r\nsig" +
                    QByteArray::number(i) + "\r\n<COMENTARIO>\r\nnote\r\n</COMENTARIO>\r\n";
        QFile file(dir.path() + "/Accounts.dat");
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write the benchmark database");
        file.close();
        registry.WriteValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName", "CD0");
        view = std::make_unique<FrmMainView>(mv);
        mv.main().Form_Load();
        view->render();
        view->show();
        list = view->findChild<QTreeView*>("LvAccounts");
    }

    QTemporaryDir dir;
    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    std::unique_ptr<FrmMainView> view;
    QTreeView* list = nullptr;
};

// A refresh as the person sees it: start-up runs again and the window shows the reloaded list.
void BM_RefreshWindow(benchmark::State& state) {
    Window window(int(state.range(0)));
    for (auto _ : state) {
        window.view->forward([&] { window.mv.main().Scan_Click(); });
        QApplication::processEvents();
    }
    if (window.list->model()->rowCount() != state.range(0))
        state.SkipWithError("the list does not show every account");
    state.SetComplexityN(state.range(0));
}

// Paging from the top of the list to its end and painting every page.
void BM_ScrollThroughPages(benchmark::State& state) {
    Window window(int(state.range(0)));
    QScrollBar* bar = window.list->verticalScrollBar();
    int pages = 0;
    for (auto _ : state) {
        for (int value = 0; value < bar->maximum() && pages < 1000; value += bar->pageStep(), ++pages) {
            bar->setValue(value);
            window.list->viewport()->repaint();
        }
    }
    state.counters["pages"] = pages;
}

}  // namespace

BENCHMARK(BM_RefreshWindow)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(BM_ScrollThroughPages)->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
