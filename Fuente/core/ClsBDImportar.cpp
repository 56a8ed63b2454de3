// Merging an account data file into the database.
#include "ClsBD.h"
#include "ClsControlErrores.h"
#include "ClsconvertirBaseVieja.h"
#include "Clsvalidacion.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Mod_Variables.h"
#include "TextReader.h"
#include "TextWriter.h"

void ClsBD::importar() {
    mv_.errores().guard(LogName, QStringLiteral("ClsBD.importar"), [this] {
        const FileChoice choice = mv_.dialogs.ShowOpen(QStringLiteral("VTR Data File(*.ADF)|*.ADF"), QString());
        if (choice.fileName.isEmpty())
            return;
        const QString backup = mv_.RutaBD + QStringLiteral(".bak");
        const QString aux = mv_.RutaBD + SufijoAux;
        FileSystem::copyFile(mv_.RutaBD, backup);
        FileSystem::copyFile(choice.fileName, aux);
        // An older copy is converted in place; one that could not be checked or converted is
        // not read at all (its failure has been reported).
        if (!mv_.conversion().ConvDbOld(aux, true))
            return;

        TextReader source(aux);
        // The merged database reaches the disk only at close(), in place of the old one in one
        // step: a source that ends inside an account changes nothing.
        TextWriter destination = reescritura();
        escribirversion(destination);
        escribirCuentas(destination);

        const Clsvalidacion& validacion = mv_.validacion();
        source.readLine();  // the header
        bool imported = false;
        while (!source.atEnd()) {
            const QString name = source.readLine();
            const QString code = source.readLine();
            const QString signature = source.readLine();
            QString line = source.readLine();  // the opener
            if (validacion.CuentaDupl(code)) {
                // Skipped up to a closer written exactly as this program writes it.
                while (line != Closer)
                    line = source.readLine();
                continue;
            }
            destination.writeLine(validacion.NomDuplic(name) ? name + QStringLiteral("(Duplicated name)") : name);
            destination.writeLine(code);
            destination.writeLine(signature);
            destination.writeLine(Opener);
            for (line = source.readLine(); !isCloser(line); line = source.readLine())
                destination.writeLine(line);
            destination.writeLine(Closer);
            imported = true;
        }

        FileSystem::deleteFile(aux);
        destination.close();

        if (imported)
            mv_.dialogs.MsgBox(QStringLiteral("Accounts imported successfuly"), MsgButtons::OK, MsgIcon::None,
                               QStringLiteral(":)"));
        else
            mv_.dialogs.MsgBox(QStringLiteral("All the accounts contained on the source file are already on the "
                                              "database. No accounts were imported"));
    });
}
