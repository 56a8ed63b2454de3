#include "RealWindow.h"

#include <QTest>

#include "BenchFolder.h"
#include "FrmMainView.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryFile.h"
#include "Services.h"
#include "forms/WindowModels.h"

RealWindow::RealWindow(const QString& folder, Dialogs& dialogs)
    : registry_(std::make_unique<RegistryFile>(BenchFolder::storePath(folder))),
      mv_(std::make_unique<Mod_Variables>(folder)),
      sv_(std::make_unique<Services>(*mv_, dialogs, *registry_)),
      windows_(std::make_unique<WindowModels>(*mv_, *sv_)),
      view_(std::make_unique<FrmMainView>(*windows_, sv_->errores)) {
    watchPaints();
}

RealWindow::~RealWindow() = default;

void RealWindow::load() {
    windows_->main.Form_Load();
    view_->render();
}

bool RealWindow::key(Qt::Key key) {
    view_->activateWindow();
    return QTest::qWaitForWindowActive(view_.get()) && paintedAfter([&] { QTest::keyClick(view_.get(), key); });
}

bool RealWindow::refresh() { return key(Qt::Key_F2); }

bool RealWindow::deleteSelected() {
    const int before = accounts();
    return key(Qt::Key_F3) && accounts() == before - 1;
}

void RealWindow::close() {
    view_->close();
    if (!view_->ended())
        windows_->main.Form_Unload();
    view_.reset();  // the accounts stay until the window object goes, as they stay until the program's exit
}

QWidget* RealWindow::window() { return view_.get(); }

QTreeView* RealWindow::list() { return view_->findChild<QTreeView*>(QStringLiteral("LvAccounts")); }

int RealWindow::accounts() const { return windows_->main.LvAccounts.count(); }
