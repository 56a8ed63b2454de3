#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The least a program can do for each piece of work, in plain C and C++ without Qt: what the
// benchmarks set the program's own figures against.
namespace Floors {

// Reads the file through C stdio, a piece at a time, and gives the number (from 1) of its first
// line that is exactly `line`, or 0 when none is.
long findLine(const char* path, const char* line);

// Reads the file through C stdio, one string a line (line ends dropped).
std::vector<std::string> readLines(const char* path);

// Writes the bytes through C stdio, onto the disk (as the program's writes go), and closes the
// file; false when that failed.
bool writeBytes(const char* path, const char* bytes, std::size_t size);

// Sorts the strings by their bytes.
void sortBinary(std::vector<std::string>& strings);

// The memory the process holds now, in bytes.
long long residentBytes();

}  // namespace Floors
