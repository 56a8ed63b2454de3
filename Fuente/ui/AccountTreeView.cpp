#include "AccountTreeView.h"

void AccountTreeView::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    if (state() != EditingState)
        emit keyReleased();
}
