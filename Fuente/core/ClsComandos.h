#pragma once

#include <QString>

class Mod_Variables;

// Reads the command line: /A=<code> /S=<address:port> /W /Y /?
class ClsComandos {
public:
    static inline const QString ExampleServer = QStringLiteral("127.0.0.1");

    explicit ClsComandos(Mod_Variables& mv) : mv_(mv) {}

    // Fills CuentaCmd, ServidorCmd, ModoVentana and Forzar from the text; true when the text is
    // not empty. "/?", a missing code or a code that cannot be stored shows its message and ends
    // the program.
    bool IterpCmd(const QString& text);

    static QString usage();

private:
    [[noreturn]] void endWith(const QString& message);

    Mod_Variables& mv_;
};
