#pragma once

#include <array>
#include <optional>
#include <QString>
#include <vector>

#include "TextIndex.h"

// One row of the account list, as texts of its own: the name is the row's text, the code and
// the signature its two sub-items.
struct AccountRow {
    QString name;
    QString code;
    QString signature;

    bool operator==(const AccountRow& o) const { return name == o.name && code == o.code && signature == o.signature; }
};

// The account list: the in-memory database, rows in display order at positions 1..count().
// It keeps the selection, the sort state and the header marks, and answers lookups by code or
// name through indexes that are rebuilt after a change once lookups repeat.
//
// The rows' texts lie one after another in one text, each row only saying where its own are:
// a million accounts are then a few allocations instead of millions, which is most of what
// loading, sorting and freeing them would otherwise cost.
class AccountList {
public:
    // Where a row's texts lie in the list's text: the name, then the code, then the signature.
    struct Entry {
        qsizetype start = 0;
        int nameSize = 0;
        int codeSize = 0;
        int signatureSize = 0;
    };

    enum class Order { Ascending, Descending };
    enum HeaderIcon { NoIcon = 0, AscendingMark = 1, DescendingMark = 2 };
    static constexpr int ColumnCount = 3;
    static inline const QString SignatureToolTip = QStringLiteral("Click over the selected item again to rename it");

    int count() const { return int(rows_.size()); }
    // A copy of a row's texts.
    AccountRow row(int position) const;
    // A row's texts in place, valid until the list changes.
    QStringView name(int position) const { return column(position, 0); }
    QStringView code(int position) const { return column(position, 1); }
    QStringView signature(int position) const { return column(position, 2); }
    QString cell(int position, int column) const { return this->column(position, column).toString(); }
    // Whether a row holds exactly these texts.
    bool holds(int position, const AccountRow& row) const;

    void clear();
    // Replaces every row; the selection is cleared.
    void assign(const std::vector<AccountRow>& rows);
    // Replaces every row with rows whose texts lie in `text`, as a load reads them.
    void assign(QString text, std::vector<Entry> rows);
    // Inserts at a position (count() + 1 appends); with sorting on the row goes to its sorted place.
    // Returns the row's position.
    int add(int position, const AccountRow& row);
    void remove(int position);
    void setName(int position, const QString& name);

    // The selected row's position, 0 when none.
    int selected() const { return selected_; }
    // The selected row; fails when none is selected.
    AccountRow selectedRow() const;
    void select(int position);

    bool sorted() const { return sorted_; }
    Order sortOrder() const { return sortOrder_; }
    void setSorted(bool on);
    // Switches sorting on, by one column in one order.
    void sortBy(int column, Order order);

    int headerIcon(int column) const { return headerIcons_.at(std::size_t(column)); }
    void setHeaderIcon(int column, int icon) { headerIcons_.at(std::size_t(column)) = icon; }

    bool enabled = true;

    // Grows with every change of the rows or their order, so that a view can tell whether it
    // must show them again.
    quint64 revision() const { return revision_; }

    // Position of the first row whose code, upper-cased and trimmed of blanks, equals the given
    // code treated the same way; 0 when none.
    int firstWithCodeIgnoringCase(const QString& code) const;
    // Position of the last (first) row whose code, trimmed of blanks, equals the trimmed code
    // exactly; 0 when none.
    int lastWithTrimmedCode(const QString& code) const;
    int firstWithTrimmedCode(const QString& code) const;
    // Whether a row's code (or name), upper-cased but not trimmed, equals the upper-cased text.
    bool hasCodeIgnoringCase(const QString& code) const;
    bool hasNameIgnoringCase(const QString& name) const;

private:
    // Fails when there is no row at the position.
    const Entry& entry(int position) const;
    QStringView column(int position, int column) const;
    QStringView textOf(const Entry& entry, int column) const;
    // The row's texts appended to the list's text.
    Entry append(const AccountRow& row);
    void changed();
    void sortRows();
    void sortRowsByKeys();

    QString text_;
    std::vector<Entry> rows_;
    int selected_ = 0;
    bool sorted_ = false;
    int sortKey_ = 0;
    Order sortOrder_ = Order::Ascending;
    std::array<int, ColumnCount> headerIcons_{};
    quint64 revision_ = 0;

    // How a lookup compares: the code or the name, trimmed of blanks and/or upper-cased.
    enum class Form { Trimmed, Upper, UpperTrimmed };
    struct Lookup {
        Form form;
        bool onName;
        bool lastWins;  // the last matching row answers, not the first
        // The first lookup after a change scans the rows, which costs less than building an
        // index for one answer; a second one builds the index, which every change drops.
        bool scanned = false;
        std::optional<TextIndex> index;

        // The part of a row's name or code that is compared.
        QStringView keyOf(QStringView text) const;
        // A text in the form the index keeps.
        QString normal(QStringView text) const;
        // Whether a row's key matches a text already trimmed as the form asks.
        bool matches(QStringView key, QStringView wanted) const;
    };
    int find(Lookup& lookup, const QString& text) const;
    mutable Lookup firstByUpperTrimmedCode_{Form::UpperTrimmed, false, false, false, {}};
    mutable Lookup lastByTrimmedCode_{Form::Trimmed, false, true, false, {}};
    mutable Lookup firstByTrimmedCode_{Form::Trimmed, false, false, false, {}};
    mutable Lookup byUpperCode_{Form::Upper, false, false, false, {}};
    mutable Lookup byUpperName_{Form::Upper, true, false, false, {}};
};
