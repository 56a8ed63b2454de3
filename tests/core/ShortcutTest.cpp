#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "TestFolder.h"
#include "ShortcutFile.h"
#include "forms/Frm_ShortCut.h"

namespace {

// Puts a program at `program` that records the arguments and the WINEPREFIX it is started with.
void recorder(const TestFolder& folder, const QString& program) {
    folder.write(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" \"${WINEPREFIX-<unset>}\" >'" +
                              folder.path("started").toUtf8() + "'\n");
    QFile::setPermissions(folder.path(program), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Checks a launcher with the desktop's own tools and starts it as a desktop does; gives what the
// recorder of `folder` was started with.
QStringList launched(const TestFolder& folder, const QString& launcher) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("WINEPREFIX");
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    for (const QStringList& command : {QStringList{"desktop-file-validate", launcher}, {"gio", "launch", launcher}}) {
        tool.start(command[0], command.mid(1));
        const bool finished = tool.waitForFinished(10000);
        const QString output = QString::fromUtf8(tool.readAll());
        if (!finished || tool.exitCode() != 0 || !output.isEmpty())
            return {command.join(' ') + " (desktop-file-utils, libglib2.0-bin): " + tool.errorString() + output};
    }
    // gio starts the program and does not wait for it.
    for (int waited = 0; waited < 10000 && !QFileInfo(folder.path("started")).size(); waited += 20)
        QThread::msleep(20);
    QFile started(folder.path("started"));
    QStringList lines = started.open(QIODevice::ReadOnly) ? QString::fromUtf8(started.readAll()).split('\n')
                                                          : QStringList{};
    started.remove();
    return lines.mid(0, lines.size() - 1);
}

class ShortcutTest : public ::testing::Test {
protected:
    ShortcutTest() {
        app.write("Accounts.dat", DatabaseText().account("My: \"Main\"/acc", "code-1", "sig"));
        app.setStore("code-1", "sig");
        app.main().Form_Load();
        shortcut().Show();
        app.mkdir("Desk top");
    }
    Frm_ShortCut& shortcut() { return app.windows->frmShortCut; }
    void fill(const QString& name, const QString& folder) {
        shortcut().TxtNombre.Text = name;
        shortcut().TxtPath.Text = folder;
    }
    AppFolder app;
};

TEST(DesktopLauncher, StartsTheProgramWithExactlyItsArguments) {
    const struct {
        QString folder, arguments, prefix;
    } cases[] = {
        {"vantor", "/A=abc /W", ""},
        {"my games", "/A=a\"b\\c$d`e%f /S=1.2.3.4:2302 /Y", "/games/fl"},
        {"100% \"sure\" $HOME `id` a\\b", "/A=x;rm -rf ~ & 'q'", "/home/me/$HOME \"pre\" `id` a\\b 100%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        TestFolder folder;
        recorder(folder, c.folder + "/VTR");
        const QString launcher = ShortcutFile::write(folder.path(), "Fighter \"1\"", folder.path(c.folder + "/VTR"),
                                                     c.arguments, c.prefix);
        // Made in a Wine prefix, the launcher runs the program in it.
        EXPECT_EQ(launched(folder, launcher), (QStringList{c.arguments, c.prefix.isEmpty() ? "<unset>" : c.prefix}));
    }
}

TEST_F(ShortcutTest, BrowsingProposesACleanNameAndSplitsTheChoice) {
    app.dialogs.files.push_back({app.path("Desk top/Fighter.desktop"), "Fighter.desktop"});
    shortcut().CmdPath_Click();
    EXPECT_EQ(shortcut().TxtPath.Text, app.path("Desk top/"));
    EXPECT_EQ(shortcut().TxtNombre.Text, "Fighter");

    app.dialogs.files.push_back({app.path("Desk top/Plain"), "Plain"});
    shortcut().CmdPath_Click();
    EXPECT_EQ(shortcut().TxtNombre.Text, "Plain") << "a name without the extension keeps every character";

    app.dialogs.files.push_back({});
    shortcut().CmdPath_Click();
    EXPECT_EQ(shortcut().TxtNombre.Text, "Plain") << "cancelled: nothing changes";
}

TEST_F(ShortcutTest, ChecksRunInOrder) {
    struct Case {
        const char* what;
        bool autoConnect;
        std::array<const char*, 5> address;
        QString name, folder, message, focus;
    };
    const Case cases[] = {
        {"bad address", true, {"1", "2", "3", "256", "2302"}, "n", "f", "The entered Ip is not valid.", "TxtIP(0)"},
        {"port not a number", true, {"1", "2", "3", "4", "80a"}, "n", "f", "The entered port is not valid", "TxtIP(4)"},
        {"port zero",
         true,
         {"1", "2", "3", "4", "0"},
         "n",
         "f",
         "The port is out of range (Valid range: 1-65535)",
         "TxtIP(4)"},
        {"port too big",
         true,
         {"1", "2", "3", "4", "65536"},
         "n",
         "f",
         "The port is out of range (Valid range: 1-65535)",
         "TxtIP(4)"},
        {"rubbish ignored without auto-connect, no folder",
         false,
         {"x", "", "", "", "y"},
         "n",
         "",
         "Select the shortcut location",
         "TxtPath"},
        {"no name", false, {}, "", "f", "Imput the shortcut name", "TxtNombre"},
        {"a name cleaned to nothing", false, {}, "/:*?", "f", "Imput the shortcut name", "TxtNombre"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        shortcut().Show();
        shortcut().ChkAutoConnect.Value = c.autoConnect ? 1 : 0;
        shortcut().ChkAutoConnect_Click();
        for (std::size_t i = 0; i < 5; ++i)
            if (c.address[i])
                shortcut().TxtIP[i].Text = c.address[i];
        fill(c.name, c.folder);
        app.dialogs.expect({c.message});
        shortcut().CmdOk_Click();
        EXPECT_EQ(shortcut().FocusedControl, c.focus);
        EXPECT_TRUE(shortcut().Visible);
    }
}

TEST_F(ShortcutTest, WritesALauncherForTheSelectedAccount) {
    shortcut().ChkAutoConnect.Value = 1;
    shortcut().ChkAutoConnect_Click();
    shortcut().TxtIP[4].Text = "1e3";
    shortcut().ChkWindowed.Value = 1;
    shortcut().ChkOverwrite.Value = 1;
    fill("Main: \"one\"", app.path("Desk top/"));
    app.dialogs.expect(
        {"Shortcut Main ''one'' Created at " + app.path("Desk top/"), {}, MsgButtons::OK, MsgIcon::Exclamation});
    shortcut().CmdOk_Click();
    EXPECT_FALSE(shortcut().Visible);

    const QString launcher = app.path("Desk top/Main ''one''.desktop");
    EXPECT_TRUE(QFile::permissions(launcher) & QFile::ExeOwner);
    recorder(app, "VTR");
    EXPECT_EQ(launched(app, launcher), (QStringList{"/A=code-1 /S=127.0.0.1:1e3 /W /Y", "<unset>"}));
}

TEST_F(ShortcutTest, TheHighestPortIsTakenAndTheBoxesHoldThreeDigitsAndFive) {
    shortcut().Show();
    shortcut().ChkAutoConnect.Value = 1;
    shortcut().ChkAutoConnect_Click();
    shortcut().TxtIP[4].Text = "65535";
    fill("Top", app.path("Desk top/"));
    app.dialogs.expect({"Shortcut Top Created at " + app.path("Desk top/"), {}, MsgButtons::OK, MsgIcon::Exclamation});
    shortcut().CmdOk_Click();
    EXPECT_FALSE(shortcut().Visible);
    std::array<int, 5> lengths{};
    for (std::size_t i = 0; i < lengths.size(); ++i)
        lengths[i] = shortcut().TxtIP[i].MaxLength;
    EXPECT_EQ(lengths, (std::array<int, 5>{3, 3, 3, 3, 5}));
}

TEST_F(ShortcutTest, TheDotKeyMovesToTheNextAddressBox) {
    shortcut().TxtIP[1].Text = "12.";
    shortcut().TxtIP_KeyUp(1, 190);
    EXPECT_EQ(shortcut().TxtIP[1].Text, "12");
    EXPECT_EQ(shortcut().FocusedControl, "TxtIP(2)");
    shortcut().FocusedControl.clear();
    shortcut().TxtIP[4].Text = "23.02";
    shortcut().TxtIP_KeyUp(4, 110);
    EXPECT_EQ(shortcut().TxtIP[4].Text, "2302");
    EXPECT_EQ(shortcut().FocusedControl, "");
    shortcut().TxtIP_KeyUp(2, 65);
    EXPECT_EQ(shortcut().FocusedControl, "");
}

}  // namespace
