#include "DatabaseFile.h"

#include <algorithm>
#include <cstring>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include "ClsRespaldos.h"
#include "FileLock.h"
#include "FileSystem.h"
#include "RunError.h"
#include "TextWriter.h"

namespace {

// How many times a file that changes while it is read is read again.
constexpr int kReadAttempts = 3;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

qint64 modified(const QString& path) { return QFileInfo(path).lastModified().toMSecsSinceEpoch(); }

// The size of the pieces a file is read in, and hashed in.
constexpr qsizetype kPieceSize = qsizetype(1) << 20;
// A seed other than 0 lets Qt use the processor's AES instructions where it has them.
constexpr std::size_t kHashSeed = 0x5bd1e995u;

// Whether there is a file to read: none is no failure, anything but a regular file is.
bool isRegularFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return false;
    if (!info.isFile())
        throw FileSystem::openFailure(path, true);
    return true;
}

void openToRead(QFile& file) {
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileSystem::openFailure(file.fileName(), true);
}

// The time of the open file, not of one that took its name meanwhile.
qint64 fileTime(const QFile& file) { return file.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(); }

qint64 readSome(QFile& file, char* into, qint64 size) {
    const qint64 got = file.read(into, size);
    if (got < 0 || file.error() != QFileDevice::NoError)
        throw RunError{RunError::DeviceIo, "Device I/O error: " + shown(file.fileName()) + ": " + file.errorString()};
    return got;
}

// Whether the open file is no longer the one whose size and time were taken before it was read.
bool changed(const QFile& file, qint64 size, qint64 modified) {
    return file.size() != size || fileTime(file) != modified;
}

RunError changedWhileRead(const QString& path) {
    return RunError{RunError::PathFileAccess, "Path/File access error: " + shown(path) +
                                                  " changed while it was read: another program is writing it. Try "
                                                  "again once it is done."};
}

}  // namespace

std::size_t DatabaseFile::hash(const QByteArray& bytes) {
    // Piece by piece, as a file read in pieces is hashed.
    std::size_t hash = kHashSeed;
    for (qsizetype at = 0; at < bytes.size(); at += kPieceSize)
        hash = qHashBits(bytes.constData() + at, std::size_t(std::min(kPieceSize, bytes.size() - at)), hash);
    return hash;
}

std::optional<DatabaseFile::Snapshot> DatabaseFile::read(const QString& path) {
    if (!isRegularFile(path))
        return std::nullopt;
    // Read into memory, not mapped: a mapped file that another program cuts short while it is
    // read ends the process. A file that changes while it is read is read again.
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        QFile file(path);
        openToRead(file);
        Snapshot snapshot;
        // The time of the file that is read, not of one that took its name meanwhile.
        snapshot.fingerprint.modified = fileTime(file);
        const qint64 size = file.size();
        snapshot.bytes = QByteArray(size, Qt::Uninitialized);
        const qint64 got = readSome(file, snapshot.bytes.data(), size);
        if (got != size || !file.atEnd() || changed(file, size, snapshot.fingerprint.modified))
            continue;
        snapshot.fingerprint.path = path;
        snapshot.fingerprint.size = size;
        snapshot.fingerprint.hash = hash(snapshot.bytes);
        return snapshot;
    }
    throw changedWhileRead(path);
}

DatabaseFile::Fingerprint DatabaseFile::readInPieces(const QString& path, bool hashed,
                                                     const std::function<void()>& restart,
                                                     const std::function<qsizetype(QByteArrayView, bool)>& take) {
    if (!isRegularFile(path))
        throw FileSystem::openFailure(path, true);
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        QFile file(path);
        openToRead(file);
        Fingerprint read{path, file.size(), fileTime(file), kHashSeed};
        // The bytes left of one piece and the next piece: a few MiB read again and again, which
        // stay in the processor's cache.
        QByteArray buffer;
        qsizetype kept = 0;
        qint64 total = 0;
        for (qint64 got = -1; got != 0;) {
            if (buffer.capacity() < kept + kPieceSize)  // a record longer than a piece
                buffer.reserve(2 * (kept + kPieceSize));
            buffer.resize(kept + kPieceSize);
            got = readSome(file, buffer.data() + kept, kPieceSize);
            // The pieces lie where the whole file's hash cuts it, as each piece is read whole.
            if (hashed && got > 0)
                read.hash = qHashBits(buffer.constData() + kept, std::size_t(got), read.hash);
            total += got;
            const QByteArrayView piece(buffer.constData(), kept + got);
            const qsizetype used = take(piece, got == 0);
            kept = piece.size() - used;
            std::memmove(buffer.data(), buffer.constData() + used, std::size_t(kept));
        }
        if (total == read.size && !changed(file, read.size, read.modified))
            return read;
        restart();
    }
    throw changedWhileRead(path);
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

bool DatabaseFile::writeIfCurrent(const Change& change, Kind kind) {
    requireLoaded();
    return afterLock([&] { return writeLocked(change, kind); });
}

bool DatabaseFile::writeLocked(const Change& change, Kind kind) {
    const FileLock lock(lockPath());
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
    const QString copy = respaldos.respaldarBD(current->bytes);
    if (change.keepBak)
        respaldos.copiaBak(current->bytes, copy);
    const qsizetype size = current->bytes.size();
    current.reset();  // its bytes are not needed any more
    TextWriter file(rutaBD_, TextWriter::Mode::Rewrite);
    file.reserve(size + size / 8);  // a rewrite is about as long as the file it replaces
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
    const FileLock lock(lockPath());
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
