#!/usr/bin/env python3
# check-matrix.py tests/faults: no file left written in part, no success shown, and each retry
# leaving after/ as the run without the fault does.
import os, re, sys, filecmp
root = sys.argv[1]
def ended(t):
    m = re.findall(r"fault ended: .*\n((?:  .*\n)*)", t)
    return m
bad = 0
for name in sorted(os.listdir(root)):
    if "--" not in name or name.endswith("backups-is-a-file"): continue
    w, f = name.split("--")
    t = open(os.path.join(root, name, "transcript")).read()
    clean = open(os.path.join(root, w, "transcript")).read()
    cl = {}
    for line in ended(clean)[0].splitlines():
        m = re.match(r"  (.*?): (.*) -> (.*)", line)
        if m: cl[m.group(1)] = m.group(3)
    for line in ended(t)[0].splitlines():
        m = re.match(r"  (.*?): (.*) -> (.*)", line)
        if not m: continue
        fname, a, b = m.groups()
        if fname == "backups": continue
        if cl.get(fname) != b and not fname.endswith(".Aux"):
            print(f"{name}: {fname} left as {b} (was {a}, done {cl.get(fname)})"); bad += 1
    if "successful" in t.split("fault ended")[0].lower() or "has been added" in t.split("fault ended")[0]:
        print(f"{name}: success shown?")
    # the retry leaves after/ as the clean run
    da, ca = os.path.join(root, name, "after"), os.path.join(root, w, "after")
    for dp, dn, fn in os.walk(ca):
        for x in fn:
            p = os.path.join(dp, x); q = os.path.join(da, os.path.relpath(p, ca))
            if not os.path.exists(q) or not filecmp.cmp(p, q, shallow=False):
                print(f"{name}: after/{os.path.relpath(p, ca)} differs from the clean run"); bad += 1
    for dp, dn, fn in os.walk(da):
        for x in fn:
            p = os.path.join(dp, x)
            if not os.path.exists(os.path.join(ca, os.path.relpath(p, da))):
                print(f"{name}: after/{os.path.relpath(p, da)} extra"); bad += 1
print("problems:", bad)
