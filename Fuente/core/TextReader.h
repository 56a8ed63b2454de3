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
    // Reads a piece of the file's bytes, which must outlive the reader; unless the piece is the
    // file's `last`, a line that the piece does not hold whole throws PieceEnd.
    TextReader(const QString& path, QByteArrayView piece, bool last);
    // A copy would read the bytes of the one it was made from.
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    struct PieceEnd {};

    // At the end of a piece that is not the last, whether the text ends there is for the next
    // piece to say: PieceEnd.
    bool atEnd() const {
        if (pos_ < bytes_.size())
            return false;
        if (!last_)
            throw PieceEnd{};
        return true;
    }
    // Where the next line starts, in the bytes read.
    qsizetype position() const { return pos_; }
    QString readLine();
    // The next line as the file's 8-bit text, valid while the bytes read are.
    QByteArrayView readLineBytes();

    // The first line of a file, read without reading the rest; none when the file is empty.
    static std::optional<QString> firstLine(const QString& path);

private:
    QString path_;
    QByteArray owned_;
    QByteArrayView bytes_;
    bool last_ = true;
    qsizetype pos_ = 0;
};
