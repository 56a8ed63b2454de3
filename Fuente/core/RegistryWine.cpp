#include "RegistryWine.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "FileSystem.h"
#include "RunError.h"
#include "WineRegistryFile.h"

namespace {

// Wine programs reach a file of this machine by its path after "\\?\unix".
QString wineVisible(QString path) {
    return QStringLiteral("\\\\?\\unix") + path.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString rootName(quint32 root) {
    if (root == RegistryAccess::CurrentUser)
        return QStringLiteral("HKEY_CURRENT_USER");
    if (root == RegistryAccess::LocalMachine)
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    throw RunError{RunError::InvalidProcedureCall,
                   QStringLiteral("Invalid procedure call or argument: unknown registry root %1").arg(root, 0, 16)};
}

// Where a 32-bit program's view of a local machine's key lies in a 64-bit prefix.
QString wow64Key(const QString& keyPath) {
    const QString software = QStringLiteral("Software\\");
    return keyPath.startsWith(software, Qt::CaseInsensitive)
               ? software + QStringLiteral("Wow6432Node\\") + keyPath.mid(software.size())
               : keyPath;
}

std::optional<QString> find(const RegistryAccess::Values& values, const QString& valueName) {
    std::optional<QString> found;
    for (const auto& [name, text] : values)
        if (name.compare(valueName, Qt::CaseInsensitive) == 0)
            found = text;
    return found;
}

}  // namespace

QString RegistryWine::ReadValue(quint32 root, const QString& keyPath, const QString& valueName) {
    const QString key = rootName(root) + QLatin1Char('\\') + keyPath;
    // No prefix, no game: like a missing key. Anything else than a folder there is an error.
    if (!QFileInfo::exists(prefix_.folder()))
        return {};
    prefix_.checkFolder();
    // The current user's software keys are the same in both views.
    const bool machine = root == LocalMachine;
    if (prefix_.serverRunning()) {
        for (const bool view32 : {true, false}) {
            if (const auto text = find(exported(key, view32), valueName))
                return *text;
            if (!machine)
                break;
        }
        return {};
    }
    const QString file = machine ? prefix_.systemRegistry() : prefix_.userRegistry();
    for (const QString& path : machine ? QStringList{wow64Key(keyPath), keyPath} : QStringList{keyPath})
        if (const auto text = find(WineRegistryFile::readKey(file, path), valueName))
            return *text;
    return {};
}

void RegistryWine::WriteValue(quint32 root, const QString& keyPath, const QString& valueName, const QString& value) {
    WriteValues(root, keyPath, {{valueName, value}});
}

void RegistryWine::WriteValues(quint32 root, const QString& keyPath, const Values& values) {
    QString script = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n[") + rootName(root) +
                     QLatin1Char('\\') + keyPath + QStringLiteral("]\r\n");
    for (const auto& [name, value] : values) {
        if (value.contains(QLatin1Char('\r')) || value.contains(QLatin1Char('\n')))
            throw RunError{RunError::InvalidProcedureCall,
                           "Invalid procedure call or argument: a value with a line break cannot be stored in the "
                           "Wine prefix " +
                               prefix_.folder()};
        script += WineRegistryFile::exportLine(name, value) + QStringLiteral("\r\n");
    }
    last_.reset();
    prefix_.checkFolder();
    // The server writes the whole file back when it ends: it must be a file Wine wrote, in a
    // folder where it may be replaced, or the values would be lost then.
    const QString file = root == LocalMachine ? prefix_.systemRegistry() : prefix_.userRegistry();
    if (!QFileInfo::exists(file))
        throw RunError{RunError::FileNotFound, "File not found: " + file + " (the Wine prefix has not been set up)"};
    if (!QFileInfo(file).isWritable() || !QFileInfo(prefix_.folder()).isWritable())
        throw RunError{RunError::PermissionDenied,
                       "Permission denied: the Wine prefix " + prefix_.folder() + " is read-only"};
    WineRegistryFile::check(file);

    QTemporaryDir scratch;
    const QString import = scratch.filePath(QStringLiteral("import.reg"));
    FileSystem::replaceFile(
        import, QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char*>(script.utf16()), script.size() * 2));
    const RegRun run = reg({QStringLiteral("import"), wineVisible(import), QStringLiteral("/reg:32")});
    if (run.status != 0)
        throw RunError{RunError::PathFileAccess, "Path/File access error: Wine's reg could not write the values into " +
                                                     prefix_.folder() + ": " + run.output};
}

RegistryAccess::Values RegistryWine::exported(const QString& key, bool view32) {
    if (last_ && last_->key == key && last_->view32 == view32 && !last_->fresh.hasExpired())
        return last_->values;
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("export.reg"));
    const RegRun run = reg({QStringLiteral("export"), key, wineVisible(file), QStringLiteral("/y"),
                            view32 ? QStringLiteral("/reg:32") : QStringLiteral("/reg:64")});
    // reg ends with 1 when the key does not exist.
    if (run.status == 1 && !QFileInfo::exists(file)) {
        last_ = Export{key, view32, {}, QDeadlineTimer(1000)};
        return {};
    }
    QFile exported(file);
    if (run.status != 0 || !exported.open(QIODevice::ReadOnly))
        throw RunError{RunError::PathFileAccess, "Path/File access error: Wine's reg could not read " + key + " in " +
                                                     prefix_.folder() + ": " + run.output};
    last_ = Export{key, view32, WineRegistryFile::readExport(exported.readAll()), QDeadlineTimer(1000)};
    return last_->values;
}

RegistryWine::RegRun RegistryWine::reg(const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(prefix_.environment());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(WinePrefix::wineProgram(), QStringList{QStringLiteral("reg")} + arguments);
    if (!process.waitForStarted())
        throw RunError{RunError::PathFileAccess,
                       "Path/File access error: wine could not be started: " + process.errorString()};
    // A first start in a prefix may set it up anew, which takes a while.
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        throw RunError{RunError::PathFileAccess,
                       "Path/File access error: Wine's reg did not end in " + prefix_.folder()};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAll()).trimmed()};
}
