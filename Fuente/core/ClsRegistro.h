#pragma once

#include <QString>

class Mod_Variables;

// Writes registry scripts that make an account the game's active one when merged.
class ClsRegistro {
public:
    static inline const QString LogName = QStringLiteral("ClsReg.log");

    explicit ClsRegistro(Mod_Variables& mv) : mv_(mv) {}

    // Writes (or replaces) the script at `path` that sets the game's account code and signature.
    // A failure is reported here; the result tells whether the script was written.
    bool CrearReg(const QString& path, const QString& code, const QString& signature);

    // A text as a quoted string value of a script: backslashes and double quotes escaped, so
    // that merging sets exactly the text.
    static QString valorCitado(const QString& text);

private:
    Mod_Variables& mv_;
};
