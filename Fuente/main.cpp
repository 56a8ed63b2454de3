#include <cstdio>
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

}  // namespace

int main(int argc, char* argv[]) {
    const QString command = commandLineText(argc, argv);
    static int qtArgc = 1;
    static char programName[] = "VTR";
    static char* qtArgv[] = {argc > 0 && argv[0] ? argv[0] : programName, nullptr};
    // The command line starts the GUI only when it must show a box (CommandLineDialogs).
    std::unique_ptr<QCoreApplication> app;
    if (command.isEmpty()) {
        app = startGui(qtArgc, qtArgv);
        if (DisplayCheck::unreachable()) {
            std::fputs("Vantor: no display can be reached (DISPLAY, WAYLAND_DISPLAY) to show the window on.\n"
                       "The command line needs none: VTR /a=<code> [/s=<address>:<port>] [/w] [/y]\n",
                       stderr);
            return 1;
        }
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
        QCoreApplication::setApplicationName(Dialogs::AppTitle);
    }
    const QString appFolder = QCoreApplication::applicationDirPath();
    const WinePrefix* winePrefix = nullptr;
#ifdef Q_OS_WIN
    RegistryWindows windowsRegistry;
    RegistryAccess& registry = windowsRegistry;
#else
    // A GameSettings.reg beside the program is the store (tests, portable copies); otherwise the
    // registry of the Wine prefix the game runs in.
    const QString storeFile = appFolder + '/' + RegistryFile::FileName;
    std::optional<RegistryFile> fileRegistry;
    std::optional<RegistryWine> wineRegistry;
    RegistryAccess& registry = FileSystem::fileExists(storeFile)
                                   ? static_cast<RegistryAccess&>(fileRegistry.emplace(storeFile))
                                   : wineRegistry.emplace(WinePrefix(WinePrefix::defaultFolder()));
    if (wineRegistry) {
        winePrefix = &wineRegistry->prefix();
        // The game, started through wine, runs in the same prefix, also when none was set.
        qputenv("WINEPREFIX", QFile::encodeName(winePrefix->folder()));
    }
#endif
    // Where nothing can be seen, messages go to standard error and questions are answered No.
    QtDialogs shownDialogs;
    UnseenDialogs unseenDialogs;
    CommandLineDialogs commandLineDialogs([&] {
        app.reset();
        app = startGui(qtArgc, qtArgv);
        DisplayCheck::unreachable();
        return DisplayCheck::visible();
    });
    QtDialogs& windowDialogs = command.isEmpty() && !DisplayCheck::visible() ? unseenDialogs : shownDialogs;
    Dialogs& dialogs = command.isEmpty() ? static_cast<Dialogs&>(windowDialogs) : commandLineDialogs;
    // Never freed: at exit the system takes back a million accounts at once, where freeing them one
    // by one would take longer than everything else the program does on its way out.
    static Mod_Variables* const kept = new Mod_Variables(appFolder);
    Mod_Variables& mv = *kept;
    Services services(mv, dialogs, registry);
    WindowModels windows(mv, services);
    mv.winePrefix = winePrefix;
    mv.Command = command;
    // Any argument text ends the program without the window, so none is built for it.
    std::optional<FrmMainView> view;
    if (command.isEmpty()) {
        view.emplace(windows, services.errores);
        windowDialogs.setParentWindow(&*view, [&view] { view->renderForBox(); });
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
