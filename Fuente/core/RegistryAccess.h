#pragma once

#include <QString>
#include <utility>
#include <vector>

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

    // Names and values, set in this order.
    using Values = std::vector<std::pair<QString, QString>>;
    // Sets several values of one key. A store that can set them all in one step overrides this,
    // so that a failure leaves none of them changed; here they are set one after another.
    virtual void WriteValues(quint32 root, const QString& keyPath, const Values& values) {
        for (const auto& [valueName, value] : values)
            WriteValue(root, keyPath, valueName, value);
    }
};
