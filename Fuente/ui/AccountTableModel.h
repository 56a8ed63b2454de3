#pragma once

#include <array>
#include <functional>
#include <QAbstractTableModel>
#include <QIcon>

#include "AccountList.h"

// Shows the core account list in a Qt item view: three columns, the signature tooltip, the
// header sort marks, and the name editable in place.
class AccountTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // `rename` hands a name typed in place to the window model; it answers whether it was taken.
    AccountTableModel(const AccountList& list, std::function<bool(const QString&)> rename, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Resets the view's rows when the list changed since the last call, and its header when the
    // sort marks did.
    void refresh();

private:
    const AccountList& list_;
    std::function<bool(const QString&)> rename_;
    quint64 shownRevision_ = ~quint64(0);
    std::array<int, AccountList::ColumnCount> shownIcons_{};
    QIcon marks_[2];
};
