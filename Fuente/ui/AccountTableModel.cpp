#include "AccountTableModel.h"

#include <QPainter>
#include <QPixmap>

#include "AccountList.h"

namespace {

// An 11 x 11 triangle, pointing up for ascending order and down for descending order.
QIcon sortMark(bool ascending) {
    QPixmap pixmap(11, 11);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 96, 96));
    const QPolygonF up{{1.0, 8.5}, {10.0, 8.5}, {5.5, 2.0}};
    const QPolygonF down{{1.0, 2.5}, {10.0, 2.5}, {5.5, 9.0}};
    painter.drawPolygon(ascending ? up : down);
    return QIcon(pixmap);
}

}  // namespace

AccountTableModel::AccountTableModel(const AccountList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list), marks_{sortMark(true), sortMark(false)} {}

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
    if (shownRevision_ == list_.revision())
        return;
    shownRevision_ = list_.revision();
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, AccountList::ColumnCount - 1);
}
