#!/usr/bin/env python3
# Writes the writers' fault cases. make-matrix.py clean tests/faults: each writer's run without a
# fault (and with no room for backups); record them with VANTOR_UPDATE_CASES=1 VANTOR_FAULT_BYTES=1.
# make-matrix.py faults tests/faults: one case per fault that can hit it, its positions taken from
# those records; record them with VANTOR_UPDATE_CASES=1, then check-matrix.py tests/faults.
import os, re, sys, shutil
mode, root = sys.argv[1], sys.argv[2]

def db(*accts):
    s = b"DB Version: 101\r\n"
    for n, c, sg, cm in accts:
        s += n + b"\r\n" + c + b"\r\n" + sg + b"\r\n<COMENTARIO>\r\n" + cm + b"</COMENTARIO>\r\n"
    return s
def store(code, sig):
    return (b"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
            b"\"MPAccountName\"=\"" + code + b"\"\r\n\"MPAccountNameSig\"=\"" + sig + b"\"\r\n"
            b"\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0]\r\n"
            b"\"AppPath\"=\"$APP/Game\"\r\n")
BASE = {
    "Accounts.dat": db((b"Alpha", b"c-a", b"s-a", b"about alpha\r\n"), (b"bravo", b"c-b", b"s-b", b"\r\n"),
                       (b"Charlie", b"c-c", b"s-c", b"first\r\nsecond\r\n")),
    "Opciones.dat": b"OPC VERSION: 100\r\n0\r\n0\r\n",
    "GameSettings.reg": store(b"c-b", b"s-b"),
    "Game/EXE/Freelancer.exe": b"",
}
RENAME = ["load", "select bravo", "rename Bravo two"]
# name: (files over BASE, preparation, operation, retry, file made a folder, folder taken away)
W = {
 "save-toolbar": ({}, RENAME, ["toolbar SAVE"], ["load", "toolbar SAVE"], "Accounts.dat", "."),
 "save-timer": ({}, RENAME, ["timer", "timer"], None, "Accounts.dat", "."),
 "new-active-account": ({"GameSettings.reg": store(b"c-new", b"s-new")}, ["input Newcomer"], ["load"], ["input Newcomer", "load"], "Accounts.dat", "."),
 "add-dialog": ({}, ["load", "answer No"], ["add Delta | c-d | s-d | typed\\nin"], ["answer No", "add Delta | c-d | s-d | typed\\nin"], "Accounts.dat", "."),
 "delete": ({}, ["load", "select Charlie", "answer Yes"], ["delete"], ["answer Yes", "delete"], "Accounts.dat", "."),
 "comment": ({}, ["load", "select Charlie", "click", "edit", "comment edited\\ncomment"], ["save"], None, "Accounts.dat", "."),
 "import": ({"source.ADF": db((b"Delta", b"c-d", b"s-d", b"imported\r\n"))}, ["load", "file source.ADF"], ["import"], ["load", "file source.ADF", "import"], "Accounts.dat", "."),
 "convert-old": ({"Accounts.dat": b"Alpha\r\nc-a\r\ns-a\r\nbravo\r\nc-b\r\ns-b\r\n"}, ["answer OK", "answer No"], ["load"], ["answer OK", "answer No", "load"], "Accounts.dat.old", "."),
 "option": ({}, ["load"], ["tick activation"], ["load", "tick activation"], "Opciones.dat", "."),
 "activate": ({}, ["load", "select Alpha"], ["activate"], None, "GameSettings.reg", "."),
 "command-line": ({}, [], ["command /a=c-a /y"], None, "GameSettings.reg", "."),
 "export-all-adf": ({"Exports/.keep": b""}, ["load", "file Exports/All.ADF"], ["export"], ["file Exports/All.ADF", "export"], "Exports/All.ADF", "Exports"),
 "export-one-adf": ({"Exports/.keep": b""}, ["load", "select Alpha", "file Exports/One.ADF", "answer No"], ["export"], ["file Exports/One.ADF", "answer No", "export"], "Exports/One.ADF", "Exports"),
 "export-one-reg": ({"Exports/.keep": b""}, ["load", "select Alpha", "file Exports/One.reg", "answer No"], ["export"], ["file Exports/One.reg", "answer No", "export"], "Exports/One.reg", "Exports"),
 "export-all-reg": ({"Exports/.keep": b""}, ["load", "file Exports/All.reg"], ["export"], ["file Exports/All.reg", "export"], "Exports/All/Charlie.reg", "Exports"),
 "shortcut": ({"Links/.keep": b""}, ["load", "select Alpha"], ["shortcut 0 0 0 |  | Alpha | $APP/Links/"], None, "Links/Alpha.desktop", "Links"),
}
def write_case(name, files, steps):
    d = os.path.join(root, name)
    shutil.rmtree(d, ignore_errors=True)
    for f, b in files.items():
        p = os.path.join(d, "before", f); os.makedirs(os.path.dirname(p), exist_ok=True)
        open(p, "wb").write(b)
    open(os.path.join(d, "steps"), "w").write("\n".join(steps) + "\n")

for w, (extra, prep, op, retry, target, missing) in W.items():
    files = dict(BASE); files.update(extra)
    if mode == "clean":
        write_case(w, files, prep + ["fail count"] + op + ["fail off"])
        write_case(w + "--backups-is-a-file", dict(files, Backups=b"a file where the folder should be"), prep + op)
        continue
    t = open(os.path.join(root, w, "transcript")).read()
    m = re.search(r"fault ended: (\d+) writes, (\d+) syncs, (\d+) commits\n((?:  .*\n)*)", t)
    writes, syncs, commits = map(int, m.groups()[:3])
    size = int(re.search(r"  (\d+) bytes written", t).group(1))
    faults = {"disk-full": "full 0", "disk-fills-half-way": f"full {size // 2}", "disk-fills-at-the-last-byte": f"full {size - 1}",
              "disk-full-for-the-logs-too": f"full {size // 2} logs", "last-write-fails": f"write {writes}",
              "sync-fails": "sync 1 after" if syncs else None, "commit-fails": f"commit {commits}" if commits else None,
              "target-is-a-folder": f"folder {target}", "folder-is-missing": f"missing {missing}"}
    for f, step in faults.items():
        if step:
            write_case(f"{w}--{f}", files, prep + [f"fail {step}"] + op + ["fail off", "# again, without the fault"] + (retry or op))
