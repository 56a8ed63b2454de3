#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

#include "AppFolder.h"
#include "ClsBD.h"
#include "ClsRespaldos.h"
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
        app.sv->bd.guardarcambios();
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
    app.sv->bd.guardarcambios();
    EXPECT_TRUE(app.read("Accounts.dat").contains("Renamed\r\n"));
    app.main().LvAccounts_DblClick();  // activation: the options ask nothing
    app.main().Delete_Click();
    EXPECT_EQ(app.read("Accounts.dat"), DatabaseText().bytes());
    EXPECT_EQ(app.read("Logs/ClsRespaldos.log").count("Respaldos."), 1);
}

// After the clock went back, every new copy still sorts after the copies named later than now: it
// is never the one pruned, and the next save compares with it.
TEST_F(BackupsTest, TheCopyJustMadeSurvivesAClockPutBack) {
    app.setStore("abc", "sig");
    app.main().Form_Load();
    for (int i = 0; i < ClsRespaldos::Kept; ++i)
        app.write(QStringLiteral("Backups/Accounts 2099-01-01 00.00.00.%1.dat").arg(i, 3, 10, QLatin1Char('0')),
                  "future");
    app.main().LvAccounts.setName(1, "Renamed");
    for (int save = 0; save < 3; ++save)  // the last one finds the file as its newest copy holds it
        app.sv->bd.guardarcambios();
    const QStringList names = copies();
    ASSERT_EQ(names.size(), ClsRespaldos::Kept);
    EXPECT_EQ(names.first(), "Accounts 2099-01-01 00.00.00.002.dat") << "the oldest ones went";
    EXPECT_EQ(names.last(), "Accounts 2099-01-01 00.00.00.011.dat");
    EXPECT_EQ(app.read("Backups/" + names[8]), kDatabase);
    EXPECT_TRUE(app.read("Backups/" + names.last()).contains("Renamed\r\n"));
}

// Every file written from a private database is as private as the database: its conversion, an
// import of an older file, a deletion and an activation.
TEST(PrivateDatabase, CopiesOfTheDatabaseKeepItsPermissions) {
    for (const mode_t mode : {0600, 0640}) {
        BasicAppFolder<DefaultDialogs> app;
        app.write("Accounts.dat", "Old\r\nold-code\r\nold-sig\r\nOther\r\nother-code\r\nother-sig\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(app.path("Accounts.dat")).constData(), mode), 0);
        app.write("Opciones.dat", optionsText(1, 1));
        app.write("Older.ADF", "Imported\r\nnew-code\r\nnew-sig\r\n");
        app.dialogs.chosen = app.path("Older.ADF");
        app.setStore("old-code", "old-sig");
        app.main().Form_Load();
        app.main().Import_Click();
        app.select("Other");
        app.main().Delete_Click();
        app.select("Imported");
        app.main().LvAccounts_DblClick();
        ASSERT_EQ(app.storeValue("MPAccountName"), "new-code") << app.dialogs.lastMessage.toStdString();

        QStringList written = QDir(app.path()).entryList({"Accounts.dat*"}, QDir::Files);
        for (const QString& name : QDir(app.path("Backups")).entryList(QDir::Files))
            written << "Backups/" + name;
        // The database, .bak, .old, three copies and the log.
        EXPECT_EQ(written.size(), 7) << written.join(", ").toStdString();
        for (const QString& name : written) {
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(app.path(name)).constData(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, mode) << name.toStdString();
        }
    }
}

// Another program deletes, empties or cuts the database under the window: that is no new
// database. The next save writes nothing over it and keeps the window's accounts, with their
// comments and the new name, in a copy of their own, and says where.
TEST(LostDatabase, TheWindowsAccountsAreKeptAndNothingIsWrittenOverTheFile) {
    for (const char* left : {"", "DB Ver", static_cast<const char*>(nullptr)}) {
        BasicAppFolder<DefaultDialogs> app;
        app.write("Accounts.dat", DatabaseText().account("A", "a", "sa", "note\r\n").account("B", "b", "sb"));
        app.write("Opciones.dat", optionsText(1, 1));
        app.setStore("a", "sa");
        app.main().Form_Load();
        if (left)
            app.write("Accounts.dat", left);
        else
            QFile::remove(app.path("Accounts.dat"));
        app.sv->bd.renombrar(2, "B renamed");
        app.sv->bd.guardarcambios();

        EXPECT_EQ(app.read("Accounts.dat"), left ? QByteArray(left) : QByteArray("<missing>"));
        const QStringList kept = QDir(app.path("Backups")).entryList({"Recovered accounts *.dat"});
        ASSERT_EQ(kept.size(), 1) << left;
        EXPECT_EQ(app.read("Backups/" + kept[0]),
                  DatabaseText().account("A", "a", "sa", "note\r\n").account("B renamed", "b", "sb", "\r\n").bytes());
        const QString database = QDir::toNativeSeparators(app.path("Accounts.dat"));
        ASSERT_EQ(app.dialogs.shown.size(), 1u) << app.dialogs.lastMessage.toStdString();
        EXPECT_EQ(app.dialogs.shown[0].text,
                  database + (left ? " was emptied" : " was deleted") +
                      " by another program while this window held its 2 accounts. Nothing was written over it: the "
                      "2 accounts are kept in " +
                      QDir::toNativeSeparators(app.path("Backups/" + kept[0])) +
                      ". To get them back, close the program and copy that file over " + database + ".");
        EXPECT_EQ(app.names(), QStringList({"A", "B renamed"}));
    }
}

}  // namespace
