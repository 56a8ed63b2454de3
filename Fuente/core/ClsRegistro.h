#pragma once

#include <QString>

class ClsControlErrores;
class Dialogs;

// Writes registry scripts that make an account the game's active one when merged.
class ClsRegistro {
public:
    static inline const QString LogName = QStringLiteral("ClsReg.log");

    ClsRegistro(Dialogs& dialogs, ClsControlErrores& errores) : dialogs_(dialogs), errores_(errores) {}

    // Writes (or replaces) the script at `path` that sets the game's account code and signature.
    // A failure is reported here; the result tells whether the script was written.
    bool CrearReg(const QString& path, const QString& code, const QString& signature);

    // A text as a quoted string value of a script: backslashes and double quotes escaped, so
    // that merging sets exactly the text.
    static QString valorCitado(const QString& text);

private:
    Dialogs& dialogs_;
    ClsControlErrores& errores_;
};
