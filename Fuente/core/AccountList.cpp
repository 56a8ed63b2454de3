#include "AccountList.h"

#include <algorithm>

#include "CaselessKeys.h"
#include "FreedMemory.h"
#include "RunError.h"
#include "VbText.h"

const AccountList::Entry& AccountList::entry(int position) const {
    if (position < 1 || position > count())
        throw RunError{RunError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: no row %1 in the account list").arg(position)};
    return rows_[std::size_t(position - 1)];
}

QStringView AccountList::textOf(const Entry& entry, int column) const {
    const QStringView texts(text_);
    switch (column) {
    case 1:
        return texts.sliced(entry.start + entry.nameSize, entry.codeSize);
    case 2:
        return texts.sliced(entry.start + entry.nameSize + entry.codeSize, entry.signatureSize);
    default:
        return texts.sliced(entry.start, entry.nameSize);
    }
}

QStringView AccountList::column(int position, int column) const { return textOf(entry(position), column); }

AccountRow AccountList::row(int position) const {
    const Entry& at = entry(position);
    return {textOf(at, 0).toString(), textOf(at, 1).toString(), textOf(at, 2).toString()};
}

AccountRow AccountList::selectedRow() const {
    if (selected_ == 0)
        throw RunError{RunError::NoObject,
                       QStringLiteral("Object variable or With block variable not set: no row is selected")};
    return row(selected_);
}

bool AccountList::holds(int position, const AccountRow& row) const {
    const Entry& at = entry(position);
    return textOf(at, 0) == row.name && textOf(at, 1) == row.code && textOf(at, 2) == row.signature;
}

AccountList::Entry AccountList::append(const AccountRow& row) {
    const Entry added{text_.size(), int(row.name.size()), int(row.code.size()), int(row.signature.size())};
    text_ += row.name;
    text_ += row.code;
    text_ += row.signature;
    return added;
}

void AccountList::clear() { assign(QString(), {}); }

void AccountList::assign(const std::vector<AccountRow>& rows) {
    text_.clear();
    std::vector<Entry> entries;
    entries.reserve(rows.size());
    for (const AccountRow& row : rows)
        entries.push_back(append(row));
    assign(std::move(text_), std::move(entries));
}

void AccountList::assign(QString text, std::vector<Entry> rows) {
    text_ = std::move(text);
    rows_ = std::move(rows);
    selected_ = 0;
    if (sorted_)
        sortRows();
    changed();
}

int AccountList::add(int position, const AccountRow& row) {
    if (position < 1 || position > count() + 1)
        throw RunError{RunError::SubscriptOutOfRange,
                       QStringLiteral("Subscript out of range: cannot insert at row %1").arg(position)};
    if (sorted_) {
        // The sorted place: after the rows that sort before or equal to the new one.
        const QStringView key = sortKey_ == 1 ? row.code : sortKey_ == 2 ? row.signature : row.name;
        const auto at = std::upper_bound(rows_.begin(), rows_.end(), key, [this](QStringView k, const Entry& r) {
            const int c = k.compare(textOf(r, sortKey_), Qt::CaseInsensitive);
            return sortOrder_ == Order::Ascending ? c < 0 : c > 0;
        });
        position = int(at - rows_.begin()) + 1;
    }
    rows_.insert(rows_.begin() + (position - 1), append(row));
    if (selected_ >= position)
        ++selected_;
    changed();
    return position;
}

void AccountList::remove(int position) {
    entry(position);
    rows_.erase(rows_.begin() + (position - 1));
    if (selected_ == position)
        selected_ = 0;
    else if (selected_ > position)
        --selected_;
    changed();
}

void AccountList::setName(int position, const QString& name) {
    AccountRow renamed = row(position);
    renamed.name = name;
    // The row stays where it is, as after an edit in place; its old texts stay unused in the
    // list's text until the next load.
    rows_[std::size_t(position - 1)] = append(renamed);
    changed();
}

void AccountList::select(int position) {
    if (position != 0)
        entry(position);
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

void AccountList::sortRowsByKeys() {
    CaselessKeys keys;
    std::size_t units = 0;
    for (const Entry& row : rows_)
        units += std::size_t(textOf(row, sortKey_).size());
    keys.reserve(rows_.size(), units);
    for (const Entry& row : rows_)
        keys.add(textOf(row, sortKey_));
    const std::vector<int> order = keys.order(sortOrder_ == Order::Descending);
    std::vector<Entry> sortedRows;
    sortedRows.reserve(rows_.size());
    int newSelected = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        sortedRows.push_back(rows_[std::size_t(order[i])]);
        if (order[i] + 1 == selected_)
            newSelected = int(i) + 1;
    }
    rows_ = std::move(sortedRows);
    selected_ = newSelected;
}

void AccountList::sortRows() {
    sortRowsByKeys();
    // The keys and the old order, tens of MB for a million rows, would otherwise stay in the
    // heap for as long as the window is open.
    giveBackFreedMemory();
}

void AccountList::changed() {
    for (Lookup* lookup :
         {&firstByUpperTrimmedCode_, &lastByTrimmedCode_, &firstByTrimmedCode_, &byUpperCode_, &byUpperName_}) {
        lookup->scanned = false;
        lookup->index.reset();
    }
    ++revision_;
}

QStringView AccountList::Lookup::keyOf(QStringView text) const {
    return form == Form::Upper ? text : VbText::trimView(text);
}

QString AccountList::Lookup::normal(QStringView text) const {
    const QStringView kept = form == Form::Upper ? text : VbText::trimView(text);
    return form == Form::Trimmed ? kept.toString() : VbText::ucase(kept);
}

bool AccountList::Lookup::matches(QStringView key, QStringView wanted) const {
    return form == Form::Trimmed ? key == wanted : VbText::sameUpper(key, wanted);
}

int AccountList::find(Lookup& lookup, const QString& text) const {
    if (!lookup.index && !lookup.scanned) {
        lookup.scanned = true;
        const QStringView wanted = lookup.form == Form::Upper ? QStringView(text) : VbText::trimView(text);
        for (int k = 0; k < count(); ++k) {
            const int position = lookup.lastWins ? count() - k : k + 1;
            if (lookup.matches(lookup.keyOf(column(position, lookup.onName ? 0 : 1)), wanted))
                return position;
        }
        return 0;
    }
    const auto key = [&](int position) { return lookup.normal(column(position, lookup.onName ? 0 : 1)); };
    if (!lookup.index)
        lookup.index.emplace().build(count(), key, lookup.lastWins);
    return lookup.index->find(lookup.normal(text), key);
}

int AccountList::firstWithCodeIgnoringCase(const QString& code) const { return find(firstByUpperTrimmedCode_, code); }

int AccountList::lastWithTrimmedCode(const QString& code) const { return find(lastByTrimmedCode_, code); }

int AccountList::firstWithTrimmedCode(const QString& code) const { return find(firstByTrimmedCode_, code); }

bool AccountList::hasCodeIgnoringCase(const QString& code) const { return find(byUpperCode_, code) != 0; }

bool AccountList::hasNameIgnoringCase(const QString& name) const { return find(byUpperName_, name) != 0; }
