#pragma once

#include <functional>
#include <optional>
#include <QByteArray>
#include <QString>

class ClsBD;
class ClsRespaldos;
class Dialogs;
class TextWriter;

// The one way Accounts.dat is changed. Every change is a read-check-write on the file, made
// while a lock file beside it ("Accounts.dat.lock") is held, so that two copies of the program
// never write at once:
//
//   - the list must have been loaded whole from the file by the last load;
//   - the file must still be the one that load read (size, time and content): when another copy
//     changed it meanwhile, the list is loaded again and the change applied to it once more, or,
//     when that is no longer possible, the person is told and nothing is written;
//   - before a rewrite, a copy of the file goes into the backups;
//   - the new file replaces the old one in one step, and the list then counts as loaded from it.
class DatabaseFile {
public:
    static inline const QString LockSuffix = QStringLiteral(".lock");

    // What a load saw of the file; two equal fingerprints are the same file.
    struct Fingerprint {
        QString path;
        qint64 size = 0;
        qint64 modified = 0;  // milliseconds since the epoch
        std::size_t hash = 0;
        bool operator==(const Fingerprint& o) const {
            return path == o.path && size == o.size && modified == o.modified && hash == o.hash;
        }
        bool operator!=(const Fingerprint& o) const { return !(*this == o); }
    };
    // The file's bytes, read at one moment.
    struct Snapshot {
        QByteArray bytes;
        Fingerprint fingerprint;
    };

    // One change to the database, as its writer describes it.
    struct Change {
        // Writes the records (for a rewrite, after the header, which is written here).
        std::function<void(TextWriter&)> write;
        // Applies the change once more to the list just loaded again from a file another copy of
        // the program changed; false when it no longer can.
        std::function<bool()> reapply = [] { return true; };
        // What the change does, as in "The account X was not deleted", for the person when it can
        // no longer be made.
        QString refused;
        // Also keep the database as it was in ".bak".
        bool keepBak = false;
    };

    // The database is at `rutaBD` (read at each use); `bd` loads it again when another copy of the
    // program changed it, and `respaldos` keeps the safety copies.
    DatabaseFile(const QString& rutaBD, ClsBD& bd, Dialogs& dialogs, ClsRespaldos& respaldos)
        : rutaBD_(rutaBD), bd_(bd), dialogs_(dialogs), respaldos_(respaldos) {}

    // The file as it is now, read whole; none when there is no file. Only a regular file is read;
    // one that keeps changing while it is read is a failure. Without `hashed`, the fingerprint
    // has no hash: for a read that is never written back.
    static std::optional<Snapshot> read(const QString& path, bool hashed = true);
    static std::size_t hash(const QByteArray& bytes);

    // Set by the loader: the list now holds the whole of the file with this fingerprint, or (none)
    // it does not hold a whole file.
    void setLoaded(std::optional<Fingerprint> fingerprint) { loaded_ = std::move(fingerprint); }
    bool isLoaded() const;
    // What the list holds of the file: the fingerprint of the whole file it was loaded from.
    std::optional<Fingerprint> loaded() const { return isLoaded() ? loaded_ : std::nullopt; }

    // Rewrites the database: the header, then the change's records. Returns whether the file was
    // written; false when the change could no longer be made (the person has been told). A failure
    // throws RunError.
    bool rewrite(const Change& change);
    // Adds the change's records at the end of the database, with the same checks.
    bool append(const Change& change);
    // Rewrites the database from what it holds now, whether or not it was loaded (the conversion,
    // the first header): `write` gets the file's bytes (none when there is no file) and returns
    // false to leave the file as it is. Returns whether the file was written.
    bool replace(const std::function<bool(const std::optional<QByteArray>& current, TextWriter& file)>& write);

private:
    enum class Kind { Rewrite, Append };
    bool change(const Change& change, Kind kind);
    // Under the lock: false when the file is not the one loaded; otherwise writes it.
    bool writeIfCurrent(const Change& change, Kind kind);
    bool replaceLocked(const std::function<bool(const std::optional<QByteArray>&, TextWriter&)>& write);
    // Runs a write made under the lock, then reports the safety copies it could not make.
    bool afterLock(const std::function<bool()>& locked);
    QString lockPath() const;
    void requireLoaded() const;

    const QString& rutaBD_;
    ClsBD& bd_;
    Dialogs& dialogs_;
    ClsRespaldos& respaldos_;
    std::optional<Fingerprint> loaded_;
};
