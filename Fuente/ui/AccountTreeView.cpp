#include "AccountTreeView.h"

#include <QMouseEvent>

void AccountTreeView::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    if (state() != EditingState)
        emit keyReleased();
}

void AccountTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The first click of a double click on the selected row has scheduled its rename. Called off
    // here, before the activation runs: its questions keep events flowing, and the rename would
    // open under them. A double click is no edit trigger, so nothing opens instead.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        edit(index, DoubleClicked, event);
    QTreeView::mouseDoubleClickEvent(event);
}
