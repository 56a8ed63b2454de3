#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <QString>
#include <vector>

// The comment table: one row per loaded record, in file order, with the record's code (filled
// only when the record has comment lines) and its comment lines joined by CR LF. Codes and
// comments are kept as the file's 8-bit text, half the memory of a QString, all in one text:
// most are never looked at, and a million of them would otherwise be millions of allocations.
// A comment is found by its code: the first row whose code is exactly equal.
class TablaComentarios {
    struct Row {
        qsizetype codeStart = 0;  // where the code and the comment lie in the table's text
        qsizetype start = 0;
        int codeSize = 0;
        int size = 0;
    };

public:
    // A table built as a load reads the records, one row each, in file order.
    class Builder {
    public:
        // Room for rows and for their bytes, so that nothing is copied as the table grows.
        void reserve(std::size_t rows, qsizetype bytes);
        // A record's row: its code (Windows-1252) and its comment lines; a record without
        // comment lines keeps no code.
        void add(QByteArrayView code, const std::vector<QByteArrayView>& lines);

    private:
        friend class TablaComentarios;
        std::vector<Row> rows_;
        QByteArray text_;
    };

    // Replaces the table; no rows gives the one empty row of an empty database.
    void assign(Builder built);

    // The comment of the first row whose code equals `code` exactly, or the empty text.
    QString commentFor(QStringView code) const;
    // The same comment as the file holds it, valid until the table changes.
    QByteArrayView storedComment(QStringView code) const;

private:
    QByteArrayView codeOf(const Row& row) const {
        return QByteArrayView(text_.constData() + row.codeStart, row.codeSize);
    }
    // The first row of a code, or -1.
    int find(QStringView code) const;
    int probe(QByteArrayView code, quint32 hash) const;
    // Built with the table, so that no lookup, the first click's included, waits for it.
    void buildIndex();

    std::vector<Row> rows_;
    QByteArray text_;  // the codes and the comments, Windows-1252
    // An open-addressing index of the first row of each code: a slot holds the code's hash and
    // its row (-1 when free), 8 bytes where a hash table of strings would take several times that.
    struct Slot {
        quint32 hash;
        int row;
    };
    std::vector<Slot> slots_;
};
