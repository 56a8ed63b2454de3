// Drives the main window in a process of its own for bench/run.sh: starts it over an
// application folder as the program does, makes each step with the keyboard and the mouse, waits
// for the list's paints, and ends. With --plain, the same steps in the plain Qt window with the
// same list (the floor), and last a deletion that does not sync (the plain floor of a deletion).
// Prints one line a step, "<step> <ms>"; the process's memory in bytes, held once the list was
// painted ("rss_start") and the most it held by then ("peak_start") and before the close
// ("peak_end"); and the wall clock (nanoseconds since the epoch) when the list was first painted
// and when the close began, which the script sets against its own clock at the process's start
// and end.
//
//   vantor_window_driver <folder> [--plain]

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "BenchFolder.h"
#include "Floors.h"
#include "PlainWindow.h"
#include "QtDialogs.h"
#include "RealWindow.h"

namespace {

long long epochNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool step(const char* name, const std::function<bool()>& run) {
    const auto start = std::chrono::steady_clock::now();
    const bool done = run();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %.3f\n", name, ms);
    if (!done)
        std::fprintf(stderr, "%s did not show its result\n", name);
    return done;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: vantor_window_driver <folder> [--plain]\n");
        return 2;
    }
    const QString folder = arguments[1];
    QtDialogs dialogs;
    std::unique_ptr<BenchWindow> window;
    PlainWindow* plain = nullptr;
    if (arguments.contains(QStringLiteral("--plain")))
        window.reset(plain = new PlainWindow(BenchFolder::databasePath(folder)));
    else
        window = std::make_unique<RealWindow>(folder, dialogs);
    if (!window->start()) {
        std::fprintf(stderr, "the window did not come up\n");
        return 1;
    }
    std::printf("painted_at %lld\n", epochNanoseconds());
    std::printf("rss_start %lld\npeak_start %lld\n", Floors::statusBytes("VmRSS"), Floors::statusBytes("VmHWM"));
    BenchWindow& w = *window;
    const bool done = step("first_click", [&] { return w.clickRow(); }) &&
                      step("refresh", [&] { return w.refresh(); }) && step("click", [&] { return w.clickRow(); }) &&
                      step("page_down", [&] { return w.pageDown(); }) && step("sort", [&] { return w.sortByName(); }) &&
                      step("delete", [&] { return w.deleteSelected(); }) &&
                      (!plain || step("delete_unsynced", [&] { return plain->deleteWithoutSync(); }));
    std::printf("peak_end %lld\n", Floors::statusBytes("VmHWM"));
    std::printf("closing_at %lld\n", epochNanoseconds());
    std::fflush(stdout);
    window->close();
    // As the program does, the accounts are left to the system at exit rather than freed one by one.
    (void)window.release();
    return done ? 0 : 1;
}
