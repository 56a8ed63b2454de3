#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>

#include "AppFolder.h"
#include "ClsControlErrores.h"
#include "Printers.h"

namespace {

class ClsControlErroresTest : public ::testing::Test {
protected:
    ClsControlErrores& errores() { return app.sv->errores; }
    AppFolder app;
};

TEST_F(ClsControlErroresTest, ReportsAppendToTheLogAndTellThePerson) {
    app.mkdir("Logs");
    const QString log = app.logPath("ClsBD.log");
    app.dialogs.expect(ScriptedDialogs::errorBox("File not found", log));
    app.dialogs.expect(ScriptedDialogs::errorBox("Something else", log));
    errores().informarerror(log, 53, "File not found", "ClsBD.cargarbdallv");
    errores().informarerror(log, -2147024891, "Something else", "");

    const QStringList lines = QString::fromLatin1(app.read("Logs/ClsBD.log")).split("\r\n");
    ASSERT_EQ(lines.size(), 4) << lines.join('|').toStdString();
    const QRegularExpression first(R"(^\S.* - \d\d?:\d\d:\d\d.* \[53\]: File not found$)");
    EXPECT_TRUE(first.match(lines[0]).hasMatch()) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "       ClsBD.cargarbdallv");
    EXPECT_TRUE(lines[2].endsWith(" [-2147024891]: Something else")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(app.dialogs.beeps, 0);
}

TEST_F(ClsControlErroresTest, AReportThatCannotBeWrittenIsStillShown) {
    const QString log = app.logPath("Frm_Main.log");
    const MessageBoxSpec box = ScriptedDialogs::unwrittenErrorBox(
        "Disk full", "Path not found: " + QDir::toNativeSeparators(app.path("Logs")));
    app.dialogs.expect(box);
    errores().informarerror(log, 61, "Disk full", "main.form_load");  // no Logs folder
    app.write("Logs", "a file where the folder should be");
    app.dialogs.expect(box);
    errores().informarerror(log, 61, "Disk full", "main.form_load");
    EXPECT_EQ(app.dialogs.beeps, 0);
}

TEST_F(ClsControlErroresTest, GuardReportsAFailureAndLetsTheEndOfTheProgramThrough) {
    app.mkdir("Logs");
    app.dialogs.expect(ScriptedDialogs::errorBox("Input past end of file", app.logPath("ClsCmd.log")));
    EXPECT_FALSE(errores().guard("ClsCmd.log", "ClsCmd.IterpCmd", [] {
        throw RunError{62, "Input past end of file"};
    }));
    EXPECT_TRUE(errores().guard("ClsCmd.log", "x", [] {}));
    EXPECT_THROW(errores().guard("ClsCmd.log", "x", [] { throw EndProgram{}; }), EndProgram);
    // An operation's result comes back; after a failure, the empty value.
    EXPECT_EQ(errores().guard("ClsCmd.log", "x", [] { return QStringLiteral("done"); }), "done");
    app.dialogs.expect(ScriptedDialogs::errorBox("Out of memory", app.logPath("ClsCmd.log")));
    EXPECT_EQ(errores().guard("ClsCmd.log", "x", []() -> QString { throw std::bad_alloc(); }), QString());
}

}  // namespace
