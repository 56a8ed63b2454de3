// The fault program's step "fail ..." (see tests/faults/README): a file system fault in the
// application folder from that step on; "fail off" ends it, puts back what it moved, and tells
// how many calls were made, which files changed meanwhile (the backups counted), and where the
// failures were reported.
#include <map>
#include <QDir>
#include <QDirIterator>

#include "FaultInjection.h"
#include "FileBytes.h"

namespace {

std::map<QString, QByteArray> filesUnder(const QString& root, bool logs = false) {
    std::map<QString, QByteArray> files;
    for (QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
        if (const QString name = QDir(root).relativeFilePath(it.next()); name.startsWith("Logs/") == logs)
            files[name] = readFile(it.filePath()).replace(root.toUtf8(), "$APP");
    return files;
}

QString describe(const QByteArray& bytes) {
    return QString("%1 bytes #%2").arg(bytes.size()).arg(qChecksum(bytes), 4, 16, QChar('0'));
}

std::map<QString, QByteArray> before, logsBefore;
QString made, moved;  // a folder made where a file was; where that file or a folder was moved

}  // namespace

QString FaultInjection::step(const QString& root, const QString& line) {
    const QStringList words = line.split(' ');
    const QString kind = words.value(0);
    if (kind != "off") {
        before = filesUnder(root), logsBefore = filesUnder(root, true);
        Plan plan{root, words.contains("logs") ? QString() : root + "/Logs"};
        plan.spaceLeft = kind == "full" ? words.value(1).toInt() : -1;
        plan.failing = kind == "write" ? Call::Write : kind == "sync" ? Call::Sync : Call::Commit;
        plan.failOn = kind == "write" || kind == "sync" || kind == "commit" ? words.value(1).toInt() : 0;
        plan.failAfter = words.contains("after");
        if (kind == "folder" || kind == "missing") {
            const QString target = QDir::cleanPath(root + '/' + words.value(1));
            moved = target + ".moved";
            QDir().rename(target, moved);
            if (kind == "folder")
                QDir().mkpath(made = target);
        }
        arm(plan);
        return {};
    }
    const Counts counts = disarm();
    if (!made.isEmpty() && !QDir().rmdir(made))
        return "the program wrote into the folder made for the fault\n";
    if (!moved.isEmpty())
        QDir().rename(moved, moved.chopped(6));
    made.clear(), moved.clear();
    QString text = QString::asprintf("fault ended: %d writes, %d syncs, %d commits\n", counts.writes, counts.syncs,
                                     counts.commits);
    if (qEnvironmentVariableIsSet("VANTOR_FAULT_BYTES"))  // how far a disk may fill up, for new cases
        text += QString("  %1 bytes written\n").arg(counts.bytes);
    const std::map<QString, QByteArray> after = filesUnder(root);
    std::map<QString, QByteArray> all = after;
    all.insert(before.begin(), before.end());
    int backups[2] = {0, 0};
    for (const auto& [name, bytes] : all) {
        const bool was = before.count(name), is = after.count(name);
        if (name.startsWith("Backups/"))
            backups[0] += was, backups[1] += is;
        else if (!was || !is || before[name] != after.at(name))
            text += "  " + name + ": " + (was ? describe(before[name]) : "none") + " -> " +
                    (is ? describe(after.at(name)) : "none") + '\n';
    }
    if (backups[0] != backups[1])
        text += QString("  backups: %1 -> %2\n").arg(backups[0]).arg(backups[1]);
    for (const auto& [name, bytes] : filesUnder(root, true)) {
        const QByteArray added = bytes.mid(logsBefore[name].size());
        for (const QByteArray& line : added.split('\n'))
            if (line.startsWith("       "))
                text += "  reported in " + name + " by " + line.trimmed() + '\n';
        if (!added.isEmpty() && !added.endsWith("\r\n"))
            text += "  " + name + " written in part\n";
    }
    return text;
}
