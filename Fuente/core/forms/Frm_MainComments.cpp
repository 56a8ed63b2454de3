// The main window's comment editing: Edit, Save and Cancel.
#include "ClsBD.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "Dialogs.h"
#include "DatabaseFormat.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "TextWriter.h"
#include "forms/ClsControles.h"
#include "forms/Frm_Main.h"

void Frm_Main::CmdEdit_Click() {
    guard(QStringLiteral("main.cmdedit_click"), [this] {
        ComentarioPrevio = TxtComentarios.Text;
        TxtComentarios.BackColor = Colores::LightYellow;
        TxtComentarios.Locked = false;
        LvAccounts.enabled = false;
        CmdCancelar.Enabled = CmdSalvaComentarios.Enabled = true;
        CmdEdit.Enabled = false;
        controles_.BotTB(false, false, false, false, false, false, false);
        Accounts.Enabled = Game.Enabled = Help.Enabled = false;
        FocusedControl = QStringLiteral("TxtComentarios");
    });
}

void Frm_Main::CmdCancelar_Click() {
    guard(QStringLiteral("main.cmdcancelar_click"), [this] {
        TxtComentarios.Text = ComentarioPrevio;
        endEditing();
    });
}

void Frm_Main::endEditing() {
    TxtComentarios.BackColor = Colores::WindowBackground;
    TxtComentarios.Locked = true;
    LvAccounts.enabled = true;
    CmdCancelar.Enabled = CmdSalvaComentarios.Enabled = false;
    CmdEdit.Enabled = true;
    controles_.BotTB(true, false, true, true, true, true, true);
    Accounts.Enabled = Game.Enabled = Help.Enabled = true;
}

void Frm_Main::CmdSalvaComentarios_Click() {
    guard(QStringLiteral("main.cmdsalvacomentarios_click"), [this] {
        // A comment the file cannot hold is refused; editing goes on with the text as typed.
        const QString problem = Clsvalidacion::InguardableComentario(TxtComentarios.Text);
        if (!problem.isEmpty()) {
            services_.dialogs.MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation);
            return;
        }
        const AccountRow edited = LvAccounts.selectedRow();
        const QString comment = TxtComentarios.Text;
        DatabaseFile::Change change;
        change.refused = "The comment of the account " + edited.code + " was not saved";
        change.write = [&](TextWriter& file) {
            for (int i = 1; i <= LvAccounts.count(); ++i) {
                if (LvAccounts.code(i) == edited.code) {
                    const AccountRow row = LvAccounts.row(i);
                    DatabaseFormat::escribirRegistro(file, row.name, row.code, row.signature, comment);
                } else {
                    services_.bd.writeStored(file, i);
                }
            }
        };
        change.reapply = [&] { return services_.bd.buscarFila(edited) != 0; };
        services_.bd.reescribir(change);
        endEditing();
        Form_Load();
    });
}
