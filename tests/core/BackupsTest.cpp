#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>

#include "AppFolder.h"
#include "ClsBD.h"
#include "FileTexts.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "RunError.h"

namespace {

const QByteArray kDatabase = DatabaseText().account("Main", "abc", "sig");

class BackupsTest : public ::testing::Test {
protected:
    BackupsTest() {
        app.write("Accounts.dat", kDatabase);
        app.write("Opciones.dat", optionsText(1, 1));
    }
    QStringList copies() { return QDir(app.path("Backups")).entryList({"Accounts *.dat"}, QDir::Files, QDir::Name); }
    AppFolder app;
};

TEST_F(BackupsTest, EveryRewriteKeepsACopyOfTheDatabaseTheNewestTen) {
    app.setStore("abc", "sig");
    app.main().Form_Load();
    EXPECT_TRUE(copies().isEmpty()) << "loading rewrites nothing";
    for (int i = 0; i < 12; ++i) {
        app.main().LvAccounts.setName(1, QString("Name %1").arg(i));
        app.mv->bd().guardarcambios();
    }
    const QStringList names = copies();
    ASSERT_EQ(names.size(), 10);
    const QRegularExpression pattern(R"(^Accounts \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d\.\d{3}\.dat$)");
    EXPECT_TRUE(pattern.match(names.last()).hasMatch()) << names.last().toStdString();
    EXPECT_TRUE(app.read("Backups/" + names.last()).contains("Name 10\r\n"))
        << "the database just before the last save";
    EXPECT_TRUE(app.read("Backups/" + names.first()).contains("Name 1\r\n"));

    app.main().Delete_Click();  // the deletion option is on
    EXPECT_TRUE(app.read("Backups/" + copies().last()).contains("Name 11\r\n"));
}

TEST_F(BackupsTest, EveryOverwriteOfTheActiveAccountIsLogged) {
    app.setStore("unstored \"quoted\\\"", "old-sig");
    app.dialogs.expect(ProgramBoxes::NewAccountFound, MsgAnswer::No);
    app.main().Form_Load();
    app.dialogs.expect(ProgramBoxes::Danger, MsgAnswer::Yes);
    app.main().LvAccounts_DblClick();
    const QStringList lines = QString::fromLatin1(app.read("Backups/ActiveAccounts.log")).split("\r\n");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  )").match(lines[0]).hasMatch());
    EXPECT_TRUE(lines[0].endsWith(R"("MPAccountName"="unstored \"quoted\\\""  "MPAccountNameSig"="old-sig")"))
        << lines[0].toStdString();
    EXPECT_EQ(app.storeValue("MPAccountName"), "abc");
}

// A backup that cannot be made is reported once and the work goes on: the save, the deletion
// and the activation.
TEST_F(BackupsTest, ABackupThatCannotBeMadeIsReportedOnceAndBlocksNothing) {
    app.mkdir("Logs");
    app.write("Backups", "a file where the folder should be");
    app.setStore("abc", "sig");
    app.main().Form_Load();
    app.main().LvAccounts.setName(1, "Renamed");
    app.dialogs.expect(
        ScriptedDialogs::errorBox("Path/File access error: " + QDir::toNativeSeparators(app.path("Backups")) +
                                      " is a file (the safety copy was not made; the work goes on "
                                      "without it)",
                                  app.logPath("ClsRespaldos.log")));
    app.mv->bd().guardarcambios();
    EXPECT_TRUE(app.read("Accounts.dat").contains("Renamed\r\n"));
    app.main().LvAccounts_DblClick();  // activation: the options ask nothing
    app.main().Delete_Click();
    EXPECT_EQ(app.read("Accounts.dat"), DatabaseText().bytes());
    EXPECT_EQ(app.read("Logs/ClsRespaldos.log").count("Respaldos."), 1);
}

}  // namespace
