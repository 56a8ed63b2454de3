#include <QApplication>

#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "QtDialogs.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

#ifdef Q_OS_WIN
#include "RegistryWindows.h"
#else
#include "RegistryFile.h"
#endif

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
    FrmMainView view(mv);
    dialogs.setParentWindow(&view);
    try {
        mv.main().Form_Load();
    } catch (const EndProgram&) {
        return 0;
    }
    view.render();
    view.show();
    return QApplication::exec();
}
