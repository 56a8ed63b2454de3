#include "WindowsTestSupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include "FileTexts.h"
#include "RegistryAccess.h"
#include "RegistryWindows.h"

namespace testing_windows {

namespace {

// Polls `ready` every 50 ms until it holds or the time is up.
template <typename Ready>
bool waitFor(int milliseconds, Ready ready) {
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QThread::msleep(50);
    }
    return true;
}

QString gameRunPath() { return gameFolder() + "/EXE/recorded.txt"; }

}  // namespace

QString appFolder() { return QDir::fromNativeSeparators(qEnvironmentVariable("VANTOR_APP")); }

void setUp(const QString& activeCode, const QString& activeSignature) {
    for (const char* name : {"Accounts.dat.bak", "Accounts.dat.old", "Opciones.dat"})
        QFile::remove(appFolder() + '/' + name);
    QDir(appFolder() + "/Logs").removeRecursively();
    QDir(appFolder() + "/Backups").removeRecursively();
    forgetGameRun();
    writeFile(appFolder() + "/Accounts.dat", DatabaseText()
                                                 .account("Main", "CODE-1", "SIG-1", "\r\n")
                                                 .account("Alt \"quoted\"", "code-2", "sig-2", "Trader\r\n"));
    RegistryWindows().WriteValues(RegistryAccess::CurrentUser, RegistryAccess::GameKey,
                                  {{"MPAccountName", activeCode}, {"MPAccountNameSig", activeSignature}});
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString gameFolder() {
    RegistryWindows registry;
    return QDir::fromNativeSeparators(
        registry.ReadValue(RegistryAccess::LocalMachine, RegistryAccess::GameKey, QStringLiteral("AppPath")));
}

QStringList gameRun(int waitMilliseconds) {
    QFile file(gameRunPath());
    if (!waitFor(waitMilliseconds, [&] { return file.exists(); }) || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

void forgetGameRun() { QFile::remove(gameRunPath()); }

Program::Program(const QString& arguments) {
    const std::wstring program = QDir::toNativeSeparators(appFolder() + "/VTR.exe").toStdWString();
    std::wstring line = L"\"" + program + L"\" " + arguments.toStdWString();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_))
        ADD_FAILURE() << "VTR.exe did not start: error " << GetLastError();
}

Program::~Program() {
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

int Program::wait(int milliseconds) {
    DWORD code = 0;
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, DWORD(milliseconds)) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.hProcess, &code))
        return -1;
    return int(code);
}

HWND Program::window(const QString& title, int milliseconds) const {
    struct Search {
        DWORD processId;
        std::wstring title;
        HWND found;
    } search{process_.dwProcessId, title.toStdWString(), nullptr};
    const auto visit = [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        if (owner == s.processId && IsWindowVisible(window) && s.title == text) {
            s.found = window;
            return FALSE;
        }
        return TRUE;
    };
    waitFor(milliseconds, [&] {
        EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

}  // namespace testing_windows
