// Runs every case folder in-process: the main window's model over the application folder, every
// box answered from the steps and written down, as the person saw it, in the transcript.
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "AppFolder.h"
#include "Cases.h"
#include "Printers.h"
#include "RunError.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#ifdef CASE_FAULTS
#include "FaultInjection.h"
#endif

namespace {

const char* answerName(MsgAnswer a) { return a == MsgAnswer::Yes ? "Yes" : a == MsgAnswer::No ? "No" : "OK"; }

// Answers from the steps; an unanswered box gets its default button, an unanswered input its preset.
class CaseDialogs : public DefaultDialogs {
public:
    QString transcript;
    std::deque<MsgAnswer> answers;
    std::deque<QString> inputs;
    std::deque<FileChoice> files;

    QString InputBox(const QString& prompt, const QString& title, const QString& preset) override {
        const QString answer = inputs.empty() ? preset : inputs.front();
        if (!inputs.empty())
            inputs.pop_front();
        transcript += "input [" + title + "] " + prompt + " -> " + answer + '\n';
        return answer;
    }
    FileChoice ShowOpen(const QString& filter, const QString&) override { return file("open", filter); }
    FileChoice ShowSave(const QString& filter, const QString&) override { return file("save", filter); }
    void SetClipboard(const QString& text) override { transcript += "clipboard " + text + '\n'; }
    void Beep() override { transcript += "beep\n"; }
    void StartProgram(const QString& program, const QString& arguments, const QString& folder, Show) override {
        transcript += "start " + program + " | " + arguments + " | " + folder + '\n';
    }

protected:
    MsgAnswer showMessage(const MessageBoxSpec& box) override {
        const MsgAnswer answer = answers.empty() ? box.defaultButton : answers.front();
        if (!answers.empty())
            answers.pop_front();
        static const char* icons[] = {"", " Question", " Exclamation", " Information", " Critical"};
        transcript += QString("box [") + box.title + "] " + (box.buttons == MsgButtons::YesNo ? "YesNo" : "OK") +
                      icons[int(box.icon)] + " default " + answerName(box.defaultButton) + " -> " + answerName(answer) +
                      "\n  " + QString(box.text).replace("\r\n", "\n  ") + '\n';
        return answer;
    }

private:
    FileChoice file(const char* kind, const QString& filter) {
        FileChoice choice = files.empty() ? FileChoice{} : files.front();
        if (!files.empty())
            files.pop_front();
        transcript += QString(kind) + ' ' + filter + " -> " + choice.fileName + '\n';
        return choice;
    }
};

using CaseApp = BasicAppFolder<CaseDialogs>;

// Runs one step; what ends the program is written down and the case goes on.
void runStep(CaseApp& app, const QString& line) {
    const QString verb = line.section(' ', 0, 0);
    const QString rest = line.section(' ', 1);
    Frm_Main& m = app.main();
    const std::map<QString, std::function<void()>> handlers{
        {"load", [&] { m.Form_Load(); }},
        {"scan", [&] { m.Scan_Click(); }},
        {"delete", [&] { m.Delete_Click(); }},
        {"import", [&] { m.Import_Click(); }},
        {"export", [&] { m.Export_Click(); }},
        {"launch", [&] { m.Launch_Click(); }},
        {"launch-windowed", [&] { m.LaunchW_Click(); }},
        {"activate", [&] { m.LvAccounts_DblClick(); }},
        {"edit", [&] { m.CmdEdit_Click(); }},
        {"save", [&] { m.CmdSalvaComentarios_Click(); }},
        {"cancel", [&] { m.CmdCancelar_Click(); }},
        {"timer", [&] { m.TiSave_Timer(); }},
        {"unload", [&] { m.Form_Unload(); }},
        {"command", [&] { app.mv->Command = rest, m.Form_Load(); }},
        {"select", [&] { app.select(rest); }},
        {"click", [&] { m.LvAccounts_Click(); }},
        {"comment", [&] { m.TxtComentarios.Text = QString(rest).replace("\\n", "\r\n"); }},
        {"rename", [&] { app.dialogs.transcript += m.LvAccounts_AfterLabelEdit(rest) ? "" : "rename refused\n"; }},
        {"sort", [&] { m.LvAccounts_ColumnClick(rest.toInt()); }},
        {"tick",
         [&] {
             CheckBox& box = rest == "deletion" ? m.ChkDeletion : m.ChkActivation;
             box.Value = box.Value == 0 ? 1 : 0;
             rest == "deletion" ? m.ChkDeletion_Click() : m.ChkActivation_Click();
         }},
        {"add",
         [&] {
             const QStringList f = rest.split(" | ");
             Frm_Add& add = app.windows->frmAdd;
             m.MnuAdd_Click();
             add.TxtNombre.Text = f.value(0), add.TxtCodigo.Text = f.value(1), add.TxtFirma.Text = f.value(2);
             add.TxtComentarios.Text = QString(f.value(3)).replace("\\n", "\r\n");
             add.CmdAdd_Click();
         }},
        {"toolbar", [&] { m.Toolbar1_ButtonClick(rest); }},
        {"shortcut",
         [&] {
             Frm_ShortCut& link = app.windows->frmShortCut;
             link.Show();
             link.TxtNombre.Text = rest.section(" | ", 0, 0), link.TxtPath.Text = app.path(rest.section(" | ", 1));
             link.CmdOk_Click();
         }},
#ifdef CASE_FAULTS
        {"fail", [&] { app.dialogs.transcript += FaultInjection::step(app.path(), rest); }},
#endif
        {"answer",
         [&] {
             app.dialogs.answers.push_back(rest == "Yes"  ? MsgAnswer::Yes
                                           : rest == "No" ? MsgAnswer::No
                                                          : MsgAnswer::OK);
         }},
        {"input", [&] { app.dialogs.inputs.push_back(QString(rest).replace("\\n", "\r\n")); }},
        {"file",
         [&] {
             app.dialogs.files.push_back(rest.isEmpty() ? FileChoice{}
                                                        : FileChoice{app.path(rest), QFileInfo(rest).fileName()});
         }},
    };
    const auto handler = handlers.find(verb);
    if (handler == handlers.end())
        return ADD_FAILURE() << "unknown step: " << line.toStdString();
    try {
        handler->second();
    } catch (const EndProgram&) {
        app.dialogs.transcript += "the program ended\n";
    }
}

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
            runStep(app, line);
    QString transcript = app.dialogs.transcript + "---\n" + windowState(app);
    transcript.replace(app.path(), "$APP").replace(QDir::toNativeSeparators(app.path()), "$APP");
    transcript.remove(QRegularExpression(" Backups/\\*(?= Backups/\\*)"));
    transcript.replace(QRegularExpression("(Backups/Accounts) [0-9-]+ [0-9.]+(\\.dat)"), "\\1 <time>\\2");
    const QString expectedPath = Cases::dir(name) + "/transcript";
    if (Cases::updating())
        writeFile(expectedPath, transcript.toUtf8());
    EXPECT_EQ(transcript, QString(readFile(expectedPath)));
    EXPECT_EQ(Cases::differences(app, name), "");
}

INSTANTIATE_TEST_SUITE_P(, CaseTest, ::testing::ValuesIn(Cases::names()),
                         [](const auto& info) { return QString(info.param).replace('-', '_').toStdString(); });

}  // namespace
