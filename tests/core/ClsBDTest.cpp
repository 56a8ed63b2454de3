#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "ClsBD.h"
#include "Printers.h"
#include "forms/Frm_Main.h"

namespace {

using Rows = std::vector<AccountRow>;

class ClsBDTest : public ::testing::Test {
protected:
    ClsBDTest() { app.mkdir("Logs"); }

    AccountList& list() { return app.mv->main().LvAccounts; }
    ClsBD& bd() { return app.mv->bd(); }

    void expectLoadFailure(const QString& description) {
        app.dialogs.expect(ScriptedDialogs::errorBox(description, app.logPath("ClsBD.log")));
    }

    QString pastEnd() const { return "Input past end of file: " + QDir::toNativeSeparators(app.path("Accounts.dat")); }

    AppFolder app;
};

struct LoadCase {
    const char* what;
    QByteArray file;
    Rows rows;                                          // in list order: the last record first
    std::vector<std::pair<QString, QString>> comments;  // code -> comment
    bool failsPastEnd = false;
};

TEST_F(ClsBDTest, LoadsRecordsOnTopOfEachOther) {
    const QByteArray header = "DB Version: 101\r\n";
    const LoadCase cases[] = {
        {"header only", header, {}, {{"", ""}}},
        {"a comment of two lines",
         header + "Main\r\nabc\r\ndef\r\n<COMENTARIO>\r\nfirst\r\nsecond\r\n</COMENTARIO>\r\n",
         {{"Main", "abc", "def"}},
         {{"abc", "first\r\nsecond"}}},
        {"no comment lines",
         header + "Main\r\nabc\r\ndef\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n",
         {{"Main", "abc", "def"}},
         {{"abc", ""}}},
        {"closer in lower case",
         header + "M\r\nabc\r\nd\r\n<x>\r\nnote\r\n</comentario>\r\nN\r\nn1\r\ns\r\n<x>\r\n</Comentario>\r\n",
         {{"N", "n1", "s"}, {"M", "abc", "d"}},
         {{"abc", "note"}}},
        {"one code twice: the first record's comment, found by the exact code",
         header +
             "One\r\nabc\r\ns\r\n<COMENTARIO>\r\nfirst\r\n</COMENTARIO>\r\nTwo\r\nabc\r\ns\r\n<COMENTARIO>\r\nsecond\r\n</COMENTARIO>\r\n",
         {{"Two", "abc", "s"}, {"One", "abc", "s"}},
         {{"abc", "first"}, {"ABC", ""}, {"abc ", ""}}},
        {"two records",
         header +
             "B\r\nb\r\nsb\r\n<COMENTARIO>\r\n\r\n</COMENTARIO>\r\nA\r\na\r\nsa\r\n<COMENTARIO>\r\n\r\n</COMENTARIO>\r\n",
         {{"A", "a", "sa"}, {"B", "b", "sb"}},
         {}},
        {"line ends of CR alone",
         "DB Version: 101\rX\rx\rsx\r<COMENTARIO>\rc1\rc2\r</COMENTARIO>\r",
         {{"X", "x", "sx"}},
         {{"x", "c1\r\nc2"}}},
        {"a lone LF inside a name",
         header + "a\nb\r\nc\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n",
         {{"a\nb", "c", "s"}},
         {}},
        {"a record without its closer",
         header + "A\r\na\r\nsa\r\n<COMENTARIO>\r\n</COMENTARIO>\r\nB\r\nb\r\nsb\r\n<COMENTARIO>\r\nnote\r\n",
         {{"A", "a", "sa"}},
         {},
         true},
        {"a record cut after its name",
         header + "A\r\na\r\nsa\r\n<COMENTARIO>\r\n</COMENTARIO>\r\nB\r\n",
         {{"A", "a", "sa"}},
         {},
         true},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        list().assign({{"stale", "row", "here"}});
        app.write("Accounts.dat", c.file);
        if (c.failsPastEnd)
            expectLoadFailure(pastEnd());
        bd().cargarbdallv();
        if (c.failsPastEnd) {
            EXPECT_TRUE(app.read("Logs/ClsBD.log")
                            .endsWith(" [62]: " + pastEnd().toUtf8() + "\r\n       ClsBD.cargarbdallv\r\n"));
        }
        EXPECT_EQ(app.rows(), c.rows);
        EXPECT_FALSE(list().sorted());
        for (const auto& [code, comment] : c.comments)
            EXPECT_EQ(bd().traercomentario(code), comment) << code.toStdString();
    }
}

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

TEST_F(ClsBDTest, SavesInDisplayOrderWithComments) {
    app.write("Accounts.dat",
              "DB Version: 101\r\nB\r\nb2\r\nsb\r\n<COMENTARIO>\r\none\r\ntwo\r\nthree\r\n</COMENTARIO>\r\n"
              "A\r\nc1\r\nsa\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n");
    bd().cargarbdallv();
    const QByteArray a = "A\r\nc1\r\nsa\r\n<COMENTARIO>\r\n\r\n</COMENTARIO>\r\n";
    const QByteArray b = "B\r\nb2\r\nsb\r\n<COMENTARIO>\r\none\r\ntwo\r\nthree\r\n</COMENTARIO>\r\n";

    bd().guardarcambios();
    EXPECT_EQ(app.read("Accounts.dat"), "DB Version: 101\r\n" + a + b);

    // A renamed account keeps its comment.
    list().setName(2, "Bee");
    bd().guardarcambios();
    EXPECT_EQ(app.read("Accounts.dat"), "DB Version: 101\r\n" + a + QByteArray(b).replace("B\r\n", "Bee\r\n"));
    list().setName(2, "B");

    list().sortBy(1, AccountList::Order::Ascending);
    bd().guardarcambios();
    EXPECT_EQ(app.read("Accounts.dat"), "DB Version: 101\r\n" + b + a);

    list().clear();
    bd().guardarcambios();
    EXPECT_EQ(app.read("Accounts.dat"), "DB Version: 101\r\n");
}

TEST_F(ClsBDTest, AFailedSaveIsReportedAndChangesNothing) {
    app.write("Accounts.dat", "DB Version: 101\r\n");
    bd().cargarbdallv();
    QFile::remove(app.path("Accounts.dat"));
    app.mkdir("Accounts.dat");
    list().assign({{"A", "a", "s"}});
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "Path/File access error: " + QDir::toNativeSeparators(app.path("Accounts.dat")) + " is a folder",
        app.logPath("ClsBD.log")));
    bd().guardarcambios();
    EXPECT_TRUE(QFileInfo(app.path("Accounts.dat")).isDir());
    EXPECT_TRUE(app.read("Logs/ClsBD.log").endsWith("\r\n       ClsBD.guardarcambios\r\n"));
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
