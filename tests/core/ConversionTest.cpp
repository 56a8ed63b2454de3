#include <gtest/gtest.h>
#include <QDir>

#include "AppFolder.h"
#include "ClsBD.h"
#include "Printers.h"
#include "ProgramBoxes.h"
#include "Programa.h"
#include "RunError.h"
#include "forms/Frm_Main.h"

namespace {

using Rows = std::vector<AccountRow>;

const QByteArray kOld = "A\r\na1\r\ns1\r\nB\r\nb2\r\ns2\r\n";
const QByteArray kConverted = "Version: 101\r\nA\r\na1\r\ns1\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n"
                              "B\r\nb2\r\ns2\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n";
const QByteArray kMissing = "<missing>";

MessageBoxSpec newerDatabase() {
    return {"The Version of the current database was created by a newer version of this program. I cannot convert it "
            "without damaging the database. Download the lastest version of the program.\r\nYou can get the lastest "
            "version at " +
            Programa::PaginaWeb};
}

struct ConversionCase {
    const char* what;
    QByteArray file;
    QByteArray after;  // Accounts.dat once loaded
    QByteArray old;    // Accounts.dat.old
    Rows rows;         // the list after loading; {"stale"} when the load stopped early
    enum { Quiet, Converted, Refused, Failed } outcome = Quiet;
};

TEST(Conversion, OlderFilesAreConvertedNewerOnesRefused) {
    const Rows stale{{"stale", "row", "here"}};
    const ConversionCase cases[] = {
        {"three lines per account",
         kOld,
         kConverted,
         kOld,
         {{"B", "b2", "s2"}, {"A", "a1", "s1"}},
         ConversionCase::Converted},
        {"a header of 102",
         "DB Version: 102\r\nA\r\na\r\ns\r\n<COMENTARIO>\r\n</COMENTARIO>\r\n",
         {},
         kMissing,
         stale,
         ConversionCase::Refused},
        {"a first name ending in 500", "Trader500\r\nt\r\ns\r\n", {}, kMissing, stale, ConversionCase::Refused},
        {"an empty file", "", "DB Version: 101\r\n", kMissing, {}},
        {"line ends of LF alone: one line of version 0",
         "DB Version: 101\nX\nx\nsx\n",
         {},
         {},
         stale,
         ConversionCase::Failed},
        {"an account cut short", kOld + "C\r\n", {}, {}, stale, ConversionCase::Failed},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(c.what);
        AppFolder app;
        app.mkdir("Logs");
        app.write("Accounts.dat", c.file);
        app.main().LvAccounts.assign(stale);
        if (c.outcome == ConversionCase::Converted)
            app.dialogs.expect(ProgramBoxes::Converted(QDir::toNativeSeparators(app.mv->App)));
        if (c.outcome == ConversionCase::Refused)
            app.dialogs.expect(newerDatabase());
        // Said in plain words: what failed, and where the original is.
        if (c.outcome == ConversionCase::Failed)
            app.dialogs.expect(ScriptedDialogs::errorBox(
                "The database could not be converted from the older format (Input past end of file: " +
                    QDir::toNativeSeparators(app.path("Accounts.dat.old")) +
                    "). It has not been changed: the original is kept in " +
                    QDir::toNativeSeparators(app.path("Accounts.dat")) + " and a copy of it in " +
                    QDir::toNativeSeparators(app.path("Accounts.dat.old")) +
                    ". No account can be stored, changed or deleted until it is converted.",
                app.logPath("ClsConvertirDBVieja.log")));

        bool ended = false;
        try {
            app.mv->bd().cargarbdallv();
        } catch (const EndProgram&) {
            ended = true;
        }
        EXPECT_EQ(ended, c.outcome == ConversionCase::Refused);
        // A refused or failed conversion leaves the database as it was.
        EXPECT_EQ(app.read("Accounts.dat"), c.after.isNull() ? c.file : c.after);
        EXPECT_EQ(app.read("Accounts.dat.old"), c.old.isNull() ? c.file : c.old);
        EXPECT_EQ(app.rows(), c.rows);
        if (c.outcome == ConversionCase::Failed) {
            EXPECT_TRUE(app.read("Logs/ClsConvertirDBVieja.log").endsWith("\r\n       ClsDBConv.ConvDBdesde100\r\n"));
        }
    }
}

}  // namespace
