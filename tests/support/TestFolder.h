#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for the files of one test; removed with it.
class TestFolder {
    QTemporaryDir dir_;

public:
    // The folder itself for an empty name.
    QString path(const QString& name = {}) const { return name.isEmpty() ? dir_.path() : dir_.path() + '/' + name; }
    QString logPath(const QString& logName) const { return path("Logs/" + logName); }

    // Writes a file whole, making the folders it lies in.
    void write(const QString& name, const QByteArray& bytes) const;
    void mkdir(const QString& name) const;
    // The file's bytes; "<missing>" when it cannot be read.
    QByteArray read(const QString& name) const;
};
