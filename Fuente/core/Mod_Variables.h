#pragma once

#include <array>
#include <memory>
#include <QString>

#include "AccountList.h"
#include "TablaComentarios.h"
#include "WindowDisplay.h"

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
class WindowModels;

// What the whole program shares: the application paths, the options, the account list, the active
// account, the command-line values and the one instance of each service. The window models are
// built over it (forms/WindowModels) and reached through it once they are.
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
    // The stored accounts, as the main window lists them.
    AccountList Accounts;
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
    ClsPrincipal& principal() { return *principal_; }
    ClsconvertirBaseVieja& conversion() { return *conversion_; }
    ClsRegistro& registro() { return *registro_; }
    ClsRespaldos& respaldos() { return *respaldos_; }
    DatabaseFile& database() { return *database_; }

    // The window models; only while forms/WindowModels has them built.
    Frm_Main& main() { return *windows().main; }
    Frm_Add& frmAdd() { return *windows().frmAdd; }
    Frm_ShortCut& frmShortCut() { return *windows().frmShortCut; }
    frmAbout& about() { return *windows().about; }
    ClsControles& controles() { return *windows().controles; }
    // Where the services show their work: the window's controls, or nowhere without a window.
    WindowDisplay& display() { return windows_.display ? *windows_.display : noWindow_; }

private:
    friend class WindowModels;
    struct Windows {
        Frm_Main* main = nullptr;
        Frm_Add* frmAdd = nullptr;
        Frm_ShortCut* frmShortCut = nullptr;
        frmAbout* about = nullptr;
        ClsControles* controles = nullptr;
        WindowDisplay* display = nullptr;
    };
    // The window models, or the end of the program when there are none: reaching a window that
    // was never built is a fault of the caller, never something to go on from.
    const Windows& windows() const;

    Windows windows_;
    WindowDisplay noWindow_;
    std::unique_ptr<ClsControlErrores> errores_;
    std::unique_ptr<ClsBD> bd_;
    std::unique_ptr<Clsvalidacion> validacion_;
    std::unique_ptr<ClsComandos> comandos_;
    std::unique_ptr<ClsPrincipal> principal_;
    std::unique_ptr<ClsRegistro> registro_;
    std::unique_ptr<ClsRespaldos> respaldos_;
    std::unique_ptr<DatabaseFile> database_;
    std::unique_ptr<ClsconvertirBaseVieja> conversion_;
};
