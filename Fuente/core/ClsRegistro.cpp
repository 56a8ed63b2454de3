#include "ClsRegistro.h"

#include <QDir>

#include "ClsControlErrores.h"
#include "Dialogs.h"
#include "TextWriter.h"

QString ClsRegistro::valorCitado(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool ClsRegistro::CrearReg(const QString& path, const QString& code, const QString& signature) {
    // A line break would end the value's line early and break the script apart.
    for (const QString& value : {code, signature}) {
        if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n'))) {
            dialogs_.MsgBox("The account code or its signature holds a line break, which a registry script "
                            "cannot hold. Nothing was written to " +
                                QDir::toNativeSeparators(path) + ".",
                            MsgButtons::OK, MsgIcon::Exclamation);
            return false;
        }
    }
    return errores_.guard(LogName, QStringLiteral("ClsReg.CrearReg"), [&] {
        TextWriter file(path, TextWriter::Mode::Rewrite);
        file.writeLine(u"REGEDIT4");
        file.writeLine(u"\r");  // the second line is a lone carriage return before its line end
        file.writeLine(u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]");
        file.writeLine(QStringLiteral("\"MPAccountName\"=") + valorCitado(code));
        file.writeLine(QStringLiteral("\"MPAccountNameSig\"=") + valorCitado(signature));
        file.close();
    });
}
