#include <gtest/gtest.h>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"

namespace {

const QByteArray kHeader = DatabaseText::Header;
const QByteArray kDatabase = DatabaseText()
                                 .account("One", "dup", "s1", "old\r\n")
                                 .account("Two", "dup", "s2")
                                 .account("Three", "c3", "s3", "third\r\n");

// Which toolbar buttons (1, 3, 4, 6, 7, 8, 10) are enabled and which Accounts entries are visible.
struct Controls {
    std::array<bool, 7> buttons;
    std::array<bool, 6> entries;
    bool edit;
};

class FrmMainStatesTest : public ::testing::Test {
protected:
    FrmMainStatesTest() {
        app.write("Accounts.dat", kDatabase);
        app.setStore("c3", "s3");
        app.main().Form_Load();
    }
    Controls controls() {
        Frm_Main& m = app.main();
        Controls c{};
        const int numbers[] = {1, 3, 4, 6, 7, 8, 10};
        for (std::size_t i = 0; i < 7; ++i)
            c.buttons[i] = m.Toolbar1.button(numbers[i]).Enabled;
        c.entries = {m.Scan.Visible,   m.Delete.Visible, m.rrwerw.Visible,
                     m.MnuAdd.Visible, m.Import.Visible, m.Export.Visible};
        c.edit = m.CmdEdit.Enabled;
        return c;
    }
    void expectControls(const Controls& wanted) {
        const Controls c = controls();
        EXPECT_EQ(c.buttons, wanted.buttons);
        EXPECT_EQ(c.entries, wanted.entries);
        EXPECT_EQ(c.edit, wanted.edit);
    }
    AppFolder app;
};

const Controls kAccounts{{true, false, true, true, true, true, true}, {true, true, true, true, true, true}, true};
const Controls kEmpty{{true, false, false, true, true, false, true}, {true, false, false, true, true, false}, false};
const Controls kEditing{
    {false, false, false, false, false, false, false}, {false, false, false, true, false, false}, false};

TEST_F(FrmMainStatesTest, ControlsFollowTheNumberOfAccounts) {
    expectControls(kAccounts);
    EXPECT_EQ(app.main().TxtComentarios.Text, "third");
    app.write("Accounts.dat", kHeader);
    app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::No);
    app.main().Scan_Click();
    expectControls(kEmpty);
    EXPECT_EQ(app.main().TxtComentarios.Text, "");
}

TEST_F(FrmMainStatesTest, EditingLocksTheWindowAndCancelRestores) {
    Frm_Main& m = app.main();
    m.CmdEdit_Click();
    expectControls(kEditing);
    EXPECT_FALSE(m.TxtComentarios.Locked);
    EXPECT_EQ(m.TxtComentarios.BackColor, Colores::LightYellow);
    EXPECT_FALSE(m.LvAccounts.enabled);
    EXPECT_TRUE(m.CmdSalvaComentarios.Enabled && m.CmdCancelar.Enabled);
    EXPECT_FALSE(m.Accounts.Enabled || m.Game.Enabled || m.Help.Enabled);
    EXPECT_TRUE(m.Tools.Enabled);
    EXPECT_EQ(m.FocusedControl, "TxtComentarios");

    m.TxtComentarios.Text = "changed";
    m.CmdCancelar_Click();
    EXPECT_EQ(m.TxtComentarios.Text, "third");
    expectControls(kAccounts);
    EXPECT_TRUE(m.TxtComentarios.Locked);
    EXPECT_EQ(m.TxtComentarios.BackColor, Colores::WindowBackground);
    EXPECT_TRUE(m.LvAccounts.enabled && m.Accounts.Enabled && m.Game.Enabled && m.Help.Enabled);
    EXPECT_FALSE(m.CmdSalvaComentarios.Enabled || m.CmdCancelar.Enabled);
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
}

TEST_F(FrmMainStatesTest, ACommentThatWouldCloseItselfIsRefused) {
    Frm_Main& m = app.main();
    m.CmdEdit_Click();
    m.TxtComentarios.Text = "a\r\n</Comentario>";
    app.dialogs.expect({"A comment line cannot read \"</COMENTARIO>\": it would end the comment early.",
                        {},
                        MsgButtons::OK,
                        MsgIcon::Exclamation});
    m.CmdSalvaComentarios_Click();
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
    expectControls(kEditing);
    EXPECT_EQ(m.TxtComentarios.Text, "a\r\n</Comentario>");
}

TEST_F(FrmMainStatesTest, OptionBoxesRewriteTheOptionsFile) {
    Frm_Main& m = app.main();
    m.ChkDeletion.Value = 1;
    m.ChkDeletion_Click();
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(0, 1));
    EXPECT_EQ(app.mv->Opciones[1], 1);
    EXPECT_EQ(m.ChkDeletion.BackColor, Colores::LightRed);

    m.ChkActivation.Value = 1;
    m.ChkActivation_Click();
    m.ChkDeletion.Value = 0;
    m.ChkDeletion_Click();
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(1, 0));
    EXPECT_EQ(m.ChkDeletion.BackColor, Colores::ButtonFace);
    EXPECT_EQ(app.mv->Opciones, (std::array<int, 2>{1, 0}));

    m.Cargando = true;
    m.ChkDeletion.Value = 1;
    m.ChkDeletion_Click();
    EXPECT_EQ(app.read("Opciones.dat"), optionsText(1, 0));
}

TEST_F(FrmMainStatesTest, TheImportButtonShowsTwoEntriesThenAllSix) {
    Frm_Main& m = app.main();
    Controls during{};
    m.PopupAccountsMenu = [&] { during = controls(); };
    app.write("Accounts.dat", kHeader);
    m.Toolbar1_ButtonClick("import");
    EXPECT_EQ(during.entries, (std::array<bool, 6>{false, false, false, true, true, false}));
    EXPECT_EQ(controls().entries, (std::array<bool, 6>{true, true, true, true, true, true}));
}

TEST_F(FrmMainStatesTest, TheSaveButtonSavesAndReloads) {
    Frm_Main& m = app.main();
    m.LvAccounts.setName(1, "Renamed");
    m.Toolbar1_ButtonClick("SAVE");
    EXPECT_TRUE(app.read("Accounts.dat").contains("Renamed\r\n"));
    EXPECT_FALSE(m.Toolbar1.button(3).Enabled);
    EXPECT_TRUE(m.CmdEdit.Enabled);
    m.Toolbar1_ButtonClick("unknown");
}

}  // namespace
