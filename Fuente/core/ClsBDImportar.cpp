// Merging an account data file into the database.
#include <optional>
#include <QDir>

#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "ClsconvertirBaseVieja.h"
#include "Clsvalidacion.h"
#include "DatabaseFile.h"
#include "DatabaseFormat.h"
#include "Dialogs.h"
#include "FileLock.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "TextReader.h"
#include "TextWriter.h"

namespace {

bool holdsLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

}  // namespace

void ClsBD::importar() {
    errores_.guard(LogName, QStringLiteral("ClsBD.importar"), [this] {
        const FileChoice choice = dialogs_.ShowOpen(QStringLiteral("VTR Data File(*.ADF)|*.ADF"), QString());
        if (choice.fileName.isEmpty())
            return;
        const QString aux = mv_.RutaBD + DatabaseFormat::SufijoAux;
        // One import at a time uses the working copy, whichever copy of the program makes it.
        std::optional<FileLock> working(std::in_place, aux + DatabaseFile::LockSuffix);
        FileSystem::copyFile(choice.fileName, aux, mv_.RutaBD);
        // An older copy is converted in place; one that could not be checked or converted is
        // not read at all (its failure has been reported).
        if (!conversion_.ConvDbOld(aux, true))
            return;

        // The merge is made against the list as it is when the file is written: when another copy
        // of the program changed the database meanwhile, against the list loaded again.
        bool imported = false;
        int refused = 0;
        DatabaseFile::Change change;
        change.keepBak = true;
        change.refused = QStringLiteral("The accounts were not imported");
        change.write = [&](TextWriter& destination) { mergeImported(destination, aux, imported, refused); };
        if (!reescribir(change))
            return;
        FileSystem::deleteFile(aux);
        working.reset();

        if (refused > 0)
            errores_.informarerror(
                errores_.logPath(LogName), RunError::InvalidFileFormat,
                QStringLiteral("Invalid file format: %1 of the accounts in %2 were not imported: a name, code or "
                               "signature holds a line break")
                    .arg(refused)
                    .arg(QDir::toNativeSeparators(choice.fileName)),
                QStringLiteral("ClsBD.importar"));
        if (imported)
            dialogs_.MsgBox(QStringLiteral("Accounts imported successfuly"), MsgButtons::OK, MsgIcon::None,
                            QStringLiteral(":)"));
        else if (refused == 0)
            dialogs_.MsgBox(QStringLiteral("All the accounts contained on the source file are already on the "
                                           "database. No accounts were imported"));
    });
}

void ClsBD::mergeImported(TextWriter& destination, const QString& aux, bool& imported, int& refused) const {
    imported = false;
    refused = 0;
    escribirCuentas(destination);
    TextReader source(aux);
    source.readLine();  // the header
    while (!source.atEnd()) {
        const QString name = source.readLine();
        const QString code = source.readLine();
        const QString signature = source.readLine();
        QString line = source.readLine();  // the opener
        // A line break inside a value (a lone LF) would break the record apart once written.
        const bool breaks = holdsLineBreak(name) || holdsLineBreak(code) || holdsLineBreak(signature);
        if (breaks || validacion_.CuentaDupl(code)) {
            refused += breaks;
            // Skipped up to a closer written exactly as this program writes it.
            while (line != DatabaseFormat::Closer)
                line = source.readLine();
            continue;
        }
        destination.writeLine(validacion_.NomDuplic(name) ? name + QStringLiteral("(Duplicated name)") : name);
        destination.writeLine(code);
        destination.writeLine(signature);
        destination.writeLine(DatabaseFormat::Opener);
        for (line = source.readLine(); !DatabaseFormat::isCloser(line); line = source.readLine())
            destination.writeLine(line);
        destination.writeLine(DatabaseFormat::Closer);
        imported = true;
    }
}
