#include <gtest/gtest.h>

#include "AppFolder.h"
#include "ClsBD.h"
#include "Printers.h"
#include "forms/Frm_Main.h"

namespace {

using Rows = std::vector<AccountRow>;

class ClsBDTest : public ::testing::Test {
protected:
    ClsBDTest() { app.mkdir("Logs"); }

    AccountList& list() { return app.windows->main.LvAccounts; }
    ClsBD& bd() { return app.sv->bd; }

    AppFolder app;
};

TEST_F(ClsBDTest, MissingDatabaseIsCreatedAndTheListKept) {
    list().assign({{"kept", "k", "s"}});
    bd().cargarbdallv();
    EXPECT_EQ(app.read("Accounts.dat"), "DB Version: 101\r\n");
    EXPECT_EQ(app.rows(), (Rows{{"kept", "k", "s"}}));
}

TEST_F(ClsBDTest, LongLinesAndManyRecordsLoad) {
    QByteArray file = "DB Version: 101\r\n";
    const QByteArray longName(1 << 20, 'n');
    file += longName + "\r\ncode\r\nsig\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n";
    for (int i = 0; i < 70000; ++i)  // past every 16-bit count
        file += "N" + QByteArray::number(i) + "\r\nC" + QByteArray::number(i) +
                "\r\nS\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n";
    app.write("Accounts.dat", file);
    bd().cargarbdallv();
    ASSERT_EQ(list().count(), 70001);
    EXPECT_EQ(list().row(70001).name.size(), longName.size());
    EXPECT_EQ(list().row(1).code, "C69999");
}

TEST_F(ClsBDTest, SignatureLookupIgnoresCaseAndBlanksFirstRowWins) {
    list().assign({{"A", "other", "s0"}, {"B", "abc", "first"}, {"C", " ABC", "second"}});
    EXPECT_EQ(bd().BuscarfirmaenLV(" ABC "), "first");
    EXPECT_EQ(bd().BuscarfirmaenLV("abc\t"), "");
    list().sortBy(2, AccountList::Order::Descending);
    EXPECT_EQ(bd().BuscarfirmaenLV("abc"), "second");
    EXPECT_EQ(bd().BuscarfirmaenLV("missing"), "");
}

}  // namespace
