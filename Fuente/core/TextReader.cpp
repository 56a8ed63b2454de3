#include "TextReader.h"

#include <QDir>
#include <QFile>

#include "Cp1252.h"
#include "FileSystem.h"

TextReader::TextReader(const QString& path, const QByteArray& bytes) : path_(path), bytes_(bytes) {}

TextReader::TextReader(const QString& path) : path_(path), bytes_(FileSystem::readFile(path)) {}

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
    const QByteArrayView line = readLineBytes();
    return Cp1252::decode(line.data(), line.size());
}

QByteArrayView TextReader::readLineBytes() {
    if (atEnd())
        throw RunError{RunError::InputPastEnd, "Input past end of file: " + QDir::toNativeSeparators(path_)};
    qsizetype cr = bytes_.indexOf('\r', pos_);
    if (cr < 0)
        cr = bytes_.size();
    const QByteArrayView line(bytes_.constData() + pos_, cr - pos_);
    pos_ = cr + 1;
    if (pos_ < bytes_.size() && bytes_.at(pos_) == '\n')  // at(): a non-const [] would copy the shared bytes
        ++pos_;
    return line;
}
