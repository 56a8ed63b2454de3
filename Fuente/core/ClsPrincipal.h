#pragma once

#include <QString>

class ClsBD;
class ClsControlErrores;
class ClsRespaldos;
class Clsvalidacion;
class DatabaseFile;
class Dialogs;
class Mod_Variables;
class RegistryAccess;
class WinePrefix;
class WindowDisplay;

// The game's active account and the game itself: finding the active account among the stored
// ones, offering to store a new one, writing the active account, starting the game. What the
// window shows of the active account goes to its WindowDisplay.
class ClsPrincipal {
public:
    static inline const QString LogName = QStringLiteral("ClsMain.log");
    static inline const QString NotStored = QStringLiteral("WARNING! This account is not in the database");

    ClsPrincipal(Mod_Variables& mv, Dialogs& dialogs, RegistryAccess& registry, ClsControlErrores& errores, ClsBD& bd,
                 const DatabaseFile& database, ClsRespaldos& respaldos, const Clsvalidacion& validacion,
                 WindowDisplay& display)
        : mv_(mv),
          dialogs_(dialogs),
          registry_(registry),
          errores_(errores),
          bd_(bd),
          database_(database),
          respaldos_(respaldos),
          validacion_(validacion),
          display_(display) {}

    // Selects every row whose code equals the given one (blanks at either end aside, letter case
    // counting) and shows it as the active account; the last such row stays selected.
    bool BuscYselAccounts(const QString& code);
    // Shows the active account; when it is not stored, offers to store it under a new name.
    void SetCuentaAct(const QString& code, const QString& signature);
    // Starts the game, windowed or not, connecting to the command line's server if one was given.
    // The window reads the game's folder here, at each launch.
    void Launchar(bool windowed);
    // Reads the game's folder ("AppPath") into RutaJuego. Fails with RunError.
    void leerRutaJuego();

    // Makes an account the game's active one: the code first, then the signature.
    void EscribirActiva(const QString& code, const QString& signature);

    // The game's program for a game folder.
    static QString executablePath(const QString& gameFolder);
    // The text after the program on the game's command line.
    static QString gameArguments(bool windowed, const QString& server);

private:
    // Starts the game of a Wine prefix through wine, in its EXE folder.
    void launchInWine(const WinePrefix& prefix, const QString& arguments);
    // The "File not Found" message for the game's program.
    void showNotFound(const QString& program);
    // Asks for a name until it is new and storable; empty when the person cancels.
    QString askNewName();

    Mod_Variables& mv_;
    Dialogs& dialogs_;
    RegistryAccess& registry_;
    ClsControlErrores& errores_;
    ClsBD& bd_;
    const DatabaseFile& database_;
    ClsRespaldos& respaldos_;
    const Clsvalidacion& validacion_;
    WindowDisplay& display_;
};
