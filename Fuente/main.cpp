#include <QApplication>
#include <QFile>

#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "QtDialogs.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

#ifdef Q_OS_WIN
#include "GameProcess.h"
#include "RegistryWindows.h"
#else
#include <optional>

#include "FileSystem.h"
#include "RegistryFile.h"
#include "RegistryWine.h"
#endif

namespace {

// The command-line text after the program's name: the raw text on Windows, elsewhere the
// arguments joined by one blank.
QString commandLineText() {
#ifdef Q_OS_WIN
    return QString::fromStdWString(win32::commandLineArguments());
#else
    return QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(Dialogs::AppTitle);
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
    QtDialogs dialogs;
    Mod_Variables mv(appFolder, dialogs, registry);
    mv.winePrefix = winePrefix;
    mv.Command = commandLineText();
    FrmMainView view(mv);
    dialogs.setParentWindow(&view);
    try {
        mv.main().Form_Load();
    } catch (const EndProgram&) {
        return 0;
    }
    view.render();
    view.show();
    const int status = QApplication::exec();
    if (!view.ended())
        mv.main().Form_Unload();
    return status;
}
