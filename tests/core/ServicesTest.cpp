// The services over a real application folder: the error reports and their logs, the database's
// load and lookups, the command line, and the active account with and without the windows.
#include <gtest/gtest.h>
#include <QRegularExpression>

#include "AppFolder.h"
#include "ClsBD.h"
#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "ClsPrincipal.h"
#include "FileTexts.h"
#include "Printers.h"
#include "forms/Frm_Main.h"

namespace {

// A report is appended to its log and shown. A guarded operation's failure is reported and gives
// the empty value; the end of the program goes through.
TEST(ClsControlErrores, ReportsAndGuards) {
    AppFolder app;
    ClsControlErrores& errores = app.sv->errores;
    app.mkdir("Logs");
    const QString log = app.logPath("ClsCmd.log");
    app.dialogs.expect(ScriptedDialogs::errorBox("File not found", log));
    app.dialogs.expect(ScriptedDialogs::errorBox("Something else", log));
    app.dialogs.expect(ScriptedDialogs::errorBox("Out of memory", log));
    errores.informarerror(log, 53, "File not found", "ClsBD.cargarbdallv");
    EXPECT_FALSE(errores.guard("ClsCmd.log", "", [] { throw RunError{-2147024891, "Something else"}; }));
    EXPECT_EQ(errores.guard("ClsCmd.log", "x", []() -> QString { throw std::bad_alloc(); }), QString());
    EXPECT_EQ(errores.guard("ClsCmd.log", "x", [] { return QStringLiteral("done"); }), "done");
    EXPECT_THROW(errores.guard("ClsCmd.log", "x", [] { throw EndProgram{}; }), EndProgram);
    const QStringList lines = QString::fromLatin1(app.read("Logs/ClsCmd.log")).split("\r\n");
    ASSERT_EQ(lines.size(), 6) << lines.join('|').toStdString();
    EXPECT_TRUE(QRegularExpression(R"(^\S.* - \d\d?:\d\d:\d\d.* \[53\]: File not found$)").match(lines[0]).hasMatch())
        << lines[0].toStdString();
    EXPECT_EQ(lines[1], "       ClsBD.cargarbdallv");
    EXPECT_TRUE(lines[2].endsWith(" [-2147024891]: Something else")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].endsWith(" [7]: Out of memory")) << lines[3].toStdString();
}

// Names of any length, counts past every 16-bit one; the signature of the first row whose code
// matches in any letter case; a command line of any length and any number of pieces.
TEST(ClsBD, LongRecordsManyRecordsAndLookups) {
    AppFolder app;
    DatabaseText file;
    file.account(QByteArray(1 << 20, 'n'), "code", "sig");
    for (int i = 0; i < 70000; ++i)
        file.account("N" + QByteArray::number(i), "C" + QByteArray::number(i), "S");
    app.write("Accounts.dat", file);
    app.sv->bd.cargarbdallv();
    AccountList& list = app.main().LvAccounts;
    ASSERT_EQ(list.count(), 70001);
    EXPECT_EQ(list.row(70001).name.size(), 1 << 20);
    EXPECT_EQ(list.row(1).code, "C69999");

    list.assign({{"A", "other", "s0"}, {"B", "abc", "first"}, {"C", " ABC", "second"}});
    EXPECT_EQ(app.sv->bd.BuscarfirmaenLV(" ABC "), "first");
    EXPECT_EQ(app.sv->bd.BuscarfirmaenLV("abc\t"), "");

    EXPECT_FALSE(app.sv->comandos.IterpCmd(""));
    EXPECT_TRUE(app.sv->comandos.IterpCmd(QString("/q").repeated(5000) + "/a=" + QString(100000, 'k') + " /w"));
    EXPECT_EQ(app.mv->CuentaCmd.size(), 100000);
    EXPECT_TRUE(app.mv->ModoVentana);
}

const QByteArray kDatabase =
    DatabaseText().account("Main", "abc", "sig-main", "main comment\r\n").account("Other", "xyz", "sig-other");

// The services load and find the active account without the window models, as the fuzz targets
// use them; window models built again over the same state show what the services report.
TEST(ActiveAccount, TheServicesWorkWithoutTheWindows) {
    CaseApp app;
    app.write("Accounts.dat", kDatabase);
    app.windows.reset();
    app.sv->bd.cargarbdallv();
    app.sv->principal.SetCuentaAct(" xyz", "sig");
    EXPECT_EQ(app.mv->Accounts.selectedRow().name, "Other");
    app.dialogs.answers = {MsgAnswer::No};
    app.sv->principal.SetCuentaAct("new-code", "sig");
    EXPECT_EQ(app.dialogs.messages, 1) << "a new account: not added";
    EXPECT_EQ(app.read("Accounts.dat"), kDatabase);

    app.windows = std::make_unique<WindowModels>(*app.mv, *app.sv);
    app.sv->principal.SetCuentaAct("abc", "sig-main");
    EXPECT_EQ(app.main().LblName.Caption, "Main");
    EXPECT_EQ(app.main().TxtComentarios.Text, "main comment");
}

}  // namespace
