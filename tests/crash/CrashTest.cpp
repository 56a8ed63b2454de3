// Kills programs that are writing the database (SIGKILL, at random moments) and then reads the
// database: it must always be either the database before the operation or the one after it,
// whole, byte for byte. Saving, importing and deleting run in crash_driver, which repeats the
// window's operation on 10,000 accounts; the conversion of an older database runs in the real
// program at start-up, in command-line mode.
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <random>

#include "ClsBD.h"
#include "FileBytes.h"
#include "FileTexts.h"
#include "Mod_Variables.h"
#include "Services.h"
#include "Printers.h"
#include "RegistryFile.h"
#include "ScriptedDialogs.h"
#include "TestFolder.h"
#include "forms/Frm_Main.h"

namespace {

constexpr int kAccounts = 10000;
// Per operation: kills, and the time they may take once the first few are done.
constexpr int kMostKills = 100;
constexpr int kFewestKills = 20;
constexpr int kSeconds = 15;

QString number(int i) { return QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')); }

// The database as the program writes it: sorted by name, every comment at least one line.
QByteArray database(bool renamed, bool zeta) {
    DatabaseText text;
    for (int i = 0; i < kAccounts; ++i) {
        const QString name = i == 0 && renamed ? QStringLiteral("Account 00000 renamed") : "Account " + number(i);
        text.account(name.toLatin1(), "code-" + number(i).toLatin1(), "sig-" + number(i).toLatin1(),
                     i % 10 == 0 ? "comment " + number(i).toLatin1() + "\r\n" : "\r\n");
    }
    if (zeta)
        text.account("Zeta", "code-zeta", "sig-zeta", "\r\n");
    return text;
}

// The older layout: three lines per account, no header, no comments; and what it becomes.
QByteArray olderDatabase() {
    QByteArray bytes;
    for (int i = 0; i < kAccounts; ++i)
        bytes += ("Account " + number(i) + "\r\ncode-" + number(i) + "\r\nsig-" + number(i) + "\r\n").toLatin1();
    return bytes;
}
QByteArray convertedDatabase() {
    DatabaseText text("Version: 101\r\n");
    for (int i = 0; i < kAccounts; ++i)
        text.account("Account " + number(i).toLatin1(), "code-" + number(i).toLatin1(), "sig-" + number(i).toLatin1());
    return text;
}

// An application folder: the database, the options, a store whose active account is stored,
// a game that ends at once, and the file the import reads.
class Folder : public TestFolder {
public:
    explicit Folder(const QByteArray& accounts) {
        const QString game = path("Game/EXE/Freelancer.exe");
        mkdir("Logs");
        write("Game/EXE/Freelancer.exe", "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(game, QFile::permissions(game) | QFileDevice::ExeOwner);
        write("Accounts.dat", accounts);
        write("Opciones.dat", optionsText(0, 0));
        write("Zeta.ADF", DatabaseText().account("Zeta", "code-zeta", "sig-zeta", "\r\n"));
        write(RegistryFile::FileName, storeText("code-00005", "sig-00005", path("Game").toUtf8()));
    }
};

// Loads the database as the window does and counts its accounts; it shows no box.
int loadedAccounts(const QString& folder) {
    ScriptedDialogs dialogs;
    RegistryFile registry(folder + '/' + RegistryFile::FileName);
    Mod_Variables mv(folder);
    Services sv(mv, dialogs, registry);
    mv.RutaBD = folder + "/Accounts.dat";
    sv.bd.cargarbdallv();
    return mv.Accounts.count();
}

// How many kills left the database as it was, and how many as the operation leaves it.
struct Kills {
    int old = 0;
    int changed = 0;
};

// Starts a program (`start` returns once it is ready for the clock to start), kills it after
// `delay` microseconds and checks the database, again and again: up to kMostKills times, and
// no longer than kSeconds once kFewestKills are done. `reset` prepares each run.

Kills killRepeatedly(const QString& database, const QByteArray& before, const QByteArray& after,
                     const std::function<bool(QProcess&)>& start, const std::function<int()>& delay,
                     const std::function<void()>& reset) {
    Kills kills;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kMostKills && (i < kFewestKills || clock.elapsed() < kSeconds * 1000); ++i) {
        reset();
        QProcess program;
        if (!start(program)) {
            ADD_FAILURE() << "kill " << i
                          << ": the program did not get ready: " << program.readAllStandardError().toStdString();
            break;
        }
        QThread::usleep(static_cast<unsigned long>(delay()));
        program.kill();
        program.waitForFinished(10000);
        const QByteArray bytes = readFile(database);
        if (bytes == before) {
            ++kills.old;
        } else if (bytes == after) {
            ++kills.changed;
        } else {
            ADD_FAILURE() << "kill " << i << ": the database is neither the old nor the new one (" << bytes.size()
                          << " bytes, expected " << before.size() << " or " << after.size() << ")";
            break;
        }
    }
    std::printf("killed %d times: %d old, %d new\n", kills.old + kills.changed, kills.old, kills.changed);
    return kills;
}

struct Operation {
    const char* name;
    QByteArray before;
    QByteArray after;
};

void PrintTo(const Operation& operation, std::ostream* os) { *os << operation.name; }

class CrashTest : public ::testing::TestWithParam<Operation> {};

TEST_P(CrashTest, TheDatabaseIsTheOldOrTheNewOneWhole) {
    const Operation& operation = GetParam();
    Folder folder(operation.before);
    const QString database = folder.path("Accounts.dat");
    const auto start = [&](QProcess& driver, int rounds) {
        QStringList arguments{operation.name, folder.path()};
        if (rounds > 0)
            arguments << QString::number(rounds);
        driver.start(QStringLiteral(CRASH_DRIVER_PATH), arguments);
        return driver.waitForReadyRead(60000) && driver.readLine() == "ready\n";
    };

    // Two rounds without a kill: there and back, and how long they take. The kills then come
    // within as long after the database is loaded.
    QProcess calibration;
    ASSERT_TRUE(start(calibration, 2)) << calibration.readAllStandardError().toStdString();
    QElapsedTimer round;
    round.start();
    ASSERT_TRUE(calibration.waitForFinished(120000));
    const qint64 roundMicroseconds = round.nsecsElapsed() / 2000;
    ASSERT_EQ(calibration.exitCode(), 0) << calibration.readAllStandardError().toStdString();
    ASSERT_EQ(readFile(database), operation.before) << "two rounds come back to the start";

    std::mt19937 random(20261206);
    std::uniform_int_distribution<qint64> within(0, 2 * roundMicroseconds);
    const Kills kills = killRepeatedly(
        database, operation.before, operation.after, [&](QProcess& driver) { return start(driver, 0); },
        [&] { return int(within(random)); }, [] {});
    if (HasFailure())
        return;
    EXPECT_GE(kills.old + kills.changed, kFewestKills);
    const int count = loadedAccounts(folder.path());
    EXPECT_TRUE(count == kAccounts || count == kAccounts + 1) << count;
}

const Operation kOperations[] = {
    {"save", database(false, false), database(true, false)},
    {"import", database(false, false), database(false, true)},
    {"delete", database(false, true), database(false, false)},
};

INSTANTIATE_TEST_SUITE_P(Driver, CrashTest, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

// The real program converts an older database at start-up (here in command-line mode, which
// needs no window).
TEST(CrashTest, ConversionAtStartUp) {
    const QByteArray older = olderDatabase();
    const QByteArray newer = convertedDatabase();
    Folder folder(older);
    const QString program = folder.path("VTR");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VTR_PATH), program));
    const QString database = folder.path("Accounts.dat");
    const QString copy = folder.path("Accounts.dat.old");
    const auto start = [&](QProcess& vtr) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        vtr.setProcessEnvironment(environment);
        vtr.start(program, {"/a=code-00005", "/y"});
        return vtr.waitForStarted(10000);
    };

    // One run, watched: from the copy to .old (the conversion's first step) to the converted
    // database in place. The program then tells the person about the conversion and waits for
    // an answer, so it is ended there.
    const auto copyMade = [&](QProcess& vtr) {
        QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(copy))
            if (deadline.hasExpired() || vtr.waitForFinished(1))
                return false;
        return true;
    };
    QProcess calibration;
    ASSERT_TRUE(start(calibration) && copyMade(calibration)) << calibration.readAllStandardError().toStdString();
    QElapsedTimer clock;
    clock.start();
    qint64 converted = -1;
    while (converted < 0 && clock.elapsed() < 60000 && !calibration.waitForFinished(1)) {
        QFile file(database);
        if (file.open(QIODevice::ReadOnly) && file.read(8) == "Version:")
            converted = clock.nsecsElapsed() / 1000;
    }
    calibration.kill();
    calibration.waitForFinished(10000);
    ASSERT_GE(converted, 0) << "the database was not converted";
    ASSERT_EQ(readFile(database), newer);

    // Kills from the copy to twice as long as the conversion took.
    std::mt19937 random(20261206);
    std::uniform_int_distribution<qint64> within(0, 2 * converted);
    const Kills kills = killRepeatedly(
        database, older, newer, [&](QProcess& vtr) { return start(vtr) && copyMade(vtr); },
        [&] { return int(within(random)); },
        [&] {
            ASSERT_TRUE(writeFile(database, older));
            QFile::remove(copy);
        });
    EXPECT_GE(kills.old + kills.changed, kFewestKills);
}

// Another program cuts the database short while the real program reads it at start-up, at
// moments spread over the whole read: the program reads it whole, or reports the cut file (and
// waits at its report), but never dies of it.
TEST(CrashTest, ADatabaseCutShortWhileItIsRead) {
    DatabaseText text;
    for (int i = 0; i < 30 * kAccounts; ++i)
        text.account("Account " + QByteArray::number(i), "code-" + QByteArray::number(i), "sig", "comment\r\n");
    Folder folder(text);
    const QString program = folder.path("VTR");
    ASSERT_TRUE(QFile::copy(QStringLiteral(VTR_PATH), program));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (int delay = 0; delay <= 400; delay += 20) {
        ASSERT_TRUE(writeFile(folder.path("Accounts.dat"), text));
        QProcess vtr;
        vtr.setProcessEnvironment(environment);
        vtr.start(program, {"/a=code-5", "/y"});
        ASSERT_TRUE(vtr.waitForStarted(10000));
        QThread::msleep(static_cast<unsigned long>(delay));
        QFile::resize(folder.path("Accounts.dat"), 100);
        if (vtr.waitForFinished(3000)) {
            EXPECT_EQ(vtr.exitStatus(), QProcess::NormalExit) << "cut after " << delay << " ms";
        }
        vtr.kill();
        vtr.waitForFinished(10000);
        EXPECT_FALSE(QFile::exists(folder.path("Accounts.dat.lock")));
    }
}

}  // namespace
