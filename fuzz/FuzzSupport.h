#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "ScriptedDialogs.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "RegistryFile.h"

// The application folder of one fuzzing process: created once, with its Logs folder, and reused
// by every input. Each input starts from the same state: the program's working copies (".old",
// ".Aux", ".temp2", ".bak") are removed, and the reports that pile up in Logs are deleted every
// few hundred inputs so that the log files stay small.
class Workspace {
public:
    static Workspace& instance();

    const QString& folder() const { return folder_; }
    QString path(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    // Call at the start of every input.
    void nextInput();
    void write(const QString& name, const QByteArray& bytes) const;
    void write(const QString& name, const std::uint8_t* data, std::size_t size) const;
    // The file's bytes; nothing when it cannot be read.
    std::optional<QByteArray> read(const QString& name) const;
    void remove(const QString& name) const;

private:
    Workspace();

    QTemporaryDir dir_;
    QString folder_;
    unsigned inputs_ = 0;
};

// The program's shared state in the workspace, with dialogs that take the default answers and the
// registry script store; the database is Accounts.dat.
struct FuzzApp {
    explicit FuzzApp(const Workspace& workspace);

    DefaultDialogs dialogs;
    RegistryFile registry;
    Mod_Variables mv;
    Services sv{mv, dialogs, registry};
};

// One loaded account as the program shows it: the list's row and the comment found for its code.
struct LoadedAccount {
    QString name, code, signature, comment;
    bool operator==(const LoadedAccount& o) const {
        return name == o.name && code == o.code && signature == o.signature && comment == o.comment;
    }
};
// The accounts of the list in display order.
std::vector<LoadedAccount> loadedAccounts(FuzzApp& app);

// Stops the process with a message that libFuzzer reports as a crash, keeping the input.
[[noreturn]] void fuzzFailure(const char* what);
#define FUZZ_CHECK(condition)                                    \
    do {                                                         \
        if (!(condition))                                        \
            fuzzFailure(__FILE__ ": check failed: " #condition); \
    } while (false)
