#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for the files of one test; removed with it.
class TestFolder {
    QTemporaryDir dir_;
    QString root_;

public:
    // A temporary folder, or `root` when given (which then stays).
    explicit TestFolder(const QString& root = {}) : root_(root.isEmpty() ? dir_.path() : root) {}
    // The folder itself for an empty name.
    QString path(const QString& name = {}) const { return name.isEmpty() ? root_ : root_ + '/' + name; }
    QString logPath(const QString& logName) const { return path("Logs/" + logName); }

    // Writes a file whole, making the folders it lies in.
    void write(const QString& name, const QByteArray& bytes) const;
    void mkdir(const QString& name) const;
    // The file's bytes; "<missing>" when it cannot be read.
    QByteArray read(const QString& name) const;
};
