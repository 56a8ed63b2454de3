#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "Programa.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kHeader = DatabaseText::Header;
const QByteArray kA = DatabaseText::record("Alpha", "c-a", "s-a", "about alpha\r\n");
const QByteArray kB = DatabaseText::record("bravo", "c-b", "s-b", "\r\n");
const QByteArray kDatabase = kHeader + kB + kA;
// The merged database starts with the stored accounts in the list's order, sorted by name.
const QByteArray kMerged = kHeader + kA + kB;

const MessageBoxSpec& kImported = ProgramBoxes::Imported;
const MessageBoxSpec kNothingNew{
    "All the accounts contained on the source file are already on the database. No accounts were imported"};
const MessageBoxSpec kOldSource{"The source has been created by an old version of this program.\r\n"
                                "It is recomended to replace it with a new one, exported from this version."};
const MessageBoxSpec kNewerSource{
    "The Version of the file you are about to import was created by a newer version of this program. I cannot import "
    "it without damaging the database. Download the lastest version of the program.\r\nYou can get the lastest version "
    "at " +
    Programa::PaginaWeb};

const char* const kImportLog = "ClsBD.log";
const char* const kConversionLog = "ClsConvertirDBVieja.log";

struct ImportCase {
    const char* what;
    QByteArray source;
    QByteArray added;  // the records appended to the stored ones; null when the database stays as it was
    std::vector<MessageBoxSpec> boxes;
    const char* failureLog = nullptr;  // where reading past the source's end is reported
    bool ends = false;
};

// A database of two accounts, loaded as at start-up.
void start(AppFolder& app) {
    app.write("Accounts.dat", kDatabase);
    app.setStore("c-a", "s-a");
    app.main().Form_Load();
}

// Only a regular file is read: a device would be read until memory runs out.
TEST(Import, ADeviceIsNotRead) {
    AppFolder app;
    start(app);
    app.dialogs.files.push_back({"/dev/zero", "zero"});
    app.dialogs.expect(
        ScriptedDialogs::errorBox("Path/File access error: /dev/zero is not a regular file", app.logPath(kImportLog)));
    app.main().Import_Click();
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
}

}  // namespace
