// The list's lookups, answered by a scan first and by an index when they repeat; its sort against
// the order QString's case-insensitive comparison gives, on texts made of the characters whose
// folding is unusual (sharp s, dotted and dotless i, the long s, the Kelvin sign, final sigma, a
// title-case letter, supplementary letters as surrogate pairs and lone surrogates); and the checks
// and tables built on it. The inputs and answers are in tables.json.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "AccountList.h"
#include "CaselessKeys.h"
#include "Clsvalidacion.h"
#include "Tables.h"
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

// The sort keys compare as QString's case-insensitive comparison; by name up and down and by
// code the list takes its order, equal texts in the order they had, the selection following its row.
TEST(AccountList, SortsAsTheCaseInsensitiveComparisonStably) {
    std::mt19937 random(7);
    std::vector<QString> texts(400);
    CaselessKeys keys;
    for (QString& text : texts)
        keys.add(text = randomText(random));
    for (std::size_t a = 0; a < texts.size(); ++a)
        for (std::size_t b = 0; b < texts.size(); ++b) {
            const int c = QString::compare(texts[a], texts[b], Qt::CaseInsensitive);
            ASSERT_EQ(keys.compare(a, b), (c > 0) - (c < 0))
                << texts[a].toStdString() << " / " << texts[b].toStdString();
        }
    for (const auto& [column, order] : {std::pair{0, AccountList::Order::Ascending},
                                        {0, AccountList::Order::Descending},
                                        {1, AccountList::Order::Ascending}}) {
        random.seed(11);
        std::vector<AccountRow> rows;
        for (int i = 0; i < 2000; ++i)
            rows.push_back({randomText(random), randomText(random), QString::number(i)});
        AccountList list;
        list.assign(rows);
        list.select(1234);
        const AccountRow selected = list.row(1234);
        list.sortBy(column, order);
        std::stable_sort(rows.begin(), rows.end(), [&, column = column, order = order](auto& a, auto& b) {
            const int c = QString::compare(column ? a.code : a.name, column ? b.code : b.name, Qt::CaseInsensitive);
            return order == AccountList::Order::Ascending ? c < 0 : c > 0;
        });
        for (int i = 0; i < int(rows.size()); ++i)
            ASSERT_EQ(list.row(i + 1), rows[std::size_t(i)]) << "row " << i + 1 << " column " << column;
        EXPECT_EQ(list.selectedRow(), selected);
    }
}

// The comment table answers the first row of a code alike whether it scans (the first code asked
// after a change) or uses its index (built when another code is asked).
TEST(CommentTable, FirstRowOfACodeByScanAndByIndex) {
    TablaComentarios table;
    const auto assign = [&](const QJsonArray& rows) {
        TablaComentarios::Builder built;
        for (const QJsonValue& row : rows) {
            std::vector<QByteArray> texts;  // the code, then the comment's lines
            for (const QJsonValue& text : row.toArray())
                texts.push_back(Tables::bytes(text));
            built.add(texts[0], std::vector<QByteArrayView>(texts.begin() + 1, texts.end()));
        }
        table.assign(std::move(built));
    };
    const QJsonValue c = Tables::get("comment table");
    assign(c["rows"].toArray());
    for (const QJsonValue& asked : c["asked"].toArray())
        EXPECT_EQ(table.commentFor(asked[0].toString()), asked[1].toString()) << Tables::text(asked[0]);
    assign(c["rows after"].toArray());
    EXPECT_EQ(table.commentFor(u"A"), "");
    EXPECT_EQ(table.commentFor(u"B"), "new B");
}

// The rows the lookups run on: codes with blanks and letter cases, rows sharing a code, names
// differing in case.
AccountList listForLookups() {
    AccountList list;
    std::vector<AccountRow> rows;
    for (const QJsonValue& row : Tables::get("lookups")["rows"].toArray())
        rows.push_back({row[0].toString(), row[1].toString(), row[2].toString()});
    list.assign(rows);
    return list;
}

// Each lookup asked three times: scanning, through the index it built, and again.
TEST(AccountList, LookupsScanAndIndexGiveTheSameRow) {
    AccountList list = listForLookups();
    const std::map<QString, std::function<int(const QString&)>> lookups{
        {"firstWithCodeIgnoringCase", [&](const QString& t) { return list.firstWithCodeIgnoringCase(t); }},
        {"lastWithTrimmedCode", [&](const QString& t) { return list.lastWithTrimmedCode(t); }},
        {"firstWithTrimmedCode", [&](const QString& t) { return list.firstWithTrimmedCode(t); }},
        {"hasCodeIgnoringCase", [&](const QString& t) { return int(list.hasCodeIgnoringCase(t)); }},
        {"hasNameIgnoringCase", [&](const QString& t) { return int(list.hasNameIgnoringCase(t)); }},
    };
    for (const QJsonValue& c : Tables::get("lookups")["cases"].toArray())
        for (const char* how : {"scanning", "through the index", "again"})
            EXPECT_EQ(lookups.at(c[0].toString())(c[1].toString()), c[2].toInt()) << Tables::text(c) << " " << how;
}

// Rows keep their own texts through renames, insertions and removals, in place and sorted; the
// selection moves with its row; no lookup answers from an index built before an edit.
TEST(AccountList, RowsKeepTheirTextsThroughEdits) {
    AccountList list = listForLookups();
    const auto named = [&](const QString& name) {  // asked twice: the second answer is the index's
        return list.hasNameIgnoringCase(name) + list.hasNameIgnoringCase(name);
    };
    EXPECT_EQ(named("BETA"), 2);
    list.setName(2, "Renamed");
    EXPECT_EQ(named("BETA"), 0);
    list.select(1);
    EXPECT_EQ(list.add(1, {"New", "cd9", "s9"}), 1);
    EXPECT_EQ(named("NEW"), 2);
    EXPECT_EQ(list.selected(), 2) << "the selection moves down with its account";
    list.select(6);
    list.remove(5);
    EXPECT_EQ(named("STRA\u00DFE"), 0);
    EXPECT_EQ(list.selected(), 5) << "and up";
    list.setName(1, "");
    const std::vector<AccountRow> expected = {{"", "cd9", "s9"},        {"Alpha", " cd1 ", "s1"},
                                              {"Renamed", "CD2", "s2"}, {"Gamma", "cd2", "s3"},
                                              {"delta", "Cd3", "s5"},   {"\u00E9clair", "cd4 ", "s6"}};
    ASSERT_EQ(list.count(), int(expected.size()));
    for (int i = 1; i <= list.count(); ++i) {
        EXPECT_EQ(list.row(i), expected[std::size_t(i - 1)]) << "row " << i;
        EXPECT_TRUE(list.holds(i, expected[std::size_t(i - 1)]));
    }
    list.sortBy(0, AccountList::Order::Ascending);
    EXPECT_EQ(list.add(1, {"Epsilon", "cd8", "s8"}), 4);
    EXPECT_EQ(list.cell(4, 1), "cd8");
    EXPECT_EQ(list.cell(3, 0), "delta");
    EXPECT_EQ(list.add(1, {"DELTA", "cd7", "s7"}), 4) << "after the name it equals in any letter case";
}

TEST(Clsvalidacion, AddressesAndForbiddenCharacters) {
    for (const QJsonValue& c : Tables::get("IP addresses").toArray())
        EXPECT_EQ(Clsvalidacion::IsIP(c[0].toString()), c[1].toBool()) << Tables::text(c[0]);
    for (const QJsonValue& c : Tables::get("names without the forbidden characters").toArray())
        EXPECT_EQ(Clsvalidacion::CharProhib(c[0].toString()), c[1].toString()) << Tables::text(c[0]);
}

}  // namespace
