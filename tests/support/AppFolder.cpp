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

void AppFolder::setStore(const QString& code, const QString& signature, const QString& gameFolder) {
    registry.WriteValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountName", code);
    registry.WriteValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, "MPAccountNameSig", signature);
    registry.WriteValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey, "AppPath", gameFolder);
}

QString AppFolder::storeValue(const QString& name) {
    return registry.ReadValue(RegistryAccess::CurrentUser, RegistryAccess::GameKey, name);
}

Frm_Main& AppFolder::main() { return mv->main(); }
