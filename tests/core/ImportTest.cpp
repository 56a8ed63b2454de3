#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "FileTexts.h"
#include "Printers.h"
#include "forms/Frm_Main.h"

namespace {

const QByteArray kDatabase =
    DatabaseText().account("bravo", "c-b", "s-b", "\r\n").account("Alpha", "c-a", "s-a", "about alpha\r\n");
const char* const kImportLog = "ClsBD.log";

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
