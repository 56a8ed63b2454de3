#pragma once

#include <QString>

// Faults in the file system calls of this process: the writes, the syncs and the renames or
// links that put a finished file in place. Linking FaultInjection.cpp into an executable puts its
// own write, fsync, fdatasync, rename, renameat, renameat2 and linkat in front of the C
// library's (Qt's file engine calls those); with nothing armed they pass every call through.
//
// Only files inside one folder are affected, optionally sparing one folder inside it (so that a
// failure's report can still be written). A file is recognised by the path of its descriptor, so
// unnamed temporary files created in the folder count too.
namespace FaultInjection {

enum class Call { Write, Sync, Commit };

struct Plan {
    QString folder;
    QString spared;
    // A file system that fills up: the bytes that still fit. A write that does not fit writes what
    // fits and reports that short count; the next one fails with ENOSPC. -1: no limit. Lock files
    // (whose size depends on the process and the machine) fail only on a full disk and take no room.
    qint64 spaceLeft = -1;
    // A failing device: the failOn-th call of this kind fails with EIO (0: none); with
    // failAfter, every later one too.
    Call failing = Call::Write;
    int failOn = 0;
    bool failAfter = false;
    // A slow device: each write takes at most this many bytes (0: any) and sleeps this long first.
    int slowChunk = 0;
    int slowMicroseconds = 0;
};

// What the affected files saw while armed: calls attempted, bytes actually written (locks aside).
struct Counts {
    qint64 bytes = 0;
    int writes = 0;
    int syncs = 0;
    int commits = 0;
};

void arm(const Plan& plan);
Counts disarm();

// A case folder's step "fail ..." on the application folder `root`; what it has to say.
QString step(const QString& root, const QString& line);

}  // namespace FaultInjection
