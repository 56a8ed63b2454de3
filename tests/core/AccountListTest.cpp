// The list's lookups, answered by a scan first and by an index when they repeat; and its sort against the order
// QString's case-insensitive comparison gives, on texts made of the characters whose folding is unusual: sharp s,
// dotted and dotless i, the long s, the Kelvin sign, final sigma, a title-case letter, supplementary letters as
// surrogate pairs and lone surrogates.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "AccountList.h"
#include "CaselessKeys.h"
#include "TablaComentarios.h"

namespace {

QString randomText(std::mt19937& random) {
    static const char16_t pieces[][3] = {
        u"a",          u"A",      u"z",      u"Z",      u"s",      u"S",      u"k",      u"K",
        u"i",          u"I",      u"\u00DF", u"\u1E9E", u"\u0130", u"\u0131", u"\u017F", u"\u212A",
        u"\u03A3",     u"\u03C3", u"\u03C2", u"\u01C5", u"\u00E9", u"\u00C9", u"\uE000", u"\U00010400",
        u"\U00010428", u"\xD801", u"\xDC28", u" ",      u"_",
    };
    std::uniform_int_distribution<int> length(0, 5), piece(0, int(std::size(pieces)) - 1);
    QString text;
    for (int n = length(random); n > 0; --n)
        text += QString::fromUtf16(pieces[piece(random)]);
    return text;
}

int sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

TEST(SortOrderTest, KeysCompareAsCaseInsensitiveComparison) {
    std::mt19937 random(7);
    std::vector<QString> texts(400);
    CaselessKeys keys;
    for (QString& text : texts) {
        text = randomText(random);
        keys.add(text);
    }
    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = 0; b < texts.size(); ++b)
            ASSERT_EQ(keys.compare(a, b), sign(QString::compare(texts[a], texts[b], Qt::CaseInsensitive)))
                << texts[a].toStdString() << " / " << texts[b].toStdString();
}

struct SortCase {
    int column;
    AccountList::Order order;
};

class SortByColumn : public testing::TestWithParam<SortCase> {};

// Equal texts keep the order they had, and the selection follows its row.
TEST_P(SortByColumn, GivesTheStableOrderOfTheComparison) {
    std::mt19937 random(11);
    std::vector<AccountRow> rows;
    for (int i = 0; i < 2000; ++i)
        rows.push_back({randomText(random), randomText(random), QString::number(i)});
    AccountList list;
    list.assign(rows);
    list.select(1234);
    const AccountRow selected = list.row(1234);

    list.sortBy(GetParam().column, GetParam().order);

    const auto columnOf = [&](const AccountRow& row) {
        return GetParam().column == 0 ? row.name : GetParam().column == 1 ? row.code : row.signature;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const AccountRow& a, const AccountRow& b) {
        const int c = QString::compare(columnOf(a), columnOf(b), Qt::CaseInsensitive);
        return GetParam().order == AccountList::Order::Ascending ? c < 0 : c > 0;
    });
    for (int i = 0; i < int(rows.size()); ++i)
        ASSERT_EQ(list.row(i + 1), rows[std::size_t(i)]) << "row " << i + 1;
    EXPECT_EQ(list.selectedRow(), selected);
}

INSTANTIATE_TEST_SUITE_P(Columns, SortByColumn,
                         testing::Values(SortCase{0, AccountList::Order::Ascending},
                                         SortCase{0, AccountList::Order::Descending},
                                         SortCase{1, AccountList::Order::Ascending}));

// The comment table answers the first row of a code alike whether it scans (the first code asked
// after a change) or uses its index (built when another code is asked).
// The table as a load fills it; a comment is a list of lines.
void assign(TablaComentarios& table, const std::vector<std::pair<QByteArray, std::vector<QByteArrayView>>>& rows) {
    TablaComentarios::Builder built;
    for (const auto& [code, lines] : rows)
        built.add(code, lines);
    table.assign(std::move(built));
}

TEST(CommentTable, FirstRowOfACodeByScanAndByIndex) {
    TablaComentarios table;
    assign(table, {{"A", {"first A"}},
                   {"", {"no code"}},
                   {"B", {"only", "B"}},
                   {"A", {"second A"}},
                   {"a", {"small a"}},
                   {"\x80\xE9", {"euro"}},
                   {"lineless", {}}});
    const std::pair<QString, QString> asked[] = {
        {"A", "first A"}, {"A", "first A"}, {"a", "small a"},         {"A", "first A"}, {"B", "only\r\nB"},
        {"C", ""},        {"", "no code"},  {"\u20AC\u00E9", "euro"}, {"\u4E2D", ""},   {"lineless", ""},
    };
    for (const auto& [code, comment] : asked)
        EXPECT_EQ(table.commentFor(code), comment) << code.toStdString();
    assign(table, {{"B", {"new B"}}});
    EXPECT_EQ(table.commentFor(u"A"), "");
    EXPECT_EQ(table.commentFor(u"B"), "new B");
}

struct LookupCase {
    const char* what;
    int (*lookup)(const AccountList&, const QString&);
    QString text;
    int expected;
};

// Rows 1..6: codes with blanks and letter cases, two rows sharing a code, names differing in case.
AccountList listForLookups() {
    AccountList list;
    list.assign({{"Alpha", " cd1 ", "s1"},
                 {"beta", "CD2", "s2"},
                 {"Gamma", "cd2", "s3"},
                 {"Stra\u00DFe", "CD2", "s4"},
                 {"delta", "Cd3", "s5"},
                 {"\u00E9clair", "cd4 ", "s6"}});
    return list;
}

// Rows keep their own texts through renames, insertions and removals, in place and sorted.
TEST(AccountList, RowsKeepTheirTextsThroughEdits) {
    AccountList list = listForLookups();
    list.setName(2, "Renamed");
    list.select(1);
    EXPECT_EQ(list.add(1, {"New", "cd9", "s9"}), 1);
    EXPECT_EQ(list.selected(), 2) << "the selection moves down with its account";
    list.remove(5);
    list.setName(1, "");
    const std::vector<AccountRow> expected = {{"", "cd9", "s9"},        {"Alpha", " cd1 ", "s1"},
                                              {"Renamed", "CD2", "s2"}, {"Gamma", "cd2", "s3"},
                                              {"delta", "Cd3", "s5"},   {"\u00E9clair", "cd4 ", "s6"}};
    ASSERT_EQ(list.count(), int(expected.size()));
    for (int i = 1; i <= list.count(); ++i) {
        EXPECT_EQ(list.row(i), expected[std::size_t(i - 1)]) << "row " << i;
        EXPECT_TRUE(list.holds(i, expected[std::size_t(i - 1)]));
    }
    EXPECT_FALSE(list.hasNameIgnoringCase("BETA"));
    EXPECT_TRUE(list.hasNameIgnoringCase("RENAMED"));
    list.sortBy(0, AccountList::Order::Ascending);
    EXPECT_EQ(list.add(1, {"Epsilon", "cd8", "s8"}), 4);
    EXPECT_EQ(list.cell(4, 1), "cd8");
    EXPECT_EQ(list.cell(3, 0), "delta");
    EXPECT_EQ(list.add(1, {"DELTA", "cd7", "s7"}), 4) << "after the name it equals in any letter case";
}

class Lookups : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookups, ScanAndIndexGiveTheSameRow) {
    const AccountList list = listForLookups();
    const LookupCase& c = GetParam();
    EXPECT_EQ(c.lookup(list, c.text), c.expected) << c.what << " scanning";
    EXPECT_EQ(c.lookup(list, c.text), c.expected) << c.what << " through the index";
    EXPECT_EQ(c.lookup(list, c.text), c.expected) << c.what << " again";
}

int firstUpperTrimmed(const AccountList& l, const QString& t) { return l.firstWithCodeIgnoringCase(t); }
int lastTrimmed(const AccountList& l, const QString& t) { return l.lastWithTrimmedCode(t); }
int firstTrimmed(const AccountList& l, const QString& t) { return l.firstWithTrimmedCode(t); }
int upperCode(const AccountList& l, const QString& t) { return l.hasCodeIgnoringCase(t) ? 1 : 0; }
int upperName(const AccountList& l, const QString& t) { return l.hasNameIgnoringCase(t) ? 1 : 0; }

INSTANTIATE_TEST_SUITE_P(
    AccountList, Lookups,
    testing::Values(LookupCase{"first, any case, trimmed", firstUpperTrimmed, "  cd2", 2},
                    LookupCase{"first, any case, trimmed, blanks in the row", firstUpperTrimmed, "CD1", 1},
                    LookupCase{"first, any case, trimmed, none", firstUpperTrimmed, "CD9", 0},
                    LookupCase{"last, trimmed", lastTrimmed, "CD2 ", 4},
                    LookupCase{"last, trimmed, case differs", lastTrimmed, "cD3", 0},
                    LookupCase{"first, trimmed", firstTrimmed, "cd2", 3},
                    LookupCase{"first, trimmed, blanks in the row", firstTrimmed, "cd4", 6},
                    LookupCase{"code in any case, untrimmed", upperCode, "cd3", 1},
                    LookupCase{"code in any case, blanks count", upperCode, "CD1", 0},
                    LookupCase{"name in any case", upperName, "\u00C9CLAIR", 1},
                    LookupCase{"name: sharp s is not SS", upperName, "STRASSE", 0},
                    LookupCase{"name: sharp s upper-cases to itself", upperName, "STRA\u00DFE", 1}));

}  // namespace
