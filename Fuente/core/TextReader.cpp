#include "TextReader.h"

#include <algorithm>
#include <QDir>
#include <QFile>

#include "Cp1252.h"
#include "FileSystem.h"

TextReader::TextReader(const QString& path, const QByteArray& bytes) : path_(path), owned_(bytes), bytes_(owned_) {}

TextReader::TextReader(const QString& path, QByteArrayView piece, bool last)
    : path_(path), bytes_(piece), last_(last) {}

TextReader::TextReader(const QString& path) : TextReader(path, FileSystem::readFile(path)) {}

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
    qsizetype cr = bytes_.sliced(pos_).indexOf('\r');
    cr = cr < 0 ? bytes_.size() : pos_ + cr;
    // Whether an LF follows a CR at the piece's end is for the next piece to say.
    if (!last_ && cr >= bytes_.size() - 1)
        throw PieceEnd{};
    const QByteArrayView line = bytes_.sliced(pos_, cr - pos_);
    pos_ = std::min(cr + 1, bytes_.size());  // a last line without a line end ends at the end
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n')
        ++pos_;
    return line;
}
