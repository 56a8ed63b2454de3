#include "ClsconvertirBaseVieja.h"

#include <cmath>
#include <QDir>

#include "ClsControlErrores.h"
#include "DatabaseFile.h"
#include "DatabaseFormat.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "Programa.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "VbText.h"

namespace {

QString newerVersionMessage(bool importFlag) {
    return (importFlag
                ? QStringLiteral("The Version of the file you are about to import was created by a newer version "
                                 "of this program. I cannot import it without damaging the database. ")
                : QStringLiteral("The Version of the current database was created by a newer version of this "
                                 "program. I cannot convert it without damaging the database. ")) +
           QStringLiteral("Download the lastest version of the program.\r\nYou can get the lastest version at ") +
           Programa::PaginaWeb;
}

}  // namespace

int ClsconvertirBaseVieja::version(const QString& firstLine) {
    // Rounded half to even, as a whole-number variable takes a fraction.
    return int(std::nearbyint(VbText::val(QStringView(firstLine).right(3))));
}

bool ClsconvertirBaseVieja::ConvDbOld(const QString& path, bool importFlag) {
    return errores_.guard(LogName, QStringLiteral("ClsDBConv.ConvDbOld"), [&] {
        const std::optional<QString> header = TextReader::firstLine(path);
        if (!header) {
            const auto writeHeader = [](TextWriter& file) { DatabaseFormat::escribirversion(file); };
            if (importFlag) {
                TextWriter empty(path, TextWriter::Mode::Rewrite);
                writeHeader(empty);
                empty.close();
            } else {
                // Only while it is still empty: another copy of the program may have written it.
                database_.replace([&](const std::optional<QByteArray>& bytes, TextWriter& file) {
                    if (bytes && !bytes->isEmpty())
                        return false;
                    writeHeader(file);
                    return true;
                });
            }
            return true;
        }
        const int v = version(*header);
        if (v > DatabaseFormat::Version) {
            dialogs_.MsgBox(newerVersionMessage(importFlag));
            throw EndProgram{};
        }
        if (v < DatabaseFormat::Version) {
            bool converted = false;
            if (!ConvDBdesde100(importFlag, converted))
                return false;
            if (!converted)
                return true;  // another copy of the program converted it, and said so
            if (importFlag)
                dialogs_.MsgBox(QStringLiteral("The source has been created by an old version of this program.\r\n"
                                               "It is recomended to replace it with a new one, exported from this "
                                               "version."));
            else
                dialogs_.MsgBox(
                    "The Database has been converted from the older format to the current one.\r\nA file called "
                    "Accounts.dat.old." +
                    QString::number(v) +
                    " was created just in case. That file is a copy of the old database. It is located on the program "
                    "instalation directory at " +
                    QDir::toNativeSeparators(appFolder_) + ".");
        }
        return true;
    });
}

namespace {

// Writes the older layout's accounts in the current one, every comment empty.
void convert(TextReader& source, TextWriter& destination) {
    destination.writeLine(QStringLiteral("Version: %1").arg(DatabaseFormat::Version));
    while (!source.atEnd()) {
        const QString name = source.readLine();
        const QString code = source.readLine();
        const QString signature = source.readLine();
        DatabaseFormat::escribirRegistro(destination, name, code, signature, std::nullopt);
    }
}

}  // namespace

bool ClsconvertirBaseVieja::ConvDBdesde100(bool importFlag, bool& converted) {
    converted = false;
    return errores_.guard(LogName, QStringLiteral("ClsDBConv.ConvDBdesde100"), [&] {
        const QString old = rutaBD_ + QStringLiteral(".old");
        if (importFlag) {
            const QString aux = rutaBD_ + DatabaseFormat::SufijoAux;
            const QString temp = rutaBD_ + QStringLiteral(".temp2");
            FileSystem::copyFile(rutaBD_, old, rutaBD_);
            TextReader source(aux);
            // Nothing reaches the destination before close(): a source that ends inside an account
            // leaves the destination as it was.
            TextWriter destination(temp, TextWriter::Mode::Rewrite, rutaBD_);
            convert(source, destination);
            destination.close();
            FileSystem::copyFile(temp, aux, rutaBD_);  // replaces the working copy in one step
            FileSystem::deleteFile(temp);
            converted = true;
            return;
        }
        bool copied = false;
        try {
            // The database as it is under the lock: another copy of the program may have converted it.
            converted = database_.replace([&](const std::optional<QByteArray>& bytes, TextWriter& destination) {
                if (!bytes || version(TextReader(rutaBD_, *bytes).readLine()) >= DatabaseFormat::Version)
                    return false;
                FileSystem::replaceFile(old, *bytes, rutaBD_);
                copied = true;
                TextReader source(old, *bytes);
                convert(source, destination);
                return true;
            });
        } catch (const RunError& e) {
            // Said once, in plain words: the database is left as it was, and nothing is stored in it.
            throw RunError{e.number,
                           "The database could not be converted from the older format (" + e.description +
                               "). It has not been changed: the original is kept in " +
                               QDir::toNativeSeparators(rutaBD_) +
                               (copied ? " and a copy of it in " + QDir::toNativeSeparators(old) : QString()) +
                               ". No account can be stored, changed or deleted until it is converted."};
        }
    });
}
