#pragma once

#include <QString>

class AccountList;

// Checks shared by several dialogs.
class Clsvalidacion {
public:
    // The duplicate checks look among the stored accounts of `accounts`.
    explicit Clsvalidacion(const AccountList& accounts) : accounts_(accounts) {}

    // A dotted IPv4 address: exactly four parts, each a number from 0 to 255 with optional blanks
    // around it; no port.
    static bool IsIP(const QString& text);
    // Whether a stored account has this code (letter case ignored, blanks not trimmed).
    bool CuentaDupl(const QString& code) const;
    // Whether a stored account has this name (letter case ignored, blanks not trimmed).
    bool NomDuplic(const QString& name) const;
    // The text without the characters \ / * ? < > | : and the double quote.
    static QString CharProhib(const QString& text);

    // Why a name, code or signature cannot be stored in the database file (a line break, a
    // character without a Windows-1252 byte), or the empty text when it can. `what` names the
    // field, as in "The name".
    static QString Inguardable(const QString& what, const QString& text);
    // Why a comment cannot be stored: a line that would close it early, or a character without a
    // Windows-1252 byte; the empty text when it can.
    static QString InguardableComentario(const QString& comment);

private:
    const AccountList& accounts_;
};
