#pragma once

#include <QTreeView>

// The account list's widget: a report-style tree view that also tells when a key is released,
// so the selected account's comment follows the arrow keys, and whose double click only
// activates, never renames.
class AccountTreeView : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;

    // Whether a row's name editor is open.
    bool editing() const { return state() == EditingState; }

signals:
    void keyReleased();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
