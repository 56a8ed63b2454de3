// Runs every case folder in-process: the main window's model over the application folder, every
// box answered from the steps and written down, as the person saw it, in the transcript.
#include <gtest/gtest.h>
#include <QDir>
#include <QRegularExpression>

#include "AppFolder.h"
#include "Cases.h"
#include "Printers.h"
#include "forms/Frm_Main.h"

namespace {

// What the window shows once the steps are done.
QString windowState(CaseApp& app) {
    Frm_Main& m = app.main();
    QString text = "active " + m.LblName.Caption + " | " + m.LblCode.Caption + " | " + m.LblSignature.Caption;
    if (m.LblName.ForeColor != Colores::ButtonText)
        text += QString(" (colour %1)").arg(m.LblName.ForeColor, 0, 16);
    text += '\n';
    for (int i = 1; i <= m.LvAccounts.count(); ++i) {
        const AccountRow row = m.LvAccounts.row(i);
        text += (i == m.LvAccounts.selected() ? "> " : "  ") + row.name + " | " + row.code + " | " + row.signature +
                '\n';
    }
    text += QString("options %1 %2, colours %3 %4\n")
                .arg(m.ChkActivation.Value)
                .arg(m.ChkDeletion.Value)
                .arg(m.ChkActivation.BackColor, 0, 16)
                .arg(m.ChkDeletion.BackColor, 0, 16);
    if (!m.TxtComentarios.Text.isEmpty())
        text += "comment " + QString(m.TxtComentarios.Text).replace("\r\n", "\\n") + '\n';
    text += "files";
    for (QString file : Cases::filesUnder(app.path()))
        text += ' ' + (file.startsWith("Backups/") ? QString("Backups/*") : file);
    return text + '\n';
}

class CaseTest : public ::testing::TestWithParam<QString> {};

TEST_P(CaseTest, LeavesTheFilesAndShowsTheBoxesExpected) {
    const QString name = GetParam();
    CaseApp app;
    Cases::prepare(app, name);
    for (const QString& line : QString(readFile(Cases::dir(name) + "/steps")).split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith('#'))
            runCaseStep(app, line);
    QString transcript = app.dialogs.transcript + "---\n" + windowState(app);
    transcript.replace(app.path(), "$APP").replace(QDir::toNativeSeparators(app.path()), "$APP");
    transcript.remove(QRegularExpression(" Backups/\\*(?= Backups/\\*)"));
    transcript.replace(QRegularExpression("(Backups/(?:Recovered a|A)ccounts) [0-9-]+ [0-9.]+(\\.dat)"),
                       "\\1 <time>\\2");
    const QString expectedPath = Cases::dir(name) + "/transcript";
    if (Cases::updating())
        writeFile(expectedPath, transcript.toUtf8());
    EXPECT_EQ(transcript, QString(readFile(expectedPath)));
    EXPECT_EQ(Cases::differences(app, name), "");
}

INSTANTIATE_TEST_SUITE_P(, CaseTest, ::testing::ValuesIn(Cases::names()),
                         [](const auto& info) { return QString(info.param).replace('-', '_').toStdString(); });

}  // namespace
