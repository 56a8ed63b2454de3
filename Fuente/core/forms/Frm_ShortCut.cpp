#include "forms/Frm_ShortCut.h"

#include <QDir>
#include <QStringList>

#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "Clsvalidacion.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "ShortcutFile.h"
#include "VbText.h"
#include "WinePrefix.h"
#include "forms/ClsControles.h"
#include "forms/Frm_MainControls.h"

namespace {

QString ipBox(int index) { return QStringLiteral("TxtIP(%1)").arg(index); }

// A number as people type one: a sign, a decimal part and an exponent are allowed.
bool isNumeric(const QString& text, double& value) {
    bool ok = false;
    value = VbText::trim(text).toDouble(&ok);
    return ok;
}

}  // namespace

void Frm_ShortCut::Show() {
    TxtNombre.Text.clear();
    TxtPath.Text.clear();
    ChkWindowed.Value = ChkAutoConnect.Value = ChkOverwrite.Value = 0;
    const QStringList server = ClsComandos::ExampleServer.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        TxtIP[std::size_t(i)] = TextBox{server.value(i), false, Colores::WindowBackground, false, 0, 0, 3};
    TxtIP[4] = TextBox{QStringLiteral("2302"), false, Colores::WindowBackground, false, 0, 0, 5};
    FocusedControl = QStringLiteral("TxtNombre");
    Visible = true;
}

void Frm_ShortCut::ChkAutoConnect_Click() {
    for (TextBox& box : TxtIP)
        box.Enabled = ChkAutoConnect.Value != 0;
    if (ChkAutoConnect.Value == 1)
        FocusedControl = ipBox(0);
}

void Frm_ShortCut::TxtIP_KeyUp(int index, int keyCode) {
    services_.errores.guard(Name + ".log", QStringLiteral("Shct.txtIP_keyup"), [&] {
        if (keyCode != KeypadDecimal && keyCode != FullStop)
            return;
        TxtIP.at(std::size_t(index)).Text.remove(QLatin1Char('.'));
        if (index < 4)
            FocusedControl = ipBox(index + 1);
    });
}

void Frm_ShortCut::GotFocus(TextBox& box) { controles_.SelText(0, int(box.Text.size()), box); }

void Frm_ShortCut::CmdPath_Click() {
    services_.errores.guard(Name + ".log", QStringLiteral("Shct.cmdpath_click"), [this] {
        const QString proposed = ClsControles::NomArchivoValido(main_.LvAccounts.selectedRow().name);
        const FileChoice choice = services_.dialogs.ShowSave(ShortcutFile::filter(), proposed);
        if (choice.fileName.isEmpty())
            return;
        // The folder is what stands before the title; the name loses the shortcut kind's extension.
        TxtPath.Text = choice.fileName.left(choice.fileName.size() - choice.fileTitle.size());
        const QString extension = ShortcutFile::extension();
        TxtNombre.Text = choice.fileTitle.endsWith(extension, Qt::CaseInsensitive)
                             ? choice.fileTitle.left(choice.fileTitle.size() - extension.size())
                             : choice.fileTitle;
    });
}

bool Frm_ShortCut::refused() {
    const auto refuse = [this](const QString& message, const QString& focus) {
        services_.dialogs.MsgBox(message);
        FocusedControl = focus;
        return true;
    };
    if (TxtIP[0].Enabled) {
        QStringList parts;
        for (int i = 0; i < 4; ++i)
            parts << TxtIP[std::size_t(i)].Text;
        if (!Clsvalidacion::IsIP(parts.join(QLatin1Char('.'))))
            return refuse(QStringLiteral("The entered Ip is not valid."), ipBox(0));
        double port = 0;
        if (!isNumeric(TxtIP[4].Text, port))
            return refuse(QStringLiteral("The entered port is not valid"), ipBox(4));
        if (port < 1 || port > 65535)
            return refuse(QStringLiteral("The port is out of range (Valid range: 1-65535)"), ipBox(4));
    }
    if (TxtPath.Text.isEmpty())
        return refuse(QStringLiteral("Select the shortcut location"), QStringLiteral("TxtPath"));
    // A name made only of characters a file name cannot hold is no name.
    if (ClsControles::NomArchivoValido(TxtNombre.Text).isEmpty())
        return refuse(QStringLiteral("Imput the shortcut name"), QStringLiteral("TxtNombre"));
    return false;
}

QString Frm_ShortCut::arguments(const QString& code) const {
    QString text = QStringLiteral("/A=") + code;
    if (ChkAutoConnect.Value == 1) {
        QStringList parts;
        for (int i = 0; i < 4; ++i)
            parts << VbText::trim(TxtIP[std::size_t(i)].Text);
        text += QStringLiteral(" /S=") + parts.join(QLatin1Char('.')) + QLatin1Char(':') + VbText::trim(TxtIP[4].Text);
    }
    if (ChkWindowed.Value == 1)
        text += QStringLiteral(" /W");
    if (ChkOverwrite.Value == 1)
        text += QStringLiteral(" /Y");
    return text;
}

void Frm_ShortCut::CmdOk_Click() {
    services_.errores.guard(Name + ".log", QStringLiteral("Shct.cmdok_click"), [this] {
        if (refused())
            return;
        const QString code = main_.LvAccounts.selectedRow().code;
        // The command line splits at every "/" and trims the code: such a code cannot travel on it.
        if (code.contains(QLatin1Char('/')) || code != VbText::trim(code) || code.isEmpty()) {
            services_.dialogs.MsgBox(
                QStringLiteral("This account's code cannot be given on a command line: it is empty, holds "
                               "a \"/\" or starts or ends with a blank."),
                MsgButtons::OK, MsgIcon::Exclamation);
            return;
        }
        TxtNombre.Text = ClsControles::NomArchivoValido(TxtNombre.Text);
        const QString program = mv_.App + (ShortcutFile::extension() == QLatin1String(".lnk") ? "/VTR.exe" : "/VTR");
        const QString path = ShortcutFile::write(TxtPath.Text, TxtNombre.Text, program, arguments(code),
                                                 mv_.winePrefix ? mv_.winePrefix->folder() : QString());
        if (!FileSystem::fileExists(path))
            throw RunError{RunError::FileNotFound,
                           "File not found: the shortcut " + QDir::toNativeSeparators(path) + " was not created"};
        services_.dialogs.MsgBox("Shortcut " + TxtNombre.Text + " Created at " + TxtPath.Text, MsgButtons::OK,
                                 MsgIcon::Exclamation);
        CmdCancel_Click();
    });
}
