#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Writes a text file, every line ended by CR LF. Nothing reaches the disk before close():
// a rewrite replaces the old file in one step and an append adds all its lines at once, so a
// writer dropped by a failure leaves the file as it was.
class TextWriter {
public:
    enum class Mode { Rewrite, Append };

    // Checks at once that the file can be written, as opening it would. The file gets the
    // permissions of `permissionsOf` when that is given (see FileSystem).
    TextWriter(const QString& path, Mode mode, const QString& permissionsOf = {});

    // Room for about this many bytes, so that a large file is not copied as it grows.
    void reserve(qsizetype bytes) { buffer_.reserve(bytes); }
    void writeLine(QStringView line);
    // Writes a line already in the file's code page.
    void writeEncodedLine(QByteArrayView line);
    // The bytes written so far, as they will reach the file.
    const QByteArray& contents() const { return buffer_; }
    void close();

private:
    QString path_;
    Mode mode_;
    QString permissionsOf_;
    QByteArray buffer_;
};
