#pragma once

#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>
#include <QStringList>

#include "RunError.h"

class ClsControlErrores;
class RegistryAccess;
class TextWriter;

// Two safety nets, kept in the Backups folder beside the program: a copy of the database before
// every rewrite (the newest ten are kept), and a log of the game's active account as it was
// before each time the program overwrote it, so that an account that was never stored can
// always be recovered. Every file here is as private as the database (its permissions).
//
// A safety net that cannot be made never stops the work it guards: the failure is reported once
// (until a safety net is made again) and the work goes on.
class ClsRespaldos {
public:
    static inline const QString Folder = QStringLiteral("/Backups");
    static inline const QString ActiveLog = QStringLiteral("ActiveAccounts.log");
    static inline const QString LogName = QStringLiteral("ClsRespaldos.log");
    static constexpr int Kept = 10;

    // `appFolder` holds the Backups folder; `rutaBD` is the database's path, read at each copy.
    ClsRespaldos(const QString& appFolder, const QString& rutaBD, ClsControlErrores& errores, RegistryAccess& registry)
        : appFolder_(appFolder), rutaBD_(rutaBD), errores_(errores), registry_(registry) {}

    // Writes the database's bytes, as a file of its own, to "Accounts <date> <time>.dat", unless
    // the newest copy already holds them. Returns the copy it wrote; empty when it wrote none.
    QString respaldarBD(const QByteArray& database);
    // Puts the database's bytes in "Accounts.dat.bak": as a second name of `sameBytes`, a copy
    // just written with them, where the file system allows; otherwise written out.
    void copiaBak(const QByteArray& database, const QString& sameBytes = {});
    // Removes the copies beyond the newest ten; called once a rewrite has succeeded.
    void podar();
    // Reports a copy that could not be made, once the database's lock is given back: a box
    // waiting for the person must not keep another copy of the program from writing.
    void informar();
    // Appends the game's current code and signature, with the date and time, to the log.
    void anotarActiva();
    // Writes the accounts the program holds, as a database, to a copy of their own that no
    // pruning removes ("Recovered accounts <date> <time>.dat"); returns its path. A failure throws.
    QString guardarRescate(const std::function<void(TextWriter&)>& write);

private:
    QString folder();
    // The name of a new copy: after every copy there is, whatever the clock says.
    static QString nextName(const QStringList& names);
    void safely(const QString& place, const std::function<void()>& work);

    struct Failure {
        RunError error;
        QString place;
    };

    const QString& appFolder_;
    const QString& rutaBD_;
    ClsControlErrores& errores_;
    RegistryAccess& registry_;
    bool failureReported_ = false;
    std::optional<Failure> unreported_;
};
