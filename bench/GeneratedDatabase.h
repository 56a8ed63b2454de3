#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The account database the benchmarks work on, made in memory: names are random mixed-case
// words (so that a sort by name has work to do), codes are unique, and every account has a
// three-line comment holding Windows-1252 letters outside ASCII (0xE9, 0x80).
struct GeneratedDatabase {
    explicit GeneratedDatabase(int accounts);

    static QByteArray code(int i);
    static QByteArray signature(int i);

    int accounts;
    QByteArray bytes;
    // Where each record starts in `bytes`, and one more entry for the end of the file.
    std::vector<qsizetype> recordStarts;

    // The SHA-1 of what a save of the loaded database writes: the list shows the records in
    // reverse file order, and a save writes them in list order.
    QByteArray savedDigest() const;
    // Writes `bytes` to the file; false when that failed.
    bool write(const QString& path) const;
};
