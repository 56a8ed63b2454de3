#pragma once

#include <array>
#include <QString>

#include "AccountList.h"
#include "TablaComentarios.h"

class WinePrefix;

// The values the whole program shares: the application paths, the options, the account list, the
// active account and the command-line values. The services that work on them are wired in
// Services; the window models in forms/WindowModels.
// Paths are built with "/" and shown with native separators.
class Mod_Variables {
public:
    // `appFolder` is the folder of the executable, without a trailing separator.
    explicit Mod_Variables(const QString& appFolder) : App(appFolder) {}
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

    // The Wine prefix the game is installed in, when the store is its registry (Linux); the game
    // starts there and shortcuts carry it.
    const WinePrefix* winePrefix = nullptr;
};
