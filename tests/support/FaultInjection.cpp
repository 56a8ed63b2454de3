#include "FaultInjection.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <dlfcn.h>
#include <fcntl.h>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

#include <QFileInfo>

namespace {

using FaultInjection::Call;

struct State {
    std::mutex mutex;
    std::vector<std::string> folders;
    std::vector<std::string> spared;
    FaultInjection::Plan plan;
    qint64 spaceLeft = -1;
    FaultInjection::Counts counts;
};

std::atomic<bool> armed{false};

State& state() {
    static State s;
    return s;
}

template <class Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool inside(const std::string& path, const std::vector<std::string>& folders) {
    for (const std::string& folder : folders)
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/')
            return true;
    return false;
}

bool affected(const State& s, const std::string& path) { return inside(path, s.folders) && !inside(path, s.spared); }

// Whether the file open as `fd` is affected; `lockFile` tells whether it is a lock file.
bool affectedDescriptor(const State& s, int fd, bool* lockFile = nullptr) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[PATH_MAX];
    const ssize_t length = readlink(link, target, sizeof target - 1);
    const std::string path(target, std::size_t(std::max<ssize_t>(length, 0)));
    if (lockFile)
        *lockFile = path.size() > 5 && path.compare(path.size() - 5, 5, ".lock") == 0;
    return length > 0 && affected(s, path);
}

// Counts a call of this kind and tells whether the plan fails it.
bool failsNow(State& s, Call call, int& counter) {
    ++counter;
    return s.plan.failing == call && s.plan.failOn > 0 &&
           (counter == s.plan.failOn || (s.plan.failAfter && counter > s.plan.failOn));
}

// A folder as given and as the file system resolves it.
std::vector<std::string> forms(const QString& folder) {
    std::vector<std::string> result;
    if (folder.isEmpty())
        return result;
    result.push_back(QFileInfo(folder).absoluteFilePath().toStdString());
    if (const QString canonical = QFileInfo(folder).canonicalFilePath(); !canonical.isEmpty())
        result.push_back(canonical.toStdString());
    return result;
}

// The common path of rename, renameat, renameat2 and linkat: the call that puts a file in place
// under `target`.
template <class Forward>
int commit(const char* target, Forward forward) {
    if (armed.load()) {
        State& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (target && affected(s, target) && failsNow(s, Call::Commit, s.counts.commits)) {
            errno = EIO;
            return -1;
        }
    }
    return forward();
}

int sync(int fd, int (*forward)(int)) {
    if (armed.load()) {
        State& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (affectedDescriptor(s, fd) && failsNow(s, Call::Sync, s.counts.syncs)) {
            errno = EIO;
            return -1;
        }
    }
    return forward(fd);
}

}  // namespace

namespace FaultInjection {

void arm(const Plan& plan) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.plan = plan;
    s.folders = forms(plan.folder);
    s.spared = forms(plan.spared);
    s.spaceLeft = plan.spaceLeft;
    s.counts = {};
    armed.store(true);
}

Counts disarm() {
    std::lock_guard<std::mutex> lock(state().mutex);
    armed.store(false);
    return state().counts;
}

}  // namespace FaultInjection

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    static const auto forward = next<ssize_t (*)(int, const void*, size_t)>("write");
    if (!armed.load())
        return forward(fd, data, size);
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    bool lockFile = false;
    if (size == 0 || !affectedDescriptor(s, fd, &lockFile))
        return forward(fd, data, size);
    if (failsNow(s, Call::Write, s.counts.writes)) {
        errno = EIO;
        return -1;
    }
    if (s.spaceLeft == 0) {
        errno = ENOSPC;
        return -1;
    }
    if (s.plan.slowChunk > 0)
        size = std::min<size_t>(size, size_t(s.plan.slowChunk));
    if (s.plan.slowMicroseconds > 0)
        usleep(useconds_t(s.plan.slowMicroseconds));
    if (s.spaceLeft > 0 && !lockFile)
        size = std::min<size_t>(size, size_t(s.spaceLeft));
    const ssize_t written = forward(fd, data, size);
    if (written > 0 && !lockFile) {
        s.counts.bytes += written;
        if (s.spaceLeft > 0)
            s.spaceLeft -= written;
    }
    return written;
}

int fsync(int fd) {
    static const auto forward = next<int (*)(int)>("fsync");
    return sync(fd, forward);
}

int fdatasync(int fd) {
    static const auto forward = next<int (*)(int)>("fdatasync");
    return sync(fd, forward);
}

int rename(const char* from, const char* to) noexcept {
    static const auto forward = next<int (*)(const char*, const char*)>("rename");
    return commit(to, [&] { return forward(from, to); });
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
    static const auto forward = next<int (*)(int, const char*, int, const char*)>("renameat");
    return commit(to, [&] { return forward(fromFolder, from, toFolder, to); });
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags) noexcept {
    static const auto forward = next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    return commit(to, [&] { return forward(fromFolder, from, toFolder, to, flags); });
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) noexcept {
    static const auto forward = next<int (*)(int, const char*, int, const char*, int)>("linkat");
    return commit(to, [&] { return forward(fromFolder, from, toFolder, to, flags); });
}

}  // extern "C"
