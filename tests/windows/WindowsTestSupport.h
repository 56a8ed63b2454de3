#pragma once

// The setting of the Windows program's tests: the program's folder (where VTR.exe and its DLLs
// lie, named by VANTOR_APP), the game's folder from the registry, and running the program.

#include <windows.h>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testing_windows {

// The folder of VTR.exe, with "/" separators.
QString appFolder();
void writeFile(const QString& path, const QByteArray& bytes);
// A fresh start: the program's own files removed, then a database of two accounts, Main
// (CODE-1, SIG-1) and Alt "quoted" (code-2, sig-2), and the given active account in the registry.
void setUp(const QString& activeCode, const QString& activeSignature);

// The game's folder as the program finds it (AppPath), and what the stand-in game recorded in its
// EXE folder when it was last started there: command line, working folder, code, signature and
// the game's folder; empty when it was not.
QString gameFolder();
QStringList gameRun(int waitMilliseconds);
void forgetGameRun();

// A running VTR.exe with the given command-line text; ended when the object goes.
class Program {
public:
    explicit Program(const QString& arguments);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The exit code, or -1 when the program has not ended within the time.
    int wait(int milliseconds);
    // The program's visible top-level window with this title, or null when none comes in the time.
    HWND window(const QString& title, int milliseconds) const;

private:
    PROCESS_INFORMATION process_{};
};

}  // namespace testing_windows
