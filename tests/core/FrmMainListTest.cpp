#include <gtest/gtest.h>
#include <QStringList>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"

namespace {

const QByteArray kA = DatabaseText::record("Alpha", "c-a", "s-a", "about alpha\r\n");
const QByteArray kB = DatabaseText::record("bravo", "c-b", "s-b", "about\r\nbravo\r\n");
const QByteArray kC = DatabaseText::record("Charlie", "c-c", "s-c", "\r\n");
const QByteArray kHeader = DatabaseText::Header;

class FrmMainListTest : public ::testing::Test {
protected:
    FrmMainListTest() {
        app.write("Accounts.dat", kHeader + kB + kA + kC);
        app.setStore("c-b", "s-b");
        app.main().Form_Load();
    }
    AccountList& list() { return app.main().LvAccounts; }
    QStringList column(int index) {
        QStringList values;
        for (int i = 1; i <= list().count(); ++i)
            values << list().cell(i, index);
        return values;
    }
    AppFolder app;
};

TEST_F(FrmMainListTest, RenamingRefusesTakenNamesAndSavesLater) {
    app.select("bravo");
    for (const char* taken : {"ALPHA", "Bravo"}) {
        app.dialogs.expect({"The name you have entered already exists"});
        EXPECT_FALSE(app.main().LvAccounts_AfterLabelEdit(taken));
    }
    EXPECT_EQ(list().selectedRow().name, "bravo");
    EXPECT_FALSE(app.main().TiSave.Enabled);

    EXPECT_TRUE(app.main().LvAccounts_AfterLabelEdit("Beta"));
    EXPECT_EQ(list().selectedRow().name, "Beta");
    EXPECT_TRUE(app.main().TiSave.Enabled);
    EXPECT_FALSE(app.main().CmdEdit.Enabled);

    app.main().Form_Unload();  // closing before the timer ran still saves
    EXPECT_EQ(app.read("Accounts.dat"), kHeader + kA + QByteArray(kB).replace("bravo\r\nc-b", "Beta\r\nc-b") + kC);
    EXPECT_FALSE(app.main().TiSave.Enabled);
}

TEST_F(FrmMainListTest, HeaderClicksFlipTheOrderWhicheverColumn) {
    struct Step {
        int column;
        QStringList names;
        std::array<int, 3> icons;
    };
    const Step steps[] = {
        {1, {"Charlie", "bravo", "Alpha"}, {0, 2, 0}},
        {0, {"Alpha", "bravo", "Charlie"}, {1, 0, 0}},
        {0, {"Charlie", "bravo", "Alpha"}, {2, 0, 0}},
        {2, {"Alpha", "bravo", "Charlie"}, {0, 0, 1}},
    };
    EXPECT_EQ(list().headerIcon(0), AccountList::AscendingMark);
    for (const Step& step : steps) {
        app.main().LvAccounts_ColumnClick(step.column);
        EXPECT_EQ(column(0), step.names) << step.column;
        EXPECT_EQ((std::array<int, 3>{list().headerIcon(0), list().headerIcon(1), list().headerIcon(2)}), step.icons);
    }
    // On an empty list a click changes nothing.
    list().clear();
    app.main().LvAccounts_ColumnClick(1);
    EXPECT_EQ(list().sortOrder(), AccountList::Order::Ascending);
    EXPECT_EQ(list().headerIcon(2), AccountList::AscendingMark);
}

TEST_F(FrmMainListTest, TheCommentFollowsTheSelection) {
    app.select("bravo");
    app.main().LvAccounts_Click();
    EXPECT_EQ(app.main().TxtComentarios.Text, "about\r\nbravo");
    app.select("Charlie");
    app.main().LvAccounts_KeyUp();
    EXPECT_EQ(app.main().TxtComentarios.Text, "");
}

TEST_F(FrmMainListTest, DoubleClickedLabelsGoToTheClipboardWithABeep) {
    app.main().LblName_DblClick();
    app.main().LblCode_DblClick();
    app.main().LblSignature_DblClick();
    EXPECT_EQ(app.dialogs.clipboard, (QStringList{"bravo", "c-b", "s-b"}));
    EXPECT_EQ(app.dialogs.beeps, 3);
}

}  // namespace
