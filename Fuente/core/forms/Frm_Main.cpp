#include "forms/Frm_Main.h"

#include "ArchivoOpciones.h"
#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "RegistryAccess.h"

Frm_Main::Frm_Main(Mod_Variables& mv) : mv_(mv) {}

void Frm_Main::Form_Load() {
    mv_.errores().guard(Name + ".log", QStringLiteral("main.form_load"), [this] {
        mv_.CarpetaLogs = QStringLiteral("/Logs");
        FileSystem::createFolder(mv_.App + mv_.CarpetaLogs);
        mv_.RutaJuego = mv_.registry.ReadValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey,
                                               QStringLiteral("AppPath"));
        mv_.RutaBD = mv_.App + QStringLiteral("/Accounts.dat");
        ArchivoOpciones::cargar(mv_.App + '/' + ArchivoOpciones::FileName, mv_.Opciones);
        showOptions();
        mv_.bd().cargarbdallv();

        mv_.CuentaActiva = mv_.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                                  QStringLiteral("MPAccountName"));
        mv_.FirmaActiva = mv_.registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                                 QStringLiteral("MPAccountNameSig"));
        LblCode.Caption = mv_.CuentaActiva;
        LblSignature.Caption = mv_.FirmaActiva;

        LvAccounts.sortBy(0, AccountList::Order::Ascending);
        LvAccounts.setHeaderIcon(0, AccountList::AscendingMark);
    });
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

void Frm_Main::TiSave_Timer() {
    mv_.errores().guard(Name + ".log", QStringLiteral("main.tisave_click"), [this] {
        if (!tiSaveArmed_) {
            tiSaveArmed_ = true;
            return;
        }
        mv_.bd().guardarcambios();
        Toolbar1.button(3).Enabled = false;
        TiSave.Enabled = false;
        tiSaveArmed_ = false;
        CmdEdit.Enabled = true;
    });
}
