#include "ClsRegistro.h"

#include "ClsControlErrores.h"
#include "Mod_Variables.h"
#include "TextWriter.h"

QString ClsRegistro::valorCitado(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool ClsRegistro::CrearReg(const QString& path, const QString& code, const QString& signature) {
    return mv_.errores().guard(LogName, QStringLiteral("ClsReg.CrearReg"), [&] {
        TextWriter file(path, TextWriter::Mode::Rewrite);
        file.writeLine(u"REGEDIT4");
        file.writeLine(u"\r");  // the second line is a lone carriage return before its line end
        file.writeLine(u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]");
        file.writeLine(QStringLiteral("\"MPAccountName\"=") + valorCitado(code));
        file.writeLine(QStringLiteral("\"MPAccountNameSig\"=") + valorCitado(signature));
        file.close();
    });
}
