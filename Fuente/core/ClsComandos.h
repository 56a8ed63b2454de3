#pragma once

#include <QString>

class Dialogs;
class Mod_Variables;

// Reads the command line: /A=<code> /S=<address:port> /W /Y /?
class ClsComandos {
public:
    static inline const QString ExampleServer = QStringLiteral("127.0.0.1");

    // What a command line asks for.
    struct Request {
        QString account;
        QString server;
        bool windowed = false;
        bool force = false;
        bool help = false;
    };

    // The command-line values go into `mv`.
    ClsComandos(Mod_Variables& mv, Dialogs& dialogs) : mv_(mv), dialogs_(dialogs) {}

    // Reads the text without judging it: any number of pieces, each starting at a "/" (the text
    // before the first one included), up to a "/?"; of repeated pieces the last counts.
    static Request parse(QStringView text);

    // Fills CuentaCmd, ServidorCmd, ModoVentana and Forzar from the text; true when the text is
    // not empty. "/?", a missing code or a code that cannot be stored shows its message and ends
    // the program.
    bool IterpCmd(const QString& text);

    static QString usage();

private:
    [[noreturn]] void endWith(const QString& message);

    Mod_Variables& mv_;
    Dialogs& dialogs_;
};
