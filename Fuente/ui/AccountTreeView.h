#pragma once

#include <QTreeView>

// The account list's widget: a report-style tree view that also tells when a key is released,
// so the selected account's comment follows the arrow keys.
class AccountTreeView : public QTreeView {
    Q_OBJECT
public:
    using QTreeView::QTreeView;

signals:
    void keyReleased();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};
