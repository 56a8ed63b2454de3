#include "TextWriter.h"

#include <QFile>
#include <QFileInfo>

#include "Cp1252.h"
#include "FileSystem.h"

namespace {

// An append must start on a line of its own even when the file's last line has no line end.
bool endsOpenLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    file.seek(qMax<qint64>(0, file.size() - 2));
    const QByteArray tail = file.read(2);
    return !tail.endsWith('\r') && !tail.endsWith("\r\n");
}

}  // namespace

TextWriter::TextWriter(const QString& path, Mode mode, const QString& permissionsOf)
    : path_(path), mode_(mode), permissionsOf_(permissionsOf) {
    const QFileInfo info(path);
    if (info.isDir() || !FileSystem::folderExists(info.absolutePath()))
        throw FileSystem::openFailure(path, false);
    if (info.exists() && !info.isWritable())
        throw FileSystem::openFailure(path, false);
    if (mode == Mode::Append && endsOpenLine(path))
        buffer_ = "\r\n";
}

void TextWriter::writeLine(QStringView line) {
    Cp1252::encodeAppend(line, buffer_);
    buffer_.append("\r\n");
}

void TextWriter::writeEncodedLine(QByteArrayView line) {
    buffer_.append(line);
    buffer_.append("\r\n");
}

void TextWriter::close() {
    if (mode_ == Mode::Rewrite)
        FileSystem::replaceFile(path_, buffer_, permissionsOf_);
    else
        FileSystem::appendToFile(path_, buffer_, permissionsOf_);
    buffer_.clear();
}
