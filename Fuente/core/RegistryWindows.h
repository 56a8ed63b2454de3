#pragma once

#include "RegistryAccess.h"

// The game settings store on Windows: the registry itself.
class RegistryWindows : public RegistryAccess {
public:
    QString ReadValue(quint32 root, const QString& keyPath, const QString& valueName) override;
    void WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) override;
};
