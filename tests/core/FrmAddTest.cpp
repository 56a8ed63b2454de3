#include <gtest/gtest.h>

#include "AppFolder.h"
#include "Printers.h"
#include "forms/Frm_Add.h"

namespace {

const QByteArray kDatabase = "DB Version: 101\r\nMain\r\nabc\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n";

class FrmAddTest : public ::testing::Test {
protected:
    FrmAddTest() {
        app.write("Accounts.dat", kDatabase);
        app.setStore("abc", "s");
        app.main().Form_Load();
        app.main().MnuAdd_Click();
    }
    Frm_Add& add() { return app.windows->frmAdd; }
    void type(const QString& name, const QString& code, const QString& signature, const QString& comment = {}) {
        add().TxtNombre.Text = name;
        add().TxtCodigo.Text = code;
        add().TxtFirma.Text = signature;
        add().TxtComentarios.Text = comment;
    }
    AppFolder app;
};

TEST_F(FrmAddTest, ChecksRunInOrderAndKeepTheDialogOpen) {
    struct Case {
        const char* what;
        QString name, code, signature, comment;
        MessageBoxSpec box;
        QString focus;
    };
    const MessageBoxSpec nameTaken{"An account with that name already exists", "Duplicated entry"};
    const Case cases[] = {
        {"name taken in another case, the rest empty", "MAIN", "", "", "", nameTaken, "TxtNombre"},
        {"empty name", "", "new", "sig", "", {"Insert a name"}, "TxtNombre"},
        {"empty code", "New", "", "sig", "", {"Insert the account code"}, "TxtCodigo"},
        {"empty signature",
         "New",
         "new",
         "",
         "",
         {"Accounts without signature can't be added", {}, MsgButtons::OK, MsgIcon::Critical},
         "TxtNombre"},
        {"code taken in another case",
         "New",
         "ABC",
         "sig",
         "",
         {"This account already exists", "Duplicated entry"},
         "TxtNombre"},
        {"line break in the code",
         "New",
         "a\nb",
         "sig",
         "",
         {"The code cannot hold a line break.", {}, MsgButtons::OK, MsgIcon::Exclamation},
         "TxtCodigo"},
        {"character outside the code page",
         "New",
         "new",
         "\u0142",
         "",
         {"The signature holds characters that cannot be stored: \u0142", {}, MsgButtons::OK, MsgIcon::Exclamation},
         "TxtFirma"},
        {"comment line that would close the comment",
         "New",
         "new",
         "sig",
         "one\r\n</comentario>\r\ntwo",
         {"A comment line cannot read \"</COMENTARIO>\": it would end the comment early.",
          {},
          MsgButtons::OK,
          MsgIcon::Exclamation},
         "TxtComentarios"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        type(c.name, c.code, c.signature, c.comment);
        add().FocusedControl = "TxtNombre";
        app.dialogs.expect(c.box);
        add().CmdAdd_Click();
        EXPECT_EQ(add().FocusedControl, c.focus);
        EXPECT_TRUE(add().Visible);
        EXPECT_FALSE(app.main().Enabled);
        EXPECT_EQ(add().TxtNombre.Text, c.name);
        EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
    }
}

TEST_F(FrmAddTest, EveryWayOfClosingEnablesTheMainWindow) {
    add().CmdCancel_Click();
    EXPECT_FALSE(add().Visible);
    EXPECT_TRUE(app.main().Enabled);
    app.main().MnuAdd_Click();
    EXPECT_FALSE(app.main().Enabled);
    add().Form_Unload();
    EXPECT_TRUE(app.main().Enabled);
}

}  // namespace
