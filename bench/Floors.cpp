#include "Floors.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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
    const std::size_t size = std::strlen(wanted);
    char* line = nullptr;
    std::size_t capacity = 0;
    long number = 0, found = 0;
    for (ssize_t read; !found && (read = getline(&line, &capacity, file.get())) >= 0;) {
        ++number;
        if (lineLength(line, read) == size && std::memcmp(line, wanted, size) == 0)
            found = number;
    }
    std::free(line);
    return found;
}

std::vector<std::string> readLines(const char* path) {
    std::vector<std::string> lines;
    File file = open(path, "rb");
    char* line = nullptr;
    std::size_t capacity = 0;
    for (ssize_t read; file && (read = getline(&line, &capacity, file.get())) >= 0;)
        lines.emplace_back(line, lineLength(line, read));
    std::free(line);
    return lines;
}

bool writeBytes(const char* path, const char* bytes, std::size_t size) {
    File file = open(path, "wb");
    return file && std::fwrite(bytes, 1, size, file.get()) == size && std::fflush(file.get()) == 0 &&
           fsync(fileno(file.get())) == 0 && std::fclose(file.release()) == 0;
}

void sortBinary(std::vector<std::string>& strings) { std::sort(strings.begin(), strings.end()); }

long long residentBytes() {
    File statm = open("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (!statm || std::fscanf(statm.get(), "%ld %ld", &pages, &resident) != 2)
        return 0;
    return (long long)resident * 4096;
}

}  // namespace Floors
