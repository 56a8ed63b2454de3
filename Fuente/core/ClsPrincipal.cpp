#include "ClsPrincipal.h"

#include <QDir>
#include <QFileInfo>

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "ClsRespaldos.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "DatabaseFormat.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "RegistryAccess.h"
#include "TextWriter.h"
#include "VbText.h"
#include "WinePrefix.h"
#include "WindowDisplay.h"

bool ClsPrincipal::BuscYselAccounts(const QString& code) {
    return errores_.guard(LogName, QStringLiteral("ClsPrinc.BuscYselAccounts"), [&] {
        AccountList& list = mv_.Accounts;
        const int position = list.lastWithTrimmedCode(code);
        if (position == 0)
            return false;
        const AccountRow& row = list.row(position);
        display_.showActive(row.name);
        list.select(position);
        display_.showComment(bd_.traercomentario(row.code));
        return true;
    });
}

void ClsPrincipal::SetCuentaAct(const QString& code, const QString& signature) {
    errores_.guard(LogName, QStringLiteral("ClsPrinc.SetCuentaAct"), [&] {
        if (BuscYselAccounts(code))
            return;
        if (code.isEmpty()) {
            dialogs_.MsgBox(QStringLiteral("There isn't any active freelancer account.\r\n"
                                           "--To create a new one, start freelancer and enter the server list.\r\n"
                                           "--Or Double click an account on the list to activate it"));
            display_.showNoActive();
            return;
        }
        // A database that was not loaded whole cannot store anything: nothing is offered.
        if (!database_.isLoaded())
            return display_.showNotStored(NotStored);
        // Shown while the question is open: the frame holds an account that is not stored.
        display_.showNotStored(NotStored);
        const MsgAnswer add = dialogs_.MsgBox(
            QStringLiteral("The active account does not match the accounts stored on my database, therefore it must "
                           "be a new one. Do you want to add it to the database?"),
            MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("New Account Found"));
        if (add != MsgAnswer::Yes)
            return display_.showNotStored(NotStored);
        const QString name = askNewName();
        if (name.isEmpty())
            return display_.showNotStored(QStringLiteral("Warning! Not in the database"));

        // Stored first: the list shows the account, and the person is told it was added, only
        // once it is in the file. Until then it is shown as not stored.
        display_.showNotStored(QStringLiteral("Warning! Not in the database"));
        DatabaseFile::Change change;
        change.write = [&](TextWriter& file) {
            DatabaseFormat::escribirRegistro(file, name, code, signature, std::nullopt);
        };
        // Another copy of the program may have stored the account, or the name, meanwhile.
        change.reapply = [&] { return !validacion_.CuentaDupl(code) && !validacion_.NomDuplic(name); };
        change.refused = "The account \"" + name + "\" was not added";
        if (!bd_.anexar(change)) {
            if (!BuscYselAccounts(code))
                display_.showNotStored(NotStored);
            return;
        }
        mv_.Accounts.select(mv_.Accounts.add(1, {name, code, signature}));
        dialogs_.MsgBox(QStringLiteral("The new account has been added"), MsgButtons::OK, MsgIcon::Exclamation,
                        QStringLiteral("New Account"));
        display_.showActive(name);
    });
}

QString ClsPrincipal::askNewName() {
    for (;;) {
        const QString name = dialogs_.InputBox(QStringLiteral("Input a name for the new account"),
                                               QStringLiteral("Add New Account"), QStringLiteral("New Account"));
        if (name.isEmpty())
            return name;
        if (validacion_.NomDuplic(name)) {
            dialogs_.MsgBox(QStringLiteral("The name you entered already exists"));
            continue;
        }
        const QString problem = Clsvalidacion::Inguardable(QStringLiteral("The name"), name);
        if (problem.isEmpty())
            return name;
        dialogs_.MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation);
    }
}

void ClsPrincipal::EscribirActiva(const QString& code, const QString& signature) {
    respaldos_.anotarActiva();
    // Together, so that a failure cannot leave the game with one account's code and another's
    // signature.
    registry_.WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                          {{QStringLiteral("MPAccountName"), code}, {QStringLiteral("MPAccountNameSig"), signature}});
}

QString ClsPrincipal::executablePath(const QString& gameFolder) {
    return gameFolder + QStringLiteral("/EXE/Freelancer.exe");
}

QString ClsPrincipal::gameArguments(bool windowed, const QString& server) {
    return (windowed ? QStringLiteral("-w ") : QString()) + QStringLiteral("-s") + VbText::trim(server);
}

void ClsPrincipal::leerRutaJuego() {
    mv_.RutaJuego = registry_.ReadValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey,
                                        QStringLiteral("AppPath"));
}

void ClsPrincipal::Launchar(bool windowed) {
    errores_.guard(LogName, QStringLiteral("ClsPrinc.Launchar"), [&] {
        if (mv_.Command.isEmpty())
            leerRutaJuego();
        const QString arguments = gameArguments(windowed, mv_.ServidorCmd);
        if (mv_.winePrefix)
            return launchInWine(*mv_.winePrefix, arguments);
        const QString program = executablePath(mv_.RutaJuego);
        // Without a game folder there is no game: never look for the program elsewhere.
        if (mv_.RutaJuego.isEmpty() || !FileSystem::fileExists(program))
            return showNotFound(QDir::toNativeSeparators(program));
        dialogs_.StartProgram(QDir::toNativeSeparators(program), arguments, QFileInfo(program).absolutePath(),
                              Dialogs::Show::Minimized);
    });
}

void ClsPrincipal::launchInWine(const WinePrefix& prefix, const QString& arguments) {
    // The game folder is a Windows path, found through the prefix's drives.
    const QString windowsProgram = mv_.RutaJuego + QStringLiteral("\\EXE\\Freelancer.exe");
    const QString program = mv_.RutaJuego.isEmpty() ? QString() : prefix.hostPath(windowsProgram);
    if (program.isEmpty() || !FileSystem::fileExists(program))
        return showNotFound(windowsProgram);
    // Windows paths hold no quotes, so quoting the program keeps it one argument.
    dialogs_.StartProgram(WinePrefix::wineProgram(), '"' + program + QStringLiteral("\" ") + arguments,
                          QFileInfo(program).absolutePath(), Dialogs::Show::Minimized);
}

void ClsPrincipal::showNotFound(const QString& program) {
    dialogs_.MsgBox("''" + program + "'' not found.", MsgButtons::OK, MsgIcon::Critical,
                    QStringLiteral("File not Found"));
}
