// The steps of a case folder (one a line: a verb and what it needs) on the main window's model
// over an application folder; what ends the program is written down and the case goes on.
#include <functional>
#include <map>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "AppFolder.h"
#include "RunError.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_Main.h"
#include "forms/Frm_ShortCut.h"
#ifdef CASE_FAULTS
#include "FaultInjection.h"
#endif

namespace {

// The toolbar buttons 1, 3, 4, 6, 7, 8 and 10 (enabled), the Accounts entries (visible), then
// the edit button, the list, the comment box, the menus Accounts, Game, Help and Tools, the save
// button and the save timer, a digit each; the sort marks; the focus and the comment box's text.
QString controls(Frm_Main& m) {
    QString text;
    for (int number : {1, 3, 4, 6, 7, 8, 10})
        text += m.Toolbar1.button(number).Enabled ? '1' : '0';
    text += ' ';
    for (const MenuItem* entry : {&m.Scan, &m.Delete, &m.rrwerw, &m.MnuAdd, &m.Import, &m.Export})
        text += entry->Visible ? '1' : '0';
    text += ' ';
    for (bool on : {m.CmdEdit.Enabled, m.LvAccounts.enabled, !m.TxtComentarios.Locked, m.Accounts.Enabled,
                    m.Game.Enabled, m.Help.Enabled, m.Tools.Enabled, m.CmdSalvaComentarios.Enabled, m.TiSave.Enabled})
        text += on ? '1' : '0';
    text += QString(" sort %1%2%3")
                .arg(m.LvAccounts.headerIcon(0))
                .arg(m.LvAccounts.headerIcon(1))
                .arg(m.LvAccounts.headerIcon(2));
    return "controls " + text + " focus " + m.FocusedControl + " comment " +
           QString(m.TxtComentarios.Text).replace("\r\n", "\\n") + '\n';
}

// Fills the shortcut dialog: "auto windowed overwrite | a.b.c.d:port | name | folder", then Create.
void shortcut(CaseApp& app, const QString& rest) {
    Frm_ShortCut& s = app.windows->frmShortCut;
    const QStringList f = rest.split(" | ");
    if (!s.Visible)
        s.Show();
    s.ChkAutoConnect.Value = f.value(0).section(' ', 0, 0).toInt();
    s.ChkAutoConnect_Click();
    s.ChkWindowed.Value = f.value(0).section(' ', 1, 1).toInt();
    s.ChkOverwrite.Value = f.value(0).section(' ', 2, 2).toInt();
    const QStringList address = f.value(1).split(QRegularExpression("[.:]"));
    for (int i = 0; i < 5 && !f.value(1).isEmpty(); ++i)
        s.TxtIP[std::size_t(i)].Text = address.value(i);
    s.TxtNombre.Text = f.value(2);
    s.TxtPath.Text = QString(f.value(3)).replace("$APP", app.path());
    s.CmdOk_Click();
    app.dialogs.transcript += s.Visible ? "shortcut dialog open, focus " + s.FocusedControl + '\n' : "";
}

// Runs `action` with the folder `folder` of the application folder alone on the PATH, if given.
void withPath(CaseApp& app, const QString& folder, const std::function<void()>& action) {
    const QByteArray path = qgetenv("PATH");
    if (!folder.isEmpty())
        qputenv("PATH", QFile::encodeName(app.path(folder)));
    action();
    qputenv("PATH", path);
}

// Takes from this process the power to write where the permissions say no, which root has.
void dropOverridingPermissions() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    syscall(SYS_capget, &header, data);
    for (auto& set : data)
        set.effective &= ~(1u << CAP_DAC_OVERRIDE), set.permitted &= ~(1u << CAP_DAC_OVERRIDE);
    if (syscall(SYS_capset, &header, data) != 0)
        testFailure("cannot drop the capability to override permissions");
}

// The files of the folder but the logs, in name order: where a link points, the permissions when
// `modes` (after a step "chmod" they do not depend on the umask), and the text of the safety
// copies, a line break shown as "\n" and the time of the log's lines as "<time>".
QString files(CaseApp& app, bool modes) {
    QStringList names;
    for (QDirIterator it(app.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();)
        names << QDir(app.path()).relativeFilePath(it.next());
    names.sort();
    QString text;
    for (const QString& name : names) {
        const QFileInfo info(app.path(name));
        struct stat status {};
        if (name.startsWith("Logs/") || ::stat(QFile::encodeName(info.filePath()).constData(), &status) != 0)
            continue;
        text += "file " + (modes ? QString::number(status.st_mode & 0777, 8) + ' ' : QString()) + name;
        if (info.isSymLink())
            text += " -> " + info.symLinkTarget();
        if (name.startsWith("Backups/"))
            text += ": " + QString::fromLatin1(app.read(name))
                               .replace("\r\n", "\\n")
                               .replace(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d"), "<time>");
        text += '\n';
    }
    return text;
}

}  // namespace

void runCaseStep(CaseApp& app, const QString& line) {
    const QString verb = line.section(' ', 0, 0);
    const QString rest = line.section(' ', 1);
    Frm_Main& m = app.main();
    m.PopupAccountsMenu = [&] { app.dialogs.transcript += "pop-up " + controls(m); };
    const std::map<QString, std::function<void()>> handlers{
        {"load", [&] { m.Form_Load(); }},
        {"scan", [&] { m.Scan_Click(); }},
        {"delete", [&] { m.Delete_Click(); }},
        {"import", [&] { m.Import_Click(); }},
        {"export", [&] { m.Export_Click(); }},
        // "launch [FOLDER]": with FOLDER alone on the PATH while the game is started.
        {"launch", [&] { withPath(app, rest, [&] { m.Launch_Click(); }); }},
        {"launch-windowed", [&] { withPath(app, rest, [&] { m.LaunchW_Click(); }); }},
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
             const QStringList f = QString(rest).replace("\\n", "\r\n").split(" | ");
             Frm_Add& add = app.windows->frmAdd;
             if (!add.Visible)
                 m.MnuAdd_Click();
             add.TxtNombre.Text = f.value(0), add.TxtCodigo.Text = f.value(1), add.TxtFirma.Text = f.value(2);
             add.TxtComentarios.Text = f.value(3);
             add.CmdAdd_Click();
             if (add.Visible)
                 app.dialogs.transcript += QString("add dialog open, main window enabled %1, focus %2\n")
                                               .arg(m.Enabled)
                                               .arg(add.FocusedControl);
         }},
        {"controls", [&] { app.dialogs.transcript += controls(m); }},
        {"shortcut", [&] { shortcut(app, rest); }},
        {"browse",
         [&] {
             Frm_ShortCut& s = app.windows->frmShortCut;
             s.CmdPath_Click();
             app.dialogs.transcript += "shortcut name " + s.TxtNombre.Text + " in " + s.TxtPath.Text + '\n';
         }},
        {"wine",
         [&] {
             app.windows.reset(), app.sv.reset();
             app.wine = std::make_unique<RegistryWine>(WinePrefix(app.path(rest)));
             app.mv = std::make_unique<Mod_Variables>(app.path());
             app.mv->winePrefix = &app.wine->prefix();
             app.mv->RutaBD = app.path("Accounts.dat");
             app.sv = std::make_unique<Services>(*app.mv, app.dialogs, *app.wine);
             app.windows = std::make_unique<WindowModels>(*app.mv, *app.sv);
         }},
        {"server", [&] { app.mv->ServidorCmd = rest; }},
        {"menu", [&] { m.Toolbar1_ButtonMenuClick(rest); }},
        {"store",
         [&] {
             const QStringList f = QString(rest).replace("$APP", app.path()).split(" | ");
             app.setStore(f.value(0), f.value(1), f.value(2));
         }},
        {"copy", [&] { m.LblName_DblClick(), m.LblCode_DblClick(), m.LblSignature_DblClick(); }},
        {"toolbar", [&] { m.Toolbar1_ButtonClick(rest); }},
        // Another program removes a file or a folder, or writes the bytes of another file over a
        // file in place, keeping its time (the other one goes); a file becomes a link.
        {"remove", [&] { QFile::remove(app.path(rest)) || QDir(app.path(rest)).removeRecursively(); }},
        {"replace",
         [&] {
             QFile file(app.path(rest.section(' ', 0, 0)));
             const QDateTime time = QFileInfo(file).lastModified();
             if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                 file.write(app.read(rest.section(' ', 1))) < 0 || !file.flush() ||
                 (time.isValid() && !file.setFileTime(time, QFileDevice::FileModificationTime)))
                 testFailure("cannot replace " + rest.toStdString());
             QFile::remove(app.path(rest.section(' ', 1)));
         }},
        {"link",
         [&] {
             const QString link = app.path(rest.section(' ', 0, 0));
             QFile::remove(link);
             if (!QDir().mkpath(QFileInfo(link).path()) || !QFile::link(rest.section(' ', 1), link))
                 testFailure("cannot make the link " + rest.toStdString());
         }},
        // "chmod MODE NAME"; every other file, and every new one, gets 644 (755 if it may be run;
        // umask 022), and the permissions bind this process as they bind a person who is not root.
        {"chmod",
         [&] {
             ::umask(022);
             dropOverridingPermissions();
             for (QDirIterator it(app.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
                 ::chmod(QFile::encodeName(it.next()).constData(),
                         it.fileInfo().permissions() & QFile::ExeOwner ? 0755 : 0644);
             ::chmod(QFile::encodeName(app.path(rest.section(' ', 1))).constData(),
                     rest.section(' ', 0, 0).toUInt(nullptr, 8));
         }},
        {"files", [&] { app.dialogs.transcript += files(app, false); }},
        {"modes", [&] { app.dialogs.transcript += files(app, true); }},
#ifdef CASE_FAULTS
        {"fail", [&] { app.dialogs.transcript += FaultInjection::step(app.path(), rest); }},
#endif
        {"answer",
         [&] {
             app.dialogs.answers.push_back(rest == "Yes"  ? MsgAnswer::Yes
                                           : rest == "No" ? MsgAnswer::No
                                                          : MsgAnswer::OK);
         }},
        {"input", [&] { app.dialogs.expectInput(QString(rest).replace("\\n", "\r\n")); }},
        {"file",
         [&] {
             app.dialogs.files.push_back(
                 rest.isEmpty() ? FileChoice{}
                                : FileChoice{rest.startsWith('/') ? rest : app.path(rest), QFileInfo(rest).fileName()});
         }},
    };
    const auto handler = handlers.find(verb);
    if (handler == handlers.end())
        return testFailure("unknown step: " + line.toStdString());
    try {
        handler->second();
    } catch (const EndProgram&) {
        app.dialogs.transcript += "the program ended\n";
    }
}
