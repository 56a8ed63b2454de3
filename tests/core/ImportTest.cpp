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

int records(const QByteArray& file) { return int(file.count("<COMENTARIO>\r\n")); }

TEST(Import, MergesNewCodesOnly) {
    const QByteArray newRecord = "New\r\nn1\r\ns2\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n";
    const ImportCase cases[] = {
        {"known codes, in any letter case",
         kHeader + "Other\r\nC-A\r\nx\r\n<COMENTARIO>\r\nnote\r\n</COMENTARIO>\r\n",
         "",
         {kNothingNew}},
        {"new codes with known names, comments line for line, closers in any case",
         kHeader + "ALPHA\r\nn1\r\ns1\r\n<x>\r\none\r\n\r\ntwo\r\n</comentario>\r\n" + newRecord,
         "ALPHA(Duplicated name)\r\nn1\r\ns1\r\n<COMENTARIO>\r\none\r\n\r\ntwo\r\n</COMENTARIO>\r\n" + newRecord,
         {kImported}},
        {"a lower-case closer in a skipped record runs the skip on to the next exact one",
         kHeader +
             "x\r\nc-b\r\ns\r\n<COMENTARIO>\r\n</comentario>\r\nLost\r\nn2\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n" +
             newRecord,
         newRecord,
         {kImported}},
        {"... or past the end of the source",
         kHeader + newRecord + "x\r\nc-b\r\ns\r\n<COMENTARIO>\r\n</comentario>\r\n",
         {},
         {},
         kImportLog},
        {"a record without its closer",
         kHeader + newRecord + "Cut\r\nn3\r\ns\r\n<COMENTARIO>\r\nnote\r\n",
         {},
         {},
         kImportLog},
        {"a version-100 source",
         "Old\r\no1\r\nso\r\nAlpha\r\nc-a\r\ns\r\n",
         "Old\r\no1\r\nso\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n",
         {kOldSource, kImported}},
        {"a version-100 source cut short", "Old\r\no1\r\nso\r\nCut\r\n", {}, {}, kConversionLog},
        {"an empty source", "", "", {kNothingNew}},
        {"a newer source", "DB Version: 102\r\n" + newRecord, {}, {kNewerSource}, nullptr, true},
    };
    for (const ImportCase& c : cases) {
        SCOPED_TRACE(c.what);
        AppFolder app;
        start(app);
        app.write("source.ADF", c.source);
        app.dialogs.files.push_back({app.path("source.ADF"), "source.ADF"});
        for (const MessageBoxSpec& box : c.boxes)
            app.dialogs.expect(box);
        if (c.failureLog)
            app.dialogs.expect(ScriptedDialogs::errorBox(
                "Input past end of file: " + QDir::toNativeSeparators(app.path("Accounts.dat.Aux")),
                app.logPath(c.failureLog)));

        bool ended = false;
        try {
            app.main().Import_Click();
        } catch (const EndProgram&) {
            ended = true;
        }
        EXPECT_EQ(ended, c.ends);
        const QByteArray database = app.read("Accounts.dat");
        EXPECT_EQ(database, c.added.isNull() ? kDatabase : kMerged + c.added);
        // The database before the import, once the merge has begun.
        const bool merging = !c.added.isNull() || c.failureLog == kImportLog;
        EXPECT_EQ(app.read("Accounts.dat.bak"), merging ? kDatabase : "<missing>");
        EXPECT_EQ(app.read("source.ADF"), c.source);
        const bool converted = (!c.boxes.empty() && c.boxes.front() == kOldSource) || c.failureLog == kConversionLog;
        EXPECT_EQ(app.read("Accounts.dat.old"), converted ? kDatabase : "<missing>");
        if (!c.added.isNull()) {
            EXPECT_EQ(app.read("Accounts.dat.Aux"), "<missing>");
        }
        if (!ended) {
            EXPECT_EQ(app.main().LvAccounts.count(), records(database)) << "reloaded";
        }
    }
}

// A record whose name, code or signature holds a line break (a lone LF, which reads as text)
// would break apart once written: it is refused with a report, the others are imported.
TEST(Import, RecordsWithLineBreaksAreRefusedWithAReport) {
    AppFolder app;
    start(app);
    const QByteArray good = "Good\r\nc-g\r\ns-g\r\n<COMENTARIO>\r\n\r\n</COMENTARIO>\r\n";
    app.write("source.ADF", kHeader + "Bad\nname\r\nc-n\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n" +
                                "Bad code\r\nc\nn\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n" + good);
    app.dialogs.files.push_back({app.path("source.ADF"), "source.ADF"});
    app.dialogs.expect(ScriptedDialogs::errorBox("Invalid file format: 2 of the accounts in " +
                                                     QDir::toNativeSeparators(app.path("source.ADF")) +
                                                     " were not imported: a name, code or signature holds a line break",
                                                 app.logPath(kImportLog)));
    app.dialogs.expect(kImported);
    app.main().Import_Click();
    EXPECT_EQ(app.read("Accounts.dat"), kMerged + good);
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

TEST(Import, CancellingChangesNothingButStillReloads) {
    AppFolder app;
    start(app);
    app.main().LvAccounts.setName(1, "Renamed, not saved");
    app.dialogs.files.push_back({});
    app.main().Import_Click();
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);
    EXPECT_EQ(app.read("Accounts.dat.bak"), "<missing>");
    EXPECT_EQ(app.main().LvAccounts.row(1).name, "Alpha");
}

}  // namespace
