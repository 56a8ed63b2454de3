#pragma once

#include <QAbstractTableModel>
#include <QIcon>

class AccountList;

// Shows the core account list in a Qt item view: three columns, the signature tooltip and the
// header sort marks.
class AccountTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit AccountTableModel(const AccountList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Resets the view's rows when the list changed since the last call.
    void refresh();

private:
    const AccountList& list_;
    quint64 shownRevision_ = ~quint64(0);
    QIcon marks_[2];
};
