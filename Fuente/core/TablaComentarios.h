#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <QString>
#include <vector>

// The comment table: one row per loaded record, in file order, with the record's code (filled
// only when the record has comment lines) and its comment lines joined by CR LF. Comments are
// kept as the file's 8-bit text, half the memory of a QString, all in one text: most are never
// looked at, and a million of them would otherwise be a million allocations.
// A comment is found by its code: the first row whose code is exactly equal.
class TablaComentarios {
public:
    struct Row {
        QString code;
        qsizetype start = 0;  // where the comment lies in the table's text
        qsizetype size = 0;
    };

    // Replaces the table with rows whose comments lie in `text` (Windows-1252); an empty list of
    // rows gives the one empty row of an empty database.
    void assign(std::vector<Row> rows, QByteArray text);

    int rowCount() const { return int(rows_.size()); }

    // The comment of the first row whose code equals `code` exactly, or the empty text.
    QString commentFor(const QString& code) const;
    // The same comment as the file holds it, valid until the table changes.
    QByteArrayView storedComment(const QString& code) const;

private:
    // The first row of a code, or -1. The first lookup after assign() scans the rows; the index
    // is built by a lookup of another code, so that start-up, which looks up the comment of one
    // account, builds none.
    int find(const QString& code) const;
    int probe(const QString& code, quint32 hash) const;
    void buildIndex() const;

    std::vector<Row> rows_;
    QByteArray text_;
    // An open-addressing index of the first row of each code: a slot holds the code's hash and
    // its row (-1 when free), 8 bytes where a hash table of strings would take several times that.
    struct Slot {
        quint32 hash;
        int row;
    };
    mutable std::vector<Slot> slots_;
    mutable std::optional<QString> scannedCode_;
    mutable int scannedRow_ = -1;
};
