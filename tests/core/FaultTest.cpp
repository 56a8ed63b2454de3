// What a disk that fills up or a failing device must not do to the files.
#include <functional>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "FaultInjection.h"
#include "Printers.h"
#include "RunError.h"
#include "TextWriter.h"

namespace {

using FaultInjection::Plan;

// Every write here is synced, which on a disk costs milliseconds each: the tests' folders go to
// memory when the system has a memory file system and no other folder was asked for.
class MemoryFolders : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("TMPDIR") && QFileInfo(QStringLiteral("/dev/shm")).isDir())
            qputenv("TMPDIR", "/dev/shm");
    }
};
::testing::Environment* const kMemoryFolders = ::testing::AddGlobalTestEnvironment(new MemoryFolders);

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Whatever is written (a few bytes, which Qt would hold back until the end, or many, which go
// out at once) and wherever the writing fails, the file stays as it was, nothing else is left in
// the folder, and the failure says why.
TEST(FileLayer, AFailedWriteLeavesTheFileAsItWas) {
    struct Case {
        const char* what;
        std::function<void(Plan&, qint64 bytes)> fault;
        int number;
        bool rewriteOnly = false;
    };
    const Case cases[] = {
        {"the disk is full", [](Plan& p, qint64) { p.spaceLeft = 0; }, RunError::DiskFull},
        {"the disk fills up half-way", [](Plan& p, qint64 bytes) { p.spaceLeft = bytes / 2; }, RunError::DiskFull},
        {"the disk fills up at the last byte", [](Plan& p, qint64 bytes) { p.spaceLeft = bytes - 1; },
         RunError::DiskFull},
        {"the device cannot sync",
         [](Plan& p, qint64) {
             p.failing = FaultInjection::Call::Sync;
             p.failOn = 1;
         },
         RunError::DeviceIo},
        {"the new file cannot be put in place",
         [](Plan& p, qint64) {
             p.failing = FaultInjection::Call::Commit;
             p.failOn = 1;
         },
         RunError::DeviceIo, true},
    };
    const QByteArray old = "DB Version: 101\r\nkept\r\n";
    for (const Case& c : cases) {
        for (const int length : {10, 100000}) {
            for (const TextWriter::Mode mode : {TextWriter::Mode::Rewrite, TextWriter::Mode::Append}) {
                if (c.rewriteOnly && mode == TextWriter::Mode::Append)
                    continue;
                SCOPED_TRACE(std::string(c.what) + ", " + std::to_string(length) + " bytes, " +
                             (mode == TextWriter::Mode::Rewrite ? "rewrite" : "append"));
                QTemporaryDir dir;
                const QString path = dir.path() + "/Accounts.dat";
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
                file.close();

                TextWriter writer(path, mode);
                writer.writeLine(QString(length, 'x'));
                Plan plan{dir.path(), {}};
                c.fault(plan, length + 2);
                FaultInjection::arm(plan);
                int number = 0;
                try {
                    writer.close();
                } catch (const RunError& e) {
                    number = e.number;
                }
                FaultInjection::disarm();
                EXPECT_EQ(number, c.number);
                EXPECT_EQ(contents(path), old);
                EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Accounts.dat"});
            }
        }
    }
}

}  // namespace
