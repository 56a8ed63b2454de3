#include "AppFolder.h"

#include <gtest/gtest.h>
#include <QFile>

AppFolder::AppFolder() : mv(std::make_unique<Mod_Variables>(dir_.path(), dialogs, registry)) {
    mv->RutaBD = path("Accounts.dat");
}

void AppFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    file.write(bytes);
}

QByteArray AppFolder::read(const QString& name) const {
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
