#pragma once

#include <QString>

class Mod_Variables;

// Two safety nets, kept in the Backups folder beside the program: a copy of the database before
// every rewrite (the newest ten are kept), and a log of the game's active account as it was
// before each time the program overwrote it, so that an account that was never stored can
// always be recovered.
class ClsRespaldos {
public:
    static inline const QString Folder = QStringLiteral("/Backups");
    static inline const QString ActiveLog = QStringLiteral("ActiveAccounts.log");
    static constexpr int Kept = 10;

    explicit ClsRespaldos(Mod_Variables& mv) : mv_(mv) {}

    // Copies the database, when there is one, to "Accounts <date> <time>.dat".
    void respaldarBD();
    // Appends the game's current code and signature, with the date and time, to the log.
    void anotarActiva();

private:
    QString folder();

    Mod_Variables& mv_;
};
