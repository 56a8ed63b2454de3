#include <gtest/gtest.h>

#include "AccountList.h"
#include "Clsvalidacion.h"
#include "Printers.h"

namespace {

TEST(IsIP, AcceptsDottedAddressesOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"255.255.255.255", true}, {"0.0.0.0", true},
        {"010.1.1.1", true},       {" 1 . 2. 3 .4 ", true},
        {"256.1.1.1", false},      {"1.2.3", false},
        {"1.2.3.4.5", false},      {"1..2.3", false},
        {"a.b.c.d", false},        {"-1.2.3.4", false},
        {"1.2.3.4:2302", false},   {"", false},
        {"1.2.3.", false},         {"1.2.3.99999999999999999999", false},
        {"1.2.3.4\t", false},      {"1.2.3.+4", true},
    };
    for (const auto& [text, ip] : cases)
        EXPECT_EQ(Clsvalidacion::IsIP(QString::fromLatin1(text)), ip) << text;
}

TEST(CharProhib, RemovesTheNineForbiddenCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"a:b/c", "abc"},
        {R"(\/*?<>|:")", ""},
        {"plain name", "plain name"},
        {R"(x"y\z)", "xyz"},
    };
    for (const auto& [text, clean] : cases)
        EXPECT_EQ(Clsvalidacion::CharProhib(QString::fromLatin1(text)), QString::fromLatin1(clean)) << text;
}

TEST(DuplicateChecks, IgnoreCaseButNotBlanksAtAnyPosition) {
    AccountList list;
    const Clsvalidacion check(list);
    EXPECT_FALSE(check.CuentaDupl(""));
    EXPECT_FALSE(check.NomDuplic(""));

    std::vector<AccountRow> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({QString("Name%1").arg(i), QString("code%1").arg(i), "s"});
    rows.push_back({"MAIN", "Zx-1", "s"});
    list.assign(rows);
    EXPECT_TRUE(check.NomDuplic("Main"));
    EXPECT_FALSE(check.NomDuplic("Main "));
    EXPECT_TRUE(check.CuentaDupl("zX-1"));
    EXPECT_FALSE(check.CuentaDupl(" zx-1"));
    EXPECT_TRUE(check.CuentaDupl("CODE0"));
    EXPECT_TRUE(check.NomDuplic("name99999"));

    list.setName(list.count(), "Other");
    EXPECT_FALSE(check.NomDuplic("Main"));
    EXPECT_TRUE(check.NomDuplic("other"));
    list.remove(1);
    EXPECT_FALSE(check.CuentaDupl("code0"));
}

}  // namespace
