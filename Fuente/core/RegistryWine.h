#pragma once

#include <QDeadlineTimer>
#include <QStringList>
#include <optional>

#include "RegistryAccess.h"
#include "WinePrefix.h"

// The game settings store of a Wine prefix: the values in the prefix's registry, in the view a
// 32-bit game has (the local machine's values under Software\Wow6432Node in a 64-bit prefix,
// then the native ones).
// While the prefix's wineserver runs, the registry lives in it and reaches the files only every
// half minute and when the server ends, and an edit of the files would be overwritten then: values
// are read through Wine's own `reg` program. With no server running, they are read from the files
// (starting `reg` would start a server first, which takes seconds). Writes always go through
// `reg`, in one import, so that they reach a server whether or not one was running; a damaged
// registry file or one that may not be written is refused before anything is changed.
class RegistryWine : public RegistryAccess {
public:
    explicit RegistryWine(const WinePrefix& prefix) : prefix_(prefix) {}

    const WinePrefix& prefix() const { return prefix_; }

    QString ReadValue(quint32 root, const QString& keyPath, const QString& valueName) override;
    void WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) override;
    void WriteValues(quint32 root, const QString& keyPath, const Values& values) override;

private:
    // The key's text values as the server holds them, in the 32-bit or the native view.
    Values exported(const QString& key, bool view32);
    // Runs `wine reg` with the arguments to its end.
    struct RegRun {
        int status;      // the exit code, -1 after a crash
        QString output;  // what it wrote, for the report
    };
    RegRun reg(const QStringList& arguments);

    WinePrefix prefix_;
    // The last key read through reg, used again for a second: start-up reads the code and then
    // the signature, and one export holds both. A write forgets it.
    struct Export {
        QString key;
        bool view32;
        Values values;
        QDeadlineTimer fresh;
    };
    std::optional<Export> last_;
};
