#include <gtest/gtest.h>
#include <map>
#include <QDir>

#include "AppFolder.h"
#include "ClsRegistro.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kHeader = DatabaseText::Header;
// Two names that become one file name, one that becomes none, values a script must escape.
const QByteArray kDatabase = DatabaseText()
                                 .account("Quote", "q\\1\"2", "s\"\\", "\r\n")
                                 .account("Al|pha", "c-x", "s-x", "\r\n")
                                 .account("Alpha", "c-a", "s-a", "about alpha\r\n")
                                 .account("???", "c-q", "s-q", "\r\n");

QByteArray script(const QByteArray& code, const QByteArray& signature) {
    return "REGEDIT4\r\n\r\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
           "\"MPAccountName\"=\"" +
           code + "\"\r\n\"MPAccountNameSig\"=\"" + signature + "\"\r\n";
}
const QByteArray kQuoteScript = script("q\\\\1\\\"2", "s\\\"\\\\");

using Box = std::pair<MessageBoxSpec, MsgAnswer>;
const MessageBoxSpec& kScope = ProgramBoxes::ExportScope;
const MessageBoxSpec& kFolder = ProgramBoxes::ExportToFolder;
const MessageBoxSpec& kFolderOverwrite = ProgramBoxes::ExportFolderOverwrite;
const MessageBoxSpec kOverwrite{"The file already exists. Overwrite?", "", MsgButtons::YesNo, MsgIcon::Question,
                                MsgAnswer::Yes};
const MessageBoxSpec& kComments = ProgramBoxes::ExportNoComments;
const MessageBoxSpec kNothing{"Nothing was exported: the file name must end in .ADF or .reg.", "Export", MsgButtons::OK,
                              MsgIcon::Exclamation};
const MessageBoxSpec& kSuccess = ProgramBoxes::Exported;

struct ExportCase {
    const char* what;
    QString chosen;
    bool all;
    std::map<QString, QByteArray> before;
    std::vector<Box> questions;           // after the scope question
    std::map<QString, QByteArray> after;  // "<missing>" for a file that must not exist
    bool succeeds;
};

// The database loaded as at start-up, sorted by name, with the selected account's comment
// being edited and an account added to the list but not saved.
void start(AppFolder& app) {
    app.write("Accounts.dat", kDatabase);
    app.setStore("c-a", "s-a");
    app.main().Form_Load();
    AccountList& list = app.main().LvAccounts;
    list.add(list.count() + 1, {"Zulu", "z", "sz"});
    app.select("Quote");
    app.main().TxtComentarios.Text = "edited\r\nnot saved";
}

// A code or signature holding a line break (from an imported file) would break a script apart:
// the writer refuses it, says so, and writes nothing for that account; the others are written.
TEST(Export, AValueWithALineBreakIsRefused) {
    AppFolder app;
    app.write("Accounts.dat", kHeader + "Broken\r\nc\nx\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n" +
                                  "Fine\r\nc-f\r\ns-f\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n");
    app.setStore("c-f", "s-f");
    app.main().Form_Load();
    app.dialogs.files.push_back({app.path("All.reg"), "All.reg"});
    app.dialogs.expect(kScope, MsgAnswer::Yes);
    app.dialogs.expect(kFolder, MsgAnswer::Yes);
    app.dialogs.expect({"The account code or its signature holds a line break, which a registry script cannot hold. "
                        "Nothing was written to " +
                            QDir::toNativeSeparators(app.path("All/Broken.reg")) + ".",
                        {},
                        MsgButtons::OK,
                        MsgIcon::Exclamation});
    app.main().Export_Click();  // not called successful
    EXPECT_EQ(app.read("All/Broken.reg"), "<missing>");
    EXPECT_EQ(app.read("All/Fine.reg"), script("c-f", "s-f"));
}

TEST(Export, AScriptThatCannotBeWrittenIsReportedAndTheOthersWritten) {
    AppFolder app;
    start(app);
    app.mkdir("Backup/Quote.reg");
    app.dialogs.files.push_back({app.path("Backup.reg"), "Backup.reg"});
    app.dialogs.expect(kScope, MsgAnswer::Yes);
    app.dialogs.expect(kFolder, MsgAnswer::Yes);
    app.dialogs.expect(ScriptedDialogs::errorBox(
        "Path/File access error: " + QDir::toNativeSeparators(app.path("Backup/Quote.reg")) + " is a folder",
        app.logPath("ClsReg.log")));
    app.main().Export_Click();  // and no success message
    EXPECT_EQ(app.read("Backup/Zulu.reg"), script("z", "sz"));
    EXPECT_TRUE(app.read("Logs/ClsReg.log").endsWith("\r\n       ClsReg.CrearReg\r\n"));
}

TEST(Export, MergingAScriptSetsExactlyTheStoredValues) {
    AppFolder app;
    app.mkdir("Logs");
    const std::pair<QString, QByteArray> values[] = {
        {"", ""},
        {"a\\b", "a\\\\b"},
        {"\\\"\\", "\\\\\\\"\\\\"},
        {"é ", "\xE9 "},
    };
    for (const auto& [value, written] : values) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(app.mv->registro().CrearReg(app.path("x.reg"), value, value + "sig"));
        EXPECT_EQ(app.read("x.reg"), script(written, written + "sig"));
        RegistryFile merged(app.path("x.reg"));
        EXPECT_EQ(merged.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName"), value);
        EXPECT_EQ(merged.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountNameSig"),
                  value + "sig");
    }
}

}  // namespace
