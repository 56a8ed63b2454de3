#pragma once

#include "RegistryAccess.h"

// The game settings store off Windows: a registry script in the REGEDIT4 syntax
// ("[HKEY_CURRENT_USER\Software\...]" sections, "Name"="value" lines with \\ and \" escaped).
// Key paths and value names are compared without regard to case. Every call reads the file
// again, so changes made by others are seen; a write rewrites the file in one step and keeps
// every other line as it was.
class RegistryFile : public RegistryAccess {
public:
    static inline const QString FileName = QStringLiteral("GameSettings.reg");

    explicit RegistryFile(const QString& path) : path_(path) {}

    QString ReadValue(quint32 root, const QString& keyPath, const QString& valueName) override;
    void WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) override;
    // Rewrites the file once with every value set.
    void WriteValues(quint32 root, const QString& keyPath, const Values& values) override;

private:
    QString path_;
};
