#include "Floors.h"

#include <vector>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include <unistd.h>

namespace Floors {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File open(const char* path, const char* mode) { return File(std::fopen(path, mode), &std::fclose); }

// The line without its CR LF or LF.
std::size_t lineLength(const char* line, ssize_t read) {
    std::size_t n = std::size_t(read);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r'))
        --n;
    return n;
}

}  // namespace

long findLine(const char* path, const char* wanted) {
    File file = open(path, "rb");
    if (!file)
        return 0;
    // Read in pieces of 1 MiB; a line cut at a piece's end moves to the front of the next, and
    // one longer than a piece cannot be the line wanted.
    const std::size_t size = std::strlen(wanted);
    std::vector<char> buffer((std::size_t(1) << 20) + size + 2);
    const auto isWanted = [&](const char* line, std::size_t length) {
        return lineLength(line, ssize_t(length)) == size && std::memcmp(line, wanted, size) == 0;
    };
    std::size_t kept = 0;
    long number = 0;
    bool tooLong = false;
    for (bool end = false; !end;) {
        const std::size_t got = std::fread(buffer.data() + kept, 1, buffer.size() - kept, file.get());
        end = got < buffer.size() - kept;
        const char* line = buffer.data();
        const char* const stop = line + kept + got;
        for (const char* lf; (lf = static_cast<const char*>(std::memchr(line, '\n', std::size_t(stop - line))));
             line = lf + 1) {
            ++number;
            if (!std::exchange(tooLong, false) && isWanted(line, std::size_t(lf + 1 - line)))
                return number;
        }
        kept = std::size_t(stop - line);
        if (end)
            return kept > 0 && !tooLong && isWanted(line, kept) ? number + 1 : 0;
        tooLong = tooLong || kept == buffer.size();
        kept = tooLong ? 0 : kept;
        std::memmove(buffer.data(), line, kept);
    }
    return 0;
}

Bytes readFile(const char* path) {
    Bytes bytes;
    File file = open(path, "rb");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return bytes;
    const long size = std::ftell(file.get());
    std::rewind(file.get());
    if (size < 0)
        return bytes;
    // Not zeroed first: every byte is read over.
    bytes.data.reset(new char[std::size_t(size)]);
    bytes.size = std::fread(bytes.data.get(), 1, std::size_t(size), file.get());
    return bytes;
}

bool writePieces(const char* path, std::initializer_list<Piece> pieces, bool sync) {
    File file = open(path, "wb");
    if (!file)
        return false;
    for (const Piece& piece : pieces)
        if (std::fwrite(piece.data, 1, piece.size, file.get()) != piece.size)
            return false;
    return std::fflush(file.get()) == 0 && (!sync || fsync(fileno(file.get())) == 0) &&
           std::fclose(file.release()) == 0;
}

long long residentBytes() {
    File statm = open("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (!statm || std::fscanf(statm.get(), "%ld %ld", &pages, &resident) != 2)
        return 0;
    return (long long)resident * 4096;
}

long long statusBytes(const char* field) {
    File status = open("/proc/self/status", "r");
    char line[256];
    const std::size_t size = std::strlen(field);
    while (status && std::fgets(line, sizeof line, status.get()))
        if (std::strncmp(line, field, size) == 0 && line[size] == ':')
            return std::atoll(line + size + 1) * 1024;
    return 0;
}

}  // namespace Floors
