#pragma once

#include <QHash>
#include <QString>
#include <vector>

// The comment table: one row per loaded record, in file order, with the record's code (filled
// only when the record has comment lines) and its comment lines joined by CR LF.
// A comment is found by its code: the first row whose code is exactly equal.
class TablaComentarios {
public:
    struct Row {
        QString code;
        QString comment;
    };

    // Replaces the table; an empty list of rows gives the one empty row of an empty database.
    void assign(std::vector<Row> rows);

    int rowCount() const { return int(rows_.size()); }
    const Row& row(int k) const { return rows_.at(std::size_t(k)); }

    // The comment of the first row whose code equals `code` exactly, or the empty text.
    QString commentFor(const QString& code) const;

private:
    std::vector<Row> rows_;
    QHash<QString, int> firstRowOfCode_;
};
