#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <QApplication>
#include <QFile>
#include <QStringList>

#include "Artwork.h"
#include "CommandLineDialogs.h"
#include "DisplayCheck.h"
#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "QtDialogs.h"
#include "RunError.h"
#include "Services.h"
#include "forms/WindowModels.h"

#ifdef Q_OS_WIN
#include "GameProcess.h"
#include "RegistryWindows.h"
#else
#include "FileSystem.h"
#include "RegistryFile.h"
#include "RegistryWine.h"
#endif

namespace {

// The command-line text after the program's name, as typed: the raw text on Windows, elsewhere
// the arguments joined by one blank. Options that Qt knows itself (-platform, -reverse, ...) are
// part of it like any other text.
QString commandLineText(int argc, char* argv[]) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    return QString::fromStdWString(win32::commandLineArguments());
#else
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments.join(QLatin1Char(' '));
#endif
}

// The GUI application, on the program's name alone: the argument text belongs to the program, so
// none of Qt's options (a bad -platform or -display aborts, -reverse mirrors every box) acts. The
// platform plugin still comes from the environment.
std::unique_ptr<QCoreApplication> startGui(int& qtArgc, char** qtArgv) {
    DisplayCheck::allowFallback();
    auto app = std::make_unique<QApplication>(qtArgc, qtArgv);
    QApplication::setApplicationName(Dialogs::AppTitle);
    QApplication::setWindowIcon(Artwork::windowIcon());
    return app;
}

// Starts the application the way the command asks for: the GUI for the window, a console
// application for argument text (its dialogs start the GUI only when they must show a box).
// Null when the window has no display to be shown on.
std::unique_ptr<QCoreApplication> startApplication(bool windowed, int& qtArgc, char** qtArgv) {
    if (!windowed) {
        auto app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
        QCoreApplication::setApplicationName(Dialogs::AppTitle);
        return app;
    }
    auto app = startGui(qtArgc, qtArgv);
    if (DisplayCheck::unreachable()) {
        std::fputs("Vantor: no display can be reached (DISPLAY, WAYLAND_DISPLAY) to show the window on.\n"
                   "The command line needs none: VTR /a=<code> [/s=<address>:<port>] [/w] [/y]\n",
                   stderr);
        return nullptr;
    }
    return app;
}

// Where the settings are kept: the Windows registry on Windows. Elsewhere a GameSettings.reg
// beside the program (tests, portable copies), or else the registry of the Wine prefix the game
// runs in.
class SettingsStore {
public:
    explicit SettingsStore(const QString& appFolder) {
#ifdef Q_OS_WIN
        Q_UNUSED(appFolder)
        registry_ = &windowsRegistry_;
#else
        const QString storeFile = appFolder + '/' + RegistryFile::FileName;
        registry_ = FileSystem::fileExists(storeFile) ? static_cast<RegistryAccess*>(&fileRegistry_.emplace(storeFile))
                                                      : &wineRegistry_.emplace(WinePrefix(WinePrefix::defaultFolder()));
        if (wineRegistry_) {
            winePrefix_ = &wineRegistry_->prefix();
            // The game, started through wine, runs in the same prefix, also when none was set.
            qputenv("WINEPREFIX", QFile::encodeName(winePrefix_->folder()));
        }
#endif
    }
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    RegistryAccess& registry() { return *registry_; }
    // The Wine prefix whose registry holds the settings; null when it is another store.
    const WinePrefix* winePrefix() const { return winePrefix_; }

private:
#ifdef Q_OS_WIN
    RegistryWindows windowsRegistry_;
#else
    std::optional<RegistryFile> fileRegistry_;
    std::optional<RegistryWine> wineRegistry_;
#endif
    RegistryAccess* registry_ = nullptr;
    const WinePrefix* winePrefix_ = nullptr;
};

// The dialogs the program shows its messages and questions with: the window's boxes, or, where
// nothing can be seen, standard error with every question answered No; for argument text the
// command line's, which start the GUI through `startGuiForBox` when a box must be shown.
struct DialogChoice {
    DialogChoice(bool windowed, std::function<bool()> startGuiForBox)
        : commandLine(std::move(startGuiForBox)),
          window(windowed && !DisplayCheck::visible() ? static_cast<QtDialogs&>(unseen) : shown),
          dialogs(windowed ? static_cast<Dialogs&>(window) : commandLine) {}
    DialogChoice(const DialogChoice&) = delete;
    DialogChoice& operator=(const DialogChoice&) = delete;

    QtDialogs shown;
    UnseenDialogs unseen;
    CommandLineDialogs commandLine;
    // The boxes of the window, which must know it.
    QtDialogs& window;
    Dialogs& dialogs;
};

}  // namespace

int main(int argc, char* argv[]) {
    const QString command = commandLineText(argc, argv);
    const bool windowed = command.isEmpty();
    static int qtArgc = 1;
    static char programName[] = "VTR";
    static char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
    std::unique_ptr<QCoreApplication> app = startApplication(windowed, qtArgc, qtArgv);
    if (!app)
        return 1;
    const QString appFolder = QCoreApplication::applicationDirPath();
    SettingsStore store(appFolder);
    DialogChoice dialogs(windowed, [&] {
        app.reset();
        app = startGui(qtArgc, qtArgv);
        DisplayCheck::unreachable();
        return DisplayCheck::visible();
    });
    // Never freed: at exit the system takes back a million accounts at once, where freeing them one
    // by one would take longer than everything else the program does on its way out.
    static Mod_Variables* const kept = new Mod_Variables(appFolder);
    Mod_Variables& mv = *kept;
    Services services(mv, dialogs.dialogs, store.registry());
    WindowModels windows(mv, services);
    mv.winePrefix = store.winePrefix();
    mv.Command = command;
    // Any argument text ends the program without the window, so none is built for it.
    std::optional<FrmMainView> view;
    if (windowed) {
        view.emplace(windows, services.errores);
        dialogs.window.setParentWindow(&*view, [&view] { view->renderForBox(); });
    }
    try {
        windows.main.Form_Load();
    } catch (const EndProgram&) {
        return 0;
    }
    if (!view)
        return 0;  // the command-line mode has ended in Form_Load
    view->render();
    view->show();
    const int status = QApplication::exec();
    if (!view->ended())
        windows.main.Form_Unload();
    return status;
}
