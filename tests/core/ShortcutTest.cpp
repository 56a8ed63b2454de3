#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ShortcutFile.h"
#include "forms/Frm_ShortCut.h"

namespace {

// Splits an Exec value of a .desktop launcher back into its arguments, undoing the value's own
// escapes first and then the quoting, as a desktop does before it starts the program.
QStringList parseExec(const QString& value) {
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            unescaped += next == QLatin1Char('s') ? QChar(' ') : next == QLatin1Char('n') ? QChar('\n') : next;
        } else {
            unescaped += value[i];
        }
    }
    QStringList arguments;
    QString current;
    bool quoted = false, any = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (quoted && c == QLatin1Char('\\') && i + 1 < unescaped.size()) {
            current += unescaped[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            any = true;
        } else if (c == QLatin1Char(' ') && !quoted) {
            if (any || !current.isEmpty())
                arguments << current;
            current.clear();
            any = false;
        } else if (c == QLatin1Char('%') && i + 1 < unescaped.size() && unescaped[i + 1] == QLatin1Char('%')) {
            current += unescaped[++i];
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        arguments << current;
    return arguments;
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
    Frm_ShortCut& shortcut() { return app.mv->frmShortCut(); }
    void fill(const QString& name, const QString& folder) {
        shortcut().TxtNombre.Text = name;
        shortcut().TxtPath.Text = folder;
    }
    AppFolder app;
};

TEST(DesktopExec, ParsesBackToTheProgramAndOneArgument) {
    const std::pair<QString, QString> cases[] = {
        {"/opt/vantor/VTR", "/A=abc /W"},
        {"/home/me/my games/VTR", "/A=a\"b\\c$d`e%f /S=1.2.3.4:2302 /Y"},
        {"/tmp/100% sure/VTR", "/A=x;rm -rf ~ &"},
    };
    for (const auto& [target, arguments] : cases) {
        EXPECT_EQ(parseExec(ShortcutFile::desktopExec(target, arguments)), (QStringList{target, arguments}));
        // Made in a Wine prefix, the launcher runs the program in it.
        for (const QString prefix : {"/games/fl", "/home/me/$HOME \"pre\" 100%"})
            EXPECT_EQ(parseExec(ShortcutFile::desktopExec(target, arguments, prefix)),
                      (QStringList{"env", "WINEPREFIX=" + prefix, target, arguments}));
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

    QFile file(app.path("Desk top/Main ''one''.desktop"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\nType=Application\n"));
    const QRegularExpressionMatch exec = QRegularExpression("\nExec=([^\n]*)\n").match(text);
    ASSERT_TRUE(exec.hasMatch());
    EXPECT_EQ(parseExec(exec.captured(1)), (QStringList{app.path("VTR"), "/A=code-1 /S=127.0.0.1:1e3 /W /Y"}));
    EXPECT_TRUE(file.permissions() & QFile::ExeOwner);
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
