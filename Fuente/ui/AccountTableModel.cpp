#include "AccountTableModel.h"

#include "AccountList.h"
#include "Artwork.h"

AccountTableModel::AccountTableModel(const AccountList& list, std::function<bool(const QString&)> rename,
                                     QObject* parent)
    : QAbstractTableModel(parent),
      list_(list),
      rename_(std::move(rename)),
      marks_{Artwork::sortMark(true), Artwork::sortMark(false)} {}

int AccountTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.count(); }

int AccountTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : AccountList::ColumnCount;
}

QVariant AccountTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= list_.count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return list_.cell(index.row() + 1, index.column());
    if (role == Qt::ToolTipRole && index.column() == 2)
        return AccountList::SignatureToolTip;
    return {};
}

bool AccountTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != 0 || index.row() >= list_.count())
        return false;
    const QString name = value.toString();
    if (name == list_.cell(index.row() + 1, 0) || !rename_(name))
        return false;
    // The row keeps its place: only its text changed, so the view need not reload the list.
    shownRevision_ = list_.revision();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags AccountTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant AccountTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= AccountList::ColumnCount)
        return {};
    static const char* const titles[] = {"Name", "Account code", "Signature"};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(titles[section]);
    if (role == Qt::DecorationRole && list_.headerIcon(section) != AccountList::NoIcon)
        return marks_[list_.headerIcon(section) - 1];
    return {};
}

void AccountTableModel::refresh() {
    if (shownRevision_ != list_.revision()) {
        shownRevision_ = list_.revision();
        beginResetModel();
        endResetModel();
    }
    // A header change makes the view measure its rows again: announced only when a mark moved.
    std::array<int, AccountList::ColumnCount> icons{};
    for (int column = 0; column < AccountList::ColumnCount; ++column)
        icons[std::size_t(column)] = list_.headerIcon(column);
    if (icons != shownIcons_) {
        shownIcons_ = icons;
        emit headerDataChanged(Qt::Horizontal, 0, AccountList::ColumnCount - 1);
    }
}
