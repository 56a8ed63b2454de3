#include <QApplication>

#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "QtDialogs.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

#ifdef Q_OS_WIN
#include "GameProcess.h"
#include "RegistryWindows.h"
#else
#include "RegistryFile.h"
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
#ifdef Q_OS_WIN
    RegistryWindows registry;
#else
    RegistryFile registry(appFolder + '/' + RegistryFile::FileName);
#endif
    QtDialogs dialogs;
    Mod_Variables mv(appFolder, dialogs, registry);
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
