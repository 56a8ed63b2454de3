#include "forms/Frm_Main.h"

#include "ArchivoOpciones.h"
#include "ClsBD.h"
#include "ClsComandos.h"
#include "ClsControlErrores.h"
#include "ClsPrincipal.h"
#include "FileSystem.h"
#include "FreedMemory.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryAccess.h"
#include "VbText.h"
#include "forms/ClsControles.h"
#include "forms/Frm_Add.h"
#include "forms/Frm_ShortCut.h"
#include "forms/frmAbout.h"

Frm_Main::Frm_Main(Mod_Variables& mv, Services& services, Frm_Add& frmAdd, Frm_ShortCut& frmShortCut, frmAbout& about,
                   ClsControles& controles)
    : Frm_MainControls(mv.Accounts),
      mv_(mv),
      services_(services),
      frmAdd_(frmAdd),
      frmShortCut_(frmShortCut),
      about_(about),
      controles_(controles) {}

ClsControlErrores& Frm_Main::errores() { return services_.errores; }

void Frm_Main::Form_Load() {
    const bool completed = guard(QStringLiteral("main.form_load"), [&] {
        mv_.CarpetaLogs = QStringLiteral("/Logs");
        FileSystem::createFolder(mv_.App + mv_.CarpetaLogs);
        // The game's folder only serves to launch the game. The command line, which launches at
        // once, reads it before it writes anything; the window reads it at each launch, which
        // spares start-up and every refresh a read (a whole `wine reg` run while a server runs).
        if (!mv_.Command.isEmpty())
            services_.principal.leerRutaJuego();
        mv_.RutaBD = mv_.App + QStringLiteral("/Accounts.dat");
        ArchivoOpciones::cargar(mv_.App + '/' + ArchivoOpciones::FileName, mv_.Opciones);
        showOptions();
        // A command line needs only the accounts with the code it names.
        const QString asked = ClsComandos::parse(mv_.Command).account;
        if (asked.isEmpty())
            services_.bd.cargarbdallv();
        else
            services_.bd.loadAccountsWithCode(asked);
        if (services_.comandos.IterpCmd(mv_.Command))
            runCommandLine();
        showActiveAccount();
        giveBackFreedMemory();
    });
    // Any argument text never leads to the window, not even after a failure that came before the
    // command line was read.
    if (!mv_.Command.isEmpty() && !completed)
        throw EndProgram{};
}

void Frm_Main::runCommandLine() {
    if (!mv_.Forzar) {
        // A code that is not stored is offered for adding, which takes every account.
        if (services_.bd.holdsOneCode() && LvAccounts.lastWithTrimmedCode(mv_.CuentaCmd) == 0)
            services_.bd.cargarbdallv();
        services_.principal.SetCuentaAct(mv_.CuentaCmd, QString());
    }
    // The code and the signature of one stored row, never one row's code with another's signature.
    const int position = services_.bd.filaParaActivar(mv_.CuentaCmd);
    const AccountRow row = position != 0 ? LvAccounts.row(position) : AccountRow{QString(), mv_.CuentaCmd, QString()};
    services_.principal.EscribirActiva(row.code, row.signature);
    services_.principal.Launchar(mv_.ModoVentana);
    throw EndProgram{};
}

void Frm_Main::showActiveAccount() {
    mv_.CuentaActiva = services_.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                                    QStringLiteral("MPAccountName"));
    mv_.FirmaActiva = services_.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                                   QStringLiteral("MPAccountNameSig"));
    LblCode.Caption = mv_.CuentaActiva;
    LblSignature.Caption = mv_.FirmaActiva;
    const auto sortByName = [this] {
        LvAccounts.sortBy(0, AccountList::Order::Ascending);
        LvAccounts.setHeaderIcon(0, AccountList::AscendingMark);
    };
    // An account that is not stored is asked about over the list as it will stay, sorted. A
    // stored one is looked up first, in the order the load gave, which decides between rows
    // that share its code.
    const bool stored = LvAccounts.lastWithTrimmedCode(mv_.CuentaActiva) != 0;
    if (!stored)
        sortByName();
    services_.principal.SetCuentaAct(mv_.CuentaActiva, mv_.FirmaActiva);
    controles_.Botones();
    controles_.QIH(LvAccounts);
    if (stored)
        sortByName();
}

void Frm_Main::showOptions() {
    Cargando = true;
    ChkActivation.Value = mv_.Opciones[0];
    ChkDeletion.Value = mv_.Opciones[1];
    for (CheckBox* box : {&ChkActivation, &ChkDeletion})
        if (box->Value == 1)
            box->BackColor = Colores::LightRed;
    Cargando = false;
}

void Frm_Main::Form_Unload() {
    // A rename not saved yet, or whose save failed, is saved now.
    if (TiSave.Enabled || services_.bd.hayCambiosSinGuardar()) {
        TiSave.Enabled = false;
        tiSaveArmed_ = false;
        services_.bd.guardarcambios();
    }
}

void Frm_Main::TiSave_Timer() {
    guard(QStringLiteral("main.tisave_click"), [this] {
        if (!tiSaveArmed_) {
            tiSaveArmed_ = true;
            return;
        }
        services_.bd.guardarcambios();
        Toolbar1.button(3).Enabled = false;
        TiSave.Enabled = false;
        tiSaveArmed_ = false;
        CmdEdit.Enabled = true;
    });
}

void Frm_Main::MnuAdd_Click() { frmAdd_.Show(); }

void Frm_Main::Shortcut_Click() { frmShortCut_.Show(); }

void Frm_Main::About_Click() {
    guard(QStringLiteral("main.about_click"), [this] { about_.Show(); });
}

void Frm_Main::Launch_Click() { services_.principal.Launchar(false); }

void Frm_Main::LaunchW_Click() { services_.principal.Launchar(true); }

void Frm_Main::Toolbar1_ButtonClick(const QString& key) {
    guard(QStringLiteral("main.tb1_click"), [&] {
        const QString command = VbText::ucase(key);
        if (command == QLatin1String("SAVE")) {
            services_.bd.guardarcambios();
            Form_Load();
            Toolbar1.button(3).Enabled = false;
            CmdEdit.Enabled = true;
        } else if (command == QLatin1String("DELETE")) {
            Delete_Click();
        } else if (command == QLatin1String("LAUNCH")) {
            Launch_Click();
        } else if (command == QLatin1String("IMPORT")) {
            controles_.Activmnuaccounts(false, false, false, true, true, false);
            if (PopupAccountsMenu)
                PopupAccountsMenu();
            controles_.Activmnuaccounts(true, true, true, true, true, true);
        } else if (command == QLatin1String("EXPORT")) {
            Export_Click();
        } else if (command == QLatin1String("SCAN")) {
            Scan_Click();
        } else if (command == QLatin1String("ABOUT")) {
            About_Click();
        }
    });
}

void Frm_Main::Toolbar1_ButtonMenuClick(const QString& key) {
    guard(QStringLiteral("main.tb1_bmcklick"), [&] {
        if (key == WindowedEntryKey)
            LaunchW_Click();
    });
}

void Frm_Main::ChkActivation_Click() { optionClicked(ChkActivation, 0); }

void Frm_Main::ChkDeletion_Click() { optionClicked(ChkDeletion, 1); }

void Frm_Main::optionClicked(CheckBox& box, int index) {
    if (Cargando)
        return;
    guard(index == 0 ? QStringLiteral("main_chkactivation_click") : QStringLiteral("main.chkdeletion_click"), [&] {
        ArchivoOpciones::escribir(mv_.App + '/' + ArchivoOpciones::FileName, ChkActivation.Value, ChkDeletion.Value);
        mv_.Opciones[std::size_t(index)] = box.Value;
        box.BackColor = box.Value == 0 ? Colores::ButtonFace : Colores::LightRed;
    });
}
