// The list's sort against the order QString's case-insensitive comparison gives, on texts made of
// the characters whose folding is unusual: sharp s, dotted and dotless i, the long s, the Kelvin
// sign, final sigma, a title-case letter, supplementary letters as surrogate pairs and lone
// surrogates.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "AccountList.h"
#include "CaselessKeys.h"

namespace {

QString randomText(std::mt19937& random) {
    static const char16_t pieces[][3] = {
        u"a", u"A", u"z", u"Z", u"s", u"S", u"k", u"K", u"i", u"I", u"\u00DF", u"\u1E9E", u"\u0130", u"\u0131",
        u"\u017F", u"\u212A", u"\u03A3", u"\u03C3", u"\u03C2", u"\u01C5", u"\u00E9", u"\u00C9", u"\uE000",
        u"\U00010400", u"\U00010428", u"\xD801", u"\xDC28", u" ", u"_",
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

}  // namespace
