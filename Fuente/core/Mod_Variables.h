#pragma once

#include <array>
#include <memory>
#include <QString>

#include "TablaComentarios.h"

class ClsBD;
class ClsComandos;
class ClsControlErrores;
class ClsControles;
class ClsPrincipal;
class ClsRegistro;
class ClsRespaldos;
class ClsconvertirBaseVieja;
class Clsvalidacion;
class DatabaseFile;
class Dialogs;
class Frm_Add;
class Frm_ShortCut;
class frmAbout;
class Frm_Main;
class RegistryAccess;
class WinePrefix;

// What the whole program shares: the application paths, the options, the active account, the
// command-line values, the one instance of each service and the main window model.
// Paths are built with "/" and shown with native separators.
class Mod_Variables {
public:
    // `appFolder` is the folder of the executable, without a trailing separator.
    Mod_Variables(const QString& appFolder, Dialogs& dialogs, RegistryAccess& registry);
    ~Mod_Variables();
    Mod_Variables(const Mod_Variables&) = delete;
    Mod_Variables& operator=(const Mod_Variables&) = delete;

    const QString App;
    // The command-line text after the program's name.
    QString Command;
    QString CarpetaLogs = QStringLiteral("/Logs");
    QString RutaBD;
    QString RutaJuego;
    // 0: do not ask before activating; 1: do not ask before deleting. Each 0, 1 or 2.
    std::array<int, 2> Opciones{0, 0};
    TablaComentarios Comentarios;
    QString CuentaActiva;
    QString FirmaActiva;
    QString CuentaCmd;
    QString ServidorCmd;
    bool ModoVentana = false;
    bool Forzar = false;

    Dialogs& dialogs;
    RegistryAccess& registry;
    // The Wine prefix the game is installed in, when the store is its registry (Linux); the game
    // starts there and shortcuts carry it.
    const WinePrefix* winePrefix = nullptr;

    ClsControlErrores& errores() { return *errores_; }
    ClsBD& bd() { return *bd_; }
    Clsvalidacion& validacion() { return *validacion_; }
    ClsComandos& comandos() { return *comandos_; }
    ClsControles& controles() { return *controles_; }
    ClsPrincipal& principal() { return *principal_; }
    ClsconvertirBaseVieja& conversion() { return *conversion_; }
    ClsRegistro& registro() { return *registro_; }
    ClsRespaldos& respaldos() { return *respaldos_; }
    DatabaseFile& database() { return *database_; }
    Frm_Main& main() { return *main_; }
    Frm_Add& frmAdd() { return *frmAdd_; }
    Frm_ShortCut& frmShortCut() { return *frmShortCut_; }
    frmAbout& about() { return *frmAbout_; }

private:
    std::unique_ptr<ClsControlErrores> errores_;
    std::unique_ptr<ClsBD> bd_;
    std::unique_ptr<Clsvalidacion> validacion_;
    std::unique_ptr<ClsComandos> comandos_;
    std::unique_ptr<ClsControles> controles_;
    std::unique_ptr<ClsPrincipal> principal_;
    std::unique_ptr<ClsconvertirBaseVieja> conversion_;
    std::unique_ptr<ClsRegistro> registro_;
    std::unique_ptr<ClsRespaldos> respaldos_;
    std::unique_ptr<DatabaseFile> database_;
    std::unique_ptr<Frm_Main> main_;
    std::unique_ptr<Frm_Add> frmAdd_;
    std::unique_ptr<Frm_ShortCut> frmShortCut_;
    std::unique_ptr<frmAbout> frmAbout_;
};
