#include "AccountList.h"

#include <algorithm>

#include "CaselessKeys.h"
#include "RunError.h"
#include "VbText.h"

namespace {

const QString& column(const AccountRow& row, int column) {
    return column == 1 ? row.code : column == 2 ? row.signature : row.name;
}

}  // namespace

const AccountRow& AccountList::row(int position) const {
    if (position < 1 || position > count())
        throw RunError{RunError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: no row %1 in the account list").arg(position)};
    return rows_[std::size_t(position - 1)];
}

const AccountRow& AccountList::selectedRow() const {
    if (selected_ == 0)
        throw RunError{RunError::NoObject, QStringLiteral("Object variable or With block variable not set: no row is selected")};
    return row(selected_);
}

QString AccountList::cell(int position, int columnIndex) const { return column(row(position), columnIndex); }

void AccountList::clear() { assign({}); }

void AccountList::assign(std::vector<AccountRow> rows) {
    rows_ = std::move(rows);
    selected_ = 0;
    if (sorted_)
        sortRows();
    changed();
}

int AccountList::add(int position, AccountRow row) {
    if (position < 1 || position > count() + 1)
        throw RunError{RunError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: cannot insert at row %1").arg(position)};
    if (sorted_) {
        // The sorted place: after the rows that sort before or equal to the new one.
        const auto& key = column(row, sortKey_);
        const auto at = std::upper_bound(rows_.begin(), rows_.end(), key, [this](const QString& k, const AccountRow& r) {
            const int c = QString::compare(k, column(r, sortKey_), Qt::CaseInsensitive);
            return sortOrder_ == Order::Ascending ? c < 0 : c > 0;
        });
        position = int(at - rows_.begin()) + 1;
    }
    rows_.insert(rows_.begin() + (position - 1), std::move(row));
    if (selected_ >= position)
        ++selected_;
    changed();
    return position;
}

void AccountList::remove(int position) {
    this->row(position);
    rows_.erase(rows_.begin() + (position - 1));
    if (selected_ == position)
        selected_ = 0;
    else if (selected_ > position)
        --selected_;
    changed();
}

void AccountList::setName(int position, const QString& name) {
    this->row(position);
    rows_[std::size_t(position - 1)].name = name;  // the row stays where it is, as after an edit in place
    changed();
}

void AccountList::select(int position) {
    if (position != 0)
        this->row(position);
    selected_ = position;
}

void AccountList::setSorted(bool on) {
    sorted_ = on;
    if (on)
        sortRows();
    changed();
}

void AccountList::sortBy(int columnIndex, Order order) {
    sortKey_ = std::clamp(columnIndex, 0, ColumnCount - 1);
    sortOrder_ = order;
    setSorted(true);
}

void AccountList::sortRows() {
    CaselessKeys keys;
    std::size_t units = 0;
    for (const AccountRow& row : rows_)
        units += std::size_t(column(row, sortKey_).size());
    keys.reserve(rows_.size(), units);
    for (const AccountRow& row : rows_)
        keys.add(column(row, sortKey_));
    const std::vector<int> order = keys.order(sortOrder_ == Order::Descending);
    std::vector<AccountRow> sortedRows;
    sortedRows.reserve(rows_.size());
    int newSelected = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        sortedRows.push_back(std::move(rows_[std::size_t(order[i])]));
        if (order[i] + 1 == selected_)
            newSelected = int(i) + 1;
    }
    rows_ = std::move(sortedRows);
    selected_ = newSelected;
}

void AccountList::changed() {
    for (Lookup* lookup : {&firstByUpperTrimmedCode_, &lastByTrimmedCode_, &firstByTrimmedCode_, &byUpperCode_, &byUpperName_}) {
        lookup->scanned = false;
        lookup->index.reset();
    }
    ++revision_;
}

QStringView AccountList::Lookup::keyOf(const AccountRow& row) const {
    const QString& text = onName ? row.name : row.code;
    return form == Form::Upper ? QStringView(text) : VbText::trimView(text);
}

QString AccountList::Lookup::normal(QStringView text) const {
    const QStringView kept = form == Form::Upper ? text : VbText::trimView(text);
    return form == Form::Trimmed ? kept.toString() : VbText::ucase(kept);
}

bool AccountList::Lookup::matches(const AccountRow& row, QStringView wanted) const {
    const QStringView key = keyOf(row);
    return form == Form::Trimmed ? key == wanted : VbText::sameUpper(key, wanted);
}

int AccountList::find(Lookup& lookup, const QString& text) const {
    if (!lookup.index && !lookup.scanned) {
        lookup.scanned = true;
        const QStringView wanted = lookup.form == Form::Upper ? QStringView(text) : VbText::trimView(text);
        for (int k = 0; k < count(); ++k) {
            const int position = lookup.lastWins ? count() - k : k + 1;
            if (lookup.matches(rows_[std::size_t(position - 1)], wanted))
                return position;
        }
        return 0;
    }
    if (!lookup.index) {
        Index& built = lookup.index.emplace();
        built.reserve(qsizetype(rows_.size()));
        for (int i = 0; i < count(); ++i) {
            QString key = lookup.normal(lookup.keyOf(rows_[std::size_t(i)]));
            lookup.lastWins ? built.addLast(key, i + 1) : built.addFirst(key, i + 1);
        }
    }
    return lookup.index->value(lookup.normal(text), 0);
}

int AccountList::firstWithCodeIgnoringCase(const QString& code) const { return find(firstByUpperTrimmedCode_, code); }

int AccountList::lastWithTrimmedCode(const QString& code) const { return find(lastByTrimmedCode_, code); }

int AccountList::firstWithTrimmedCode(const QString& code) const { return find(firstByTrimmedCode_, code); }

bool AccountList::hasCodeIgnoringCase(const QString& code) const { return find(byUpperCode_, code) != 0; }

bool AccountList::hasNameIgnoringCase(const QString& name) const { return find(byUpperName_, name) != 0; }
