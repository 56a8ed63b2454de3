#pragma once

#include <functional>
#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class ClsRespaldos;
class TextWriter;

// The one way Accounts.dat is changed. Every change is a read-check-write on the file, made
// while a lock file beside it ("Accounts.dat.lock") is held, so that two copies of the program
// never write at once:
//
//   - the list must have been loaded whole from the file by the last load;
//   - the file must still be the one that load read (size, time and content): when another copy
//     changed it meanwhile, nothing is written and the caller hears so (it loads the list again
//     and applies its change once more, see ClsBD);
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
        // Writes the records (for a rewrite, the whole file).
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

    enum class Kind { Rewrite, Append };

    // The database is at `rutaBD` (read at each use); `respaldos` keeps the safety copies.
    DatabaseFile(const QString& rutaBD, ClsRespaldos& respaldos) : rutaBD_(rutaBD), respaldos_(respaldos) {}

    // The file as it is now, read whole; none when there is no file. Only a regular file is read;
    // one that keeps changing while it is read is a failure.
    static std::optional<Snapshot> read(const QString& path);
    // Reads the file in pieces and returns what was read of it (its hash only when `hashed`):
    // `take` gets the bytes it left of the piece before and those that follow them, `last` with
    // the file's end, and returns how many it used. A file that changes while it is read is read
    // again from its start, after `restart`.
    static Fingerprint readInPieces(const QString& path, bool hashed, const std::function<void()>& restart,
                                    const std::function<qsizetype(QByteArrayView piece, bool last)>& take);
    static std::size_t hash(const QByteArray& bytes);

    // Set by the loader: the list now holds the whole of the file with this fingerprint, or (none)
    // it does not hold a whole file.
    void setLoaded(std::optional<Fingerprint> fingerprint) { loaded_ = std::move(fingerprint); }
    bool isLoaded() const;
    // What the list holds of the file: the fingerprint of the whole file it was loaded from.
    std::optional<Fingerprint> loaded() const { return isLoaded() ? loaded_ : std::nullopt; }

    // Rewrites the database with the change's bytes (Kind::Rewrite) or adds them at its end
    // (Kind::Append), under the lock, if the file is still the one loaded; false, with nothing
    // written, when another copy changed it since. The list must be loaded whole; a failure
    // throws RunError.
    bool writeIfCurrent(const Change& change, Kind kind);
    // Rewrites the database from what it holds now, whether or not it was loaded (the conversion,
    // the first header): `write` gets the file's bytes (none when there is no file) and returns
    // false to leave the file as it is. Returns whether the file was written.
    bool replace(const std::function<bool(const std::optional<QByteArray>& current, TextWriter& file)>& write);

private:
    bool writeLocked(const Change& change, Kind kind);
    bool replaceLocked(const std::function<bool(const std::optional<QByteArray>&, TextWriter&)>& write);
    // Runs a write made under the lock, then reports the safety copies it could not make.
    bool afterLock(const std::function<bool()>& locked);
    QString lockPath() const;
    void requireLoaded() const;

    const QString& rutaBD_;
    ClsRespaldos& respaldos_;
    std::optional<Fingerprint> loaded_;
};
