#include "DatabaseFile.h"

#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>

#include "ClsBD.h"
#include "ClsRespaldos.h"
#include "Dialogs.h"
#include "FileSystem.h"
#include "RunError.h"
#include "TextWriter.h"

namespace {

// How long a write waits for another copy's write to end, and the age at which a lock whose
// owner cannot be checked (another machine) counts as left behind. A lock whose owner is no
// longer running on this machine is taken over at once.
constexpr int kWaitMs = 20000;
constexpr int kStaleMs = 60000;
// How many times a change is applied again to a list loaded again before giving up.
constexpr int kAttempts = 5;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

// Held while one change is read, checked and written.
class WriteLock {
public:
    explicit WriteLock(const QString& path) : file_(path) {
        file_.setStaleLockTime(kStaleMs);
        if (file_.tryLock(kWaitMs))
            return;
        switch (file_.error()) {
        case QLockFile::LockFailedError:
            throw RunError{RunError::PermissionDenied,
                           "Permission denied: " + shown(path) + " is held by another copy of the program"};
        case QLockFile::PermissionError:
            throw RunError{RunError::PermissionDenied, "Permission denied: " + shown(path)};
        default:
            // The lock file could not be written; the reason is the last one the system gave.
            const int reason = errno;
            if (reason == ENOSPC)
                throw RunError{RunError::DiskFull,
                               "Disk full: " + shown(path) + ": " + QString::fromLocal8Bit(std::strerror(reason))};
            throw RunError{RunError::DeviceIo, "Device I/O error: " + shown(path) + " could not be created"};
        }
    }

private:
    QLockFile file_;
};

qint64 modified(const QString& path) { return QFileInfo(path).lastModified().toMSecsSinceEpoch(); }

}  // namespace

std::size_t DatabaseFile::hash(const QByteArray& bytes) {
    // A seed other than 0 lets Qt use the processor's AES instructions where it has them.
    return qHashBits(bytes.constData(), std::size_t(bytes.size()), 0x5bd1e995u);
}

std::optional<DatabaseFile::Snapshot> DatabaseFile::read(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    if (!info.isFile())
        throw FileSystem::openFailure(path, true);
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        throw FileSystem::openFailure(path, true);
    Snapshot snapshot;
    // The time of the file that is read, not of one that took its name meanwhile.
    snapshot.fingerprint.modified = file->fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
    // Mapped, the file's pages are hashed where they lie instead of being copied first: most of
    // what these checks would otherwise cost a save.
    const qint64 size = file->size();
    if (uchar* pages = size > 0 ? file->map(0, size) : nullptr) {
        snapshot.bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(pages), size);
        snapshot.mapped = std::move(file);
    } else {
        snapshot.bytes = file->readAll();
        if (file->error() != QFileDevice::NoError)
            throw RunError{RunError::DeviceIo, "Device I/O error: " + shown(path) + ": " + file->errorString()};
    }
    snapshot.fingerprint.path = path;
    snapshot.fingerprint.size = snapshot.bytes.size();
    snapshot.fingerprint.hash = hash(snapshot.bytes);
    return snapshot;
}

bool DatabaseFile::isLoaded() const { return loaded_ && loaded_->path == rutaBD_; }

QString DatabaseFile::lockPath() const { return rutaBD_ + LockSuffix; }

void DatabaseFile::requireLoaded() const {
    if (!isLoaded())
        throw RunError{RunError::PathFileAccess,
                       "Path/File access error: nothing was written to " + shown(rutaBD_) +
                           ": the account list was not loaded whole from it (see the report of its loading), and "
                           "writing the list now would lose the accounts that were not read"};
}

bool DatabaseFile::rewrite(const Change& change) { return this->change(change, Kind::Rewrite); }

bool DatabaseFile::append(const Change& change) { return this->change(change, Kind::Append); }

bool DatabaseFile::change(const Change& change, Kind kind) {
    for (int attempt = 1;; ++attempt) {
        requireLoaded();
        if (afterLock([&] { return writeIfCurrent(change, kind); }))
            return true;
        if (attempt == kAttempts)
            throw RunError{RunError::PermissionDenied,
                           "Permission denied: " + shown(rutaBD_) + " is being changed by another copy of the program"};
        // Another copy changed the file since it was loaded: the change is made to the fresh list.
        bd_.cargarbdallv();
        requireLoaded();
        if (!change.reapply()) {
            dialogs_.MsgBox(change.refused + ": another copy of the program changed " + shown(rutaBD_) +
                                " meanwhile. The list shows the accounts as they are stored now.",
                            MsgButtons::OK, MsgIcon::Exclamation);
            return false;
        }
    }
}

bool DatabaseFile::writeIfCurrent(const Change& change, Kind kind) {
    const WriteLock lock(lockPath());
    std::optional<Snapshot> current = read(rutaBD_);
    if (!current || current->fingerprint != *loaded_)
        return false;
    if (kind == Kind::Append) {
        current.reset();
        TextWriter file(rutaBD_, TextWriter::Mode::Append);
        change.write(file);
        file.close();
        loaded_ = read(rutaBD_)->fingerprint;
        return true;
    }
    ClsRespaldos& respaldos = respaldos_;
    respaldos.respaldarBD(current->bytes);
    if (change.keepBak)
        respaldos.copiaBak(current->bytes);
    // The file read is let go before it is replaced: Windows replaces no file that is open.
    current.reset();
    TextWriter file(rutaBD_, TextWriter::Mode::Rewrite);
    ClsBD::escribirversion(file);
    change.write(file);
    const QByteArray& bytes = file.contents();
    Fingerprint written{rutaBD_, bytes.size(), 0, hash(bytes)};
    file.close();
    written.modified = modified(rutaBD_);
    loaded_ = written;
    respaldos.podar();
    return true;
}

bool DatabaseFile::replace(const std::function<bool(const std::optional<QByteArray>&, TextWriter&)>& write) {
    return afterLock([&] { return replaceLocked(write); });
}

bool DatabaseFile::afterLock(const std::function<bool()>& locked) {
    // What the lock's holder could not report is reported once the lock is given back, whether
    // or not the write succeeded.
    try {
        const bool written = locked();
        respaldos_.informar();
        return written;
    } catch (...) {
        respaldos_.informar();
        throw;
    }
}

bool DatabaseFile::replaceLocked(const std::function<bool(const std::optional<QByteArray>&, TextWriter&)>& write) {
    const WriteLock lock(lockPath());
    std::optional<Snapshot> current = read(rutaBD_);
    TextWriter file(rutaBD_, TextWriter::Mode::Rewrite);
    if (!write(current ? std::optional(current->bytes) : std::nullopt, file))
        return false;
    ClsRespaldos& respaldos = respaldos_;
    if (current)
        respaldos.respaldarBD(current->bytes);
    current.reset();  // let go of the file before it is replaced, as above
    file.close();
    loaded_.reset();  // the list does not hold what was written
    respaldos.podar();
    return true;
}
