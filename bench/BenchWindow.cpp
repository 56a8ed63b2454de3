#include "BenchWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QHeaderView>
#include <QTest>

namespace {

// Counts the paint events the list's viewport receives.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget* viewport, int& paints) : QObject(viewport), paints_(paints) {
        viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return false;
    }

private:
    int& paints_;
};

}  // namespace

BenchWindow::~BenchWindow() = default;

void BenchWindow::watchPaints() { new PaintCounter(list()->viewport(), paints_); }

bool BenchWindow::waitForPaint(int before) {
    // Posted events are handled at once; the paint comes with them, without a sleep in between.
    const QDeadlineTimer deadline(10'000);
    while (paints_ == before && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    // The paint event was counted when it arrived; the rest of this turn paints it.
    QApplication::processEvents();
    return paints_ != before;
}

bool BenchWindow::start() {
    const int before = paints_;
    load();
    window()->show();
    return QTest::qWaitForWindowExposed(window()) && waitForPaint(before) && list()->model()->rowCount() > 0;
}

int BenchWindow::topRow() { return list()->indexAt(QPoint(1, 1)).row(); }

bool BenchWindow::clickRow() {
    QTreeView* view = list();
    // Another row than the current one, so that the click changes what the list shows.
    const int wanted = topRow() + (view->currentIndex().row() == topRow() + 4 ? 5 : 4);
    const QModelIndex row = view->model()->index(wanted, 0);
    return paintedAfter(
               [&] { QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center()); }) &&
           view->currentIndex().row() == row.row();
}

bool BenchWindow::pageDown() {
    const int top = topRow();
    return paintedAfter([&] { QTest::keyClick(list(), Qt::Key_PageDown); }) && topRow() != top;
}

bool BenchWindow::sortByName() {
    QHeaderView* header = list()->header();
    const QPoint name(header->sectionViewportPosition(0) + header->sectionSize(0) / 2, header->height() / 2);
    return paintedAfter([&] { QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name); });
}
