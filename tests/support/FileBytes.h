#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole files as bytes, for the tests that look at what a program wrote. A file that cannot be
// read reads as "<missing>".
inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
