#pragma once

#include <cstddef>
#include <initializer_list>
#include <cstring>
#include <memory>

// The least a program can do for each piece of work, in plain C and C++ without Qt: what the
// benchmarks set the program's own figures against.
namespace Floors {

// Reads the file through C stdio, a piece at a time, and gives the number (from 1) of its first
// line that is exactly `line`, or 0 when none is.
long findLine(const char* path, const char* line);

// A file's bytes, read whole through C stdio in one read into one block (none when it cannot be
// read).
struct Bytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};
Bytes readFile(const char* path);

// Where each line of the bytes ends, its CR LF or LF dropped: calls line(start, length) for each.
template <typename Line>
void forEachLine(const char* bytes, std::size_t size, Line&& line);

// Writes the pieces one after another through C stdio and closes the file; with `sync`, onto the
// disk first (as the program's writes go). False when that failed.
struct Piece {
    const char* data;
    std::size_t size;
};
bool writePieces(const char* path, std::initializer_list<Piece> pieces, bool sync = true);
inline bool writeBytes(const char* path, const char* bytes, std::size_t size, bool sync = true) {
    return writePieces(path, {{bytes, size}}, sync);
}

// The memory the process holds now, in bytes.
long long residentBytes();
// A size in kB that /proc/self/status gives ("VmRSS", "VmHWM"), in bytes; 0 when there is none.
long long statusBytes(const char* field);

template <typename Line>
void forEachLine(const char* bytes, std::size_t size, Line&& line) {
    const char* const end = bytes + size;
    for (const char* at = bytes; at < end;) {
        const char* lf = static_cast<const char*>(std::memchr(at, '\n', std::size_t(end - at)));
        const char* stop = lf ? lf : end;
        const std::size_t length = std::size_t(stop - at) - (stop > at && stop[-1] == '\r' ? 1 : 0);
        line(at, length);
        at = lf ? lf + 1 : end;
    }
}

}  // namespace Floors
