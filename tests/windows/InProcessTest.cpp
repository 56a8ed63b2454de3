// The program's window models and views in this process, on Windows' own registry and shell.

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>

#include "FileTexts.h"
#include "FrmMainView.h"
#include "LinkReader.h"
#include "Mod_Variables.h"
#include "Printers.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"
#include "ScriptedDialogs.h"
#include "WindowsTestSupport.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#include "forms/WindowModels.h"

using namespace testing_windows;

namespace {

class InProcessTest : public ::testing::Test {
protected:
    void SetUp() override { testing_windows::setUp("code-2", "sig-2"); }

    RegistryWindows registry;
    ScriptedDialogs dialogs;
    Mod_Variables mv{appFolder(), dialogs, registry};
    WindowModels windows{mv};
};

TEST_F(InProcessTest, WindowShowsTheActiveAccountFromTheRegistry) {
    FrmMainView view(mv);
    mv.main().Form_Load();
    view.render();
    view.show();

    EXPECT_EQ(view.windowTitle(), "Vantor 1.0");
    EXPECT_EQ(view.findChild<QLabel*>("LblName")->text(), "Alt \"quoted\"");
    EXPECT_EQ(view.findChild<QLabel*>("LblCode")->text(), "code-2");
    EXPECT_EQ(view.findChild<QLabel*>("LblSignature")->text(), "sig-2");
    EXPECT_EQ(mv.main().LvAccounts.selectedRow().code, "code-2");
    auto* client = view.findChild<QScrollArea*>();
    EXPECT_FALSE(client->horizontalScrollBar()->isVisible() || client->verticalScrollBar()->isVisible())
        << "the window fits the screen: nothing scrolls";
}

// A shortcut made through the dialog's handlers, as the dialog's buttons run them.
TEST_F(InProcessTest, ShortcutIsALinkThatStartsTheProgramForTheSelectedAccount) {
    QTemporaryDir desktop;
    const QString folder = QDir::toNativeSeparators(desktop.path()) + '\\';
    mv.main().Form_Load();
    Frm_ShortCut& shortcut = mv.frmShortCut();
    shortcut.Show();
    dialogs.files.push_back({folder + "Play Alt.lnk", "Play Alt.lnk"});
    shortcut.CmdPath_Click();
    shortcut.ChkWindowed.Value = 1;
    shortcut.ChkAutoConnect.Value = 1;
    shortcut.ChkAutoConnect_Click();
    const char* server[] = {"10", "0", "0", "7", "2302"};
    for (int i = 0; i < 5; ++i)
        shortcut.TxtIP[std::size_t(i)].Text = server[i];
    dialogs.expect({"Shortcut Play Alt Created at " + folder, {}, MsgButtons::OK, MsgIcon::Exclamation});
    shortcut.CmdOk_Click();

    const testing_win32::Link link = testing_win32::readLink((folder + "Play Alt.lnk").toStdWString());
    ASSERT_TRUE(SUCCEEDED(link.loaded)) << std::hex << link.loaded;
    EXPECT_EQ(QString::fromStdWString(link.target), QDir::toNativeSeparators(appFolder() + "/VTR.exe"));
    EXPECT_EQ(QString::fromStdWString(link.arguments), "/A=code-2 /S=10.0.0.7:2302 /W");
    EXPECT_EQ(QString::fromStdWString(link.workingFolder), "C:\\");
}

}  // namespace

namespace {

// Windows replaces no file that a program holds open: a rewrite lets go of what it read first.
TEST_F(InProcessTest, DeletionReplacesTheDatabaseFile) {
    mv.main().Form_Load();
    dialogs.expect({"Are you sure you want to delete the account code-2?", "Delete", MsgButtons::YesNo,
                    MsgIcon::Question, MsgAnswer::No},
                   MsgAnswer::Yes);
    mv.main().Delete_Click();

    QFile database(appFolder() + "/Accounts.dat");
    ASSERT_TRUE(database.open(QIODevice::ReadOnly));
    EXPECT_EQ(database.readAll(), DatabaseText().account("Main", "CODE-1", "SIG-1", "\r\n").bytes());
    EXPECT_EQ(QDir(appFolder() + "/Logs").entryList(QDir::Files), QStringList()) << "a failure was reported";
}

}  // namespace
