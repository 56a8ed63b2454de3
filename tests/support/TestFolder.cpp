#include "TestFolder.h"

#include <QDir>
#include <QFileInfo>

#include "FileBytes.h"
#include "TestFailure.h"

void TestFolder::write(const QString& name, const QByteArray& bytes) const {
    if (!QDir().mkpath(QFileInfo(path(name)).absolutePath()) || !writeFile(path(name), bytes))
        testFailure("cannot write the test file " + name.toStdString());
}

void TestFolder::mkdir(const QString& name) const {
    if (!QDir().mkpath(path(name)))
        testFailure("cannot make the test folder " + name.toStdString());
}

QByteArray TestFolder::read(const QString& name) const { return readFile(path(name)); }
