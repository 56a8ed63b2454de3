#include "ClsComandos.h"

#include <QStringList>

#include "Clsvalidacion.h"
#include "Dialogs.h"
#include "Mod_Variables.h"
#include "RunError.h"
#include "VbText.h"

QString ClsComandos::usage() {
    return QStringList{
        "Usage: ''<Path to program>'' /a=<Account> [/s=" + ExampleServer + ":2302][/w] [/y] [/?]",
        QString(),
        QStringLiteral("/A=<Account> - Account to be activated"),
        QStringLiteral("/S=<IP:Port> - Server to auto-connect to"),
        QStringLiteral("/W - Launch the game on windowed mode"),
        QStringLiteral("/Y - Activate the account even if there is an active account that does not exists on the "
                       "database (the active account will be lost from registry)"),
        QStringLiteral("/? - This prompt"),
        QString(),
        QStringLiteral("Example: ''C:\\program files\\freelancer\\freelancer.exe'' "
                       "/a=zxlvnbka-mtyqkdso37-k905612t4 /y /w"),
        QStringLiteral("that would activate that account (overwriting any active account even if it's not on the "
                       "DB) and launch the game in windowed mode"),
    }
        .join(QStringLiteral("\r\n"));
}

void ClsComandos::endWith(const QString& message) {
    if (!message.isEmpty())
        dialogs_.MsgBox(message);
    dialogs_.MsgBox(usage());
    throw EndProgram{};
}

ClsComandos::Request ClsComandos::parse(QStringView text) {
    Request request;
    for (QStringView piece : text.split(QLatin1Char('/'))) {
        if (piece.isEmpty())
            continue;
        switch (piece.front().toUpper().unicode()) {
        case 'W':
            request.windowed = true;
            break;
        case 'Y':
            request.force = true;
            break;
        case 'A':
            request.account = VbText::trim(piece.mid(qMin<qsizetype>(2, piece.size())));
            break;
        case 'S':
            request.server = VbText::trim(piece.mid(qMin<qsizetype>(2, piece.size())));
            break;
        case '?':
            request.help = true;  // the pieces after it are not read
            return request;
        }
    }
    return request;
}

bool ClsComandos::IterpCmd(const QString& text) {
    if (text.isEmpty())
        return false;
    const Request request = parse(text);
    mv_.ModoVentana = request.windowed;
    mv_.Forzar = request.force;
    mv_.CuentaCmd = request.account;
    mv_.ServidorCmd = request.server;
    if (request.help)
        endWith(QString());
    if (mv_.CuentaCmd.isEmpty())
        endWith(QStringLiteral("You forgot to add the account... <.<"));
    const QString problem = Clsvalidacion::Inguardable(QStringLiteral("The account code"), mv_.CuentaCmd);
    if (!problem.isEmpty())
        endWith(problem);
    return true;
}
