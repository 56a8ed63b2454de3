#include "TextReader.h"

#include <QDir>
#include <QFile>

#include "Cp1252.h"
#include "FileSystem.h"

TextReader::TextReader(const QString& path, const QByteArray& bytes) : path_(path), text_(Cp1252::decode(bytes)) {}

TextReader::TextReader(const QString& path) : path_(path), text_(Cp1252::decode(FileSystem::readFile(path))) {}

std::optional<QString> TextReader::firstLine(const QString& path) {
    QFile file(path);
    if (!FileSystem::isRegularFile(path) || !file.open(QIODevice::ReadOnly))
        throw FileSystem::openFailure(path, true);
    QByteArray bytes;
    qsizetype cr = -1;
    while (cr < 0 && !file.atEnd()) {
        const qsizetype searched = bytes.size();
        bytes += file.read(64 * 1024);
        if (file.error() != QFileDevice::NoError)
            throw RunError{RunError::DeviceIo, "Device I/O error: " + QDir::toNativeSeparators(path)};
        cr = bytes.indexOf('\r', searched);
    }
    if (bytes.isEmpty())
        return std::nullopt;
    return Cp1252::decode(bytes.constData(), cr < 0 ? bytes.size() : cr);
}

QString TextReader::readLine() {
    if (atEnd())
        throw RunError{RunError::InputPastEnd,
                       "Input past end of file: " + QDir::toNativeSeparators(path_)};
    qsizetype cr = text_.indexOf(QLatin1Char('\r'), pos_);
    if (cr < 0)
        cr = text_.size();
    QString line = text_.mid(pos_, cr - pos_);
    pos_ = cr + 1;
    if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n'))
        ++pos_;
    return line;
}
