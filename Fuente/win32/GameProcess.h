#pragma once

// Starting programs and reading the program's own command line, in plain Win32 (no Qt).

#include <string>

#include "Status.h"

namespace win32 {

// Starts a program without waiting for it, shown normally or minimized with focus. The program's
// path is quoted on the command line, so a path with blanks starts the right program; `arguments`
// follow as given.
Status startProgram(const std::wstring& program, const std::wstring& arguments, const std::wstring& workingFolder,
                    bool minimized);

// The process's raw command line after the program's name, without the blanks before it.
std::wstring commandLineArguments();

// The same for a given command line.
std::wstring argumentsOf(const std::wstring& commandLine);

}  // namespace win32
