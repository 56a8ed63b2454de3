#pragma once

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reads a text file line by line. A line ends at CR, and an LF right after that CR belongs to
// the line end; a lone LF is part of the line's text. Reading past the end is error 62.
class TextReader {
public:
    explicit TextReader(const QString& path);
    // Reads bytes already taken from the file at `path` (named in failures).
    TextReader(const QString& path, const QByteArray& bytes);

    bool atEnd() const { return pos_ >= bytes_.size(); }
    QString readLine();
    // The next line as the file's 8-bit text, valid while the reader lives.
    QByteArrayView readLineBytes();

    // The first line of a file, read without reading the rest; none when the file is empty.
    static std::optional<QString> firstLine(const QString& path);

private:
    QString path_;
    QByteArray bytes_;
    qsizetype pos_ = 0;
};
