#include "DatabaseFormat.h"

#include "TextWriter.h"

bool DatabaseFormat::isCloser(const QString& line) {
    return line.size() == Closer.size() && line.compare(Closer, Qt::CaseInsensitive) == 0;
}

bool DatabaseFormat::isCloser(QByteArrayView line) {
    // No Windows-1252 letter outside ASCII folds to an ASCII one, so comparing the bytes' ASCII
    // letter case says what comparing the decoded text would.
    return line.size() == Closer.size() && qstrnicmp(line.data(), line.size(), "</COMENTARIO>") == 0;
}

void DatabaseFormat::escribirversion(TextWriter& file) { file.writeLine(Header.chopped(2)); }

void DatabaseFormat::escribirRegistro(TextWriter& file, const QString& name, const QString& code,
                                      const QString& signature, const std::optional<QString>& comment) {
    writeHead(file, name, code, signature);
    if (comment)
        file.writeLine(*comment);
    file.writeLine(Closer);
}

void DatabaseFormat::writeHead(TextWriter& file, QStringView name, QStringView code, QStringView signature) {
    file.writeLine(name);
    file.writeLine(code);
    file.writeLine(signature);
    file.writeLine(Opener);
}
