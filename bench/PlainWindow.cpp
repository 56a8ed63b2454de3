#include "PlainWindow.h"

#include <QHeaderView>
#include <QShortcut>
#include <QTest>

#include "PlainTableModel.h"

PlainWindow::PlainWindow(const QString& databasePath)
    : view_(std::make_unique<QTreeView>()), model_(new PlainTableModel(databasePath.toLocal8Bit(), view_.get())) {
    view_->resize(664, 307);  // the size of the main window's list
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setModel(model_);
    view_->header()->setSectionsClickable(true);
    QObject::connect(view_->header(), &QHeaderView::sectionClicked, model_, [this] { model_->sortByName(); });
    QObject::connect(new QShortcut(Qt::Key_F2, view_.get()), &QShortcut::activated, model_, [this] { model_->load(); });
    watchPaints();
}

PlainWindow::~PlainWindow() = default;

void PlainWindow::load() { model_->load(); }

bool PlainWindow::refresh() {
    view_->activateWindow();
    return QTest::qWaitForWindowActive(view_.get()) && paintedAfter([&] { QTest::keyClick(view_.get(), Qt::Key_F2); });
}

bool PlainWindow::deleteSelected() {
    const int before = model_->rowCount();
    return paintedAfter([&] { model_->remove(view_->currentIndex().row()); }) && model_->rowCount() == before - 1;
}

bool PlainWindow::deleteWithoutSync() {
    if (!view_->currentIndex().isValid())
        view_->setCurrentIndex(model_->index(topRow(), 0));
    const int before = model_->rowCount();
    return paintedAfter([&] { model_->remove(view_->currentIndex().row(), false); }) &&
           model_->rowCount() == before - 1;
}

void PlainWindow::close() {
    view_->close();
    view_->setModel(nullptr);
    model_->setParent(nullptr);  // left to the system at exit
    view_.reset();
}
