#pragma once

#include <QString>

// The game settings store: named text values under a root and a key path. Anything missing
// reads as the empty text; a failure throws RunError.
class RegistryAccess {
public:
    static constexpr quint32 CurrentUser = 0x80000001;
    static constexpr quint32 LocalMachine = 0x80000002;
    // The game's key, under both roots.
    static inline const QString GameKey = QStringLiteral("Software\\microsoft\\microsoft games\\freelancer\\1.0");

    virtual ~RegistryAccess() = default;

    virtual QString ReadValue(quint32 root, const QString& keyPath, const QString& valueName) = 0;
    virtual void WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) = 0;
};
