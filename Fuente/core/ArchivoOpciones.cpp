#include "ArchivoOpciones.h"

#include <cmath>
#include <QDir>
#include <QtGlobal>

#include "FileSystem.h"
#include "RunError.h"
#include "TextReader.h"
#include "TextWriter.h"
#include "VbText.h"

namespace ArchivoOpciones {

namespace {

// One input field: the line up to its first comma, read as a number.
int optionValue(const QString& line) {
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    const double value = std::nearbyint(VbText::val(comma < 0 ? QStringView(line) : QStringView(line).left(comma)));
    return int(qBound(0.0, value, 2.0));
}

}  // namespace

void cargar(const QString& path, std::array<int, 2>& opciones) {
    if (!FileSystem::fileExists(path)) {
        opciones = {0, 0};
        escribir(path, 0, 0);
        return;
    }
    TextReader file(path);
    if (!file.atEnd())
        file.readLine();  // the header, whatever it says
    for (std::size_t k = 0; !file.atEnd(); ++k) {
        // There are two options: a value line past them is a damaged file, not one to read past.
        if (k == opciones.size())
            throw RunError{RunError::SubscriptOutOfRange,
                           QStringLiteral("Subscript out of range: %1 holds more than %2 option values")
                               .arg(QDir::toNativeSeparators(path))
                               .arg(opciones.size())};
        opciones[k] = optionValue(file.readLine());
    }
}

void escribir(const QString& path, int activation, int deletion) {
    TextWriter file(path, TextWriter::Mode::Rewrite);
    file.writeLine(Header);
    file.writeLine(QString::number(activation));
    file.writeLine(QString::number(deletion));
    file.close();
}

}  // namespace ArchivoOpciones
