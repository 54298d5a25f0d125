#!/usr/bin/env python3
# SPDX-License-Identifier: BSD-3-Clause
"""Mutation sampling: do the tests notice small, deliberate changes to the sources?

Usage:
  tools/mutate.py --list FILE [--only NAME]... [--keep] [--reuse] [--scratch DIR]
                  [--jobs N] [-D NAME=VALUE]...

The work tree (less build/, out/, .git/) is copied once into DIR (default
/tmp/tk5chctl-mutate), configured, built and tested once. Each mutation is then applied
to the copy, rebuilt incrementally, tested and undone; the work tree is never touched.
--reuse takes an existing configured copy and rewrites only the files whose content
differs from the work tree. The copy is deleted at the end unless --keep or --reuse.

List file: one block per mutation. Lines starting with '#' and blank lines are ignored.
  == NAME  free description
  path/relative/to/the/repo.cpp
  - original text (what follows "- "; must occur exactly once in the file)
  + replacement text (what follows "+ "; without a '+' line the text is deleted)
Several '-' (or '+') lines are joined with newlines, for a change across lines.

Outcomes: KILLED (a test failed or timed out), KILLED-COMPILE (the copy did not build),
SURVIVED (all tests passed), INVALID (file missing, or text not found exactly once).
Kill rate = both kinds of KILLED / valid mutations. Exit status 2 for bad arguments, a bad
list or a failing baseline, 0 otherwise.
"""
import argparse, filecmp, os, re, shutil, subprocess, sys, time
from types import SimpleNamespace

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SKIP_TOP = {"build", "out", ".git"}  # top-level folders that are never copied nor pruned
MARKER = ".mutate-scratch"  # proves a folder is ours before we wipe or reuse it
OUTCOMES = ["KILLED", "KILLED-COMPILE", "SURVIVED", "INVALID"]


def parse_list(text):
    muts = []
    for no, line in enumerate(text.splitlines(), 1):
        if line.startswith("#") or not line.strip():
            continue
        if line.startswith("=="):
            name, _, desc = line[2:].strip().partition(" ")
            if not name or name in [m.name for m in muts]:
                raise ValueError(f"line {no}: missing or repeated mutation name")
            muts.append(SimpleNamespace(name=name, desc=desc.strip(), path="", old=[], new=[]))
        elif not muts:
            raise ValueError(f"line {no}: text before the first '== NAME' line")
        elif not muts[-1].path:
            muts[-1].path = line.strip()
        elif line[0] in "-+":
            # Only the marker and one space go, so indentation can be part of the text.
            body = line[2:] if line[1:2] == " " else line[1:]
            (muts[-1].old if line[0] == "-" else muts[-1].new).append(body)
        else:
            raise ValueError(f"line {no}: expected '- ', '+ ' or '== NAME'")
    for m in muts:
        if not m.old or not "".join(m.old):
            raise ValueError(f"mutation {m.name}: no original text")
    return muts


def sync(src, dst):
    """Make dst's files equal to src's, writing only those whose content differs.
    Written files get a fresh mtime, so ninja rebuilds exactly what changed."""
    wanted, written = set(), 0
    for root, dirs, files in os.walk(src):
        if root == src:
            dirs[:] = [d for d in dirs if d not in SKIP_TOP]
        for f in files:
            rel = os.path.relpath(os.path.join(root, f), src)
            s, d = os.path.join(src, rel), os.path.join(dst, rel)
            try:
                if not (os.path.isfile(d) and filecmp.cmp(s, d, shallow=False)):
                    os.makedirs(os.path.dirname(d), exist_ok=True)
                    shutil.copy(s, d)  # content and mode; the mtime becomes now
                    written += 1
                wanted.add(rel)
            except FileNotFoundError:  # moved away since the walk saw it
                pass
    # Files moved or deleted in the work tree must go from the copy too, or a build could
    # still pick them up after the sources were restructured.
    for root, dirs, files in os.walk(dst, topdown=False):
        rel_root = os.path.relpath(root, dst)
        if rel_root.split(os.sep)[0] in SKIP_TOP:
            continue
        for f in files:
            rel = os.path.normpath(os.path.join(rel_root, f))
            if rel not in wanted and rel != MARKER:
                os.remove(os.path.join(root, f))
        if rel_root != "." and not os.listdir(root):
            os.rmdir(root)
    return written


def run(cmd, log, env=None):
    with open(log, "w") as fh:
        return subprocess.run(cmd, stdout=fh, stderr=subprocess.STDOUT, env=env).returncode


def read(log):
    with open(log, errors="replace") as fh:
        return fh.read()


def build(scratch, jobs, log):
    return run(["cmake", "--build", f"{scratch}/build", "-j", str(jobs)], log) == 0


def test(scratch, jobs, log):
    """Runs ctest; returns the failed tests as 'name (reason)', empty when all pass."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    rc = run(["ctest", "--test-dir", f"{scratch}/build", "-j", str(jobs), "-E", "xvfb_smoke",
              "--timeout", "120", "--no-tests=error", "--output-on-failure"], log, env)
    out = read(log)
    listed = out.partition("tests FAILED:")[2]
    failed = [f"{n} ({why})" for n, why in re.findall(r"^\s*\d+ - (\S+) \((.*)\)$", listed, re.M)]
    # Name the first few failing test functions too: they say which check caught it.
    checks = list(dict.fromkeys(re.findall(r"^FAIL!\s*:\s*(\S+)", out, re.M)))
    if failed and checks:
        failed[-1] += " [" + ", ".join(checks[:3]) + (", ..." if len(checks) > 3 else "") + "]"
    # A non-zero exit with no list (no tests found, ctest itself broke) still is a failure.
    return failed or ([f"ctest exit {rc}: " + out.strip()[-200:]] if rc else [])


def first_error(log):
    # The log goes away with the copy, so the line that matters is printed right away.
    lines = read(log).splitlines()
    errors = [l for l in lines if "error:" in l] or [l for l in lines if "FAILED:" in l]
    return errors[0].strip()[-160:] if errors else "build failed without an error line"


def try_mutation(m, scratch, jobs, logs):
    path = os.path.join(scratch, m.path)
    if not os.path.isfile(path):
        return "INVALID", f"{m.path} not found"
    with open(path, encoding="utf-8", newline="") as fh:
        original = fh.read()
    old, new = "\n".join(m.old), "\n".join(m.new)
    count = len(re.findall(f"(?={re.escape(old)})", original))  # overlapping ones too
    if count != 1:
        return "INVALID", f"original text found {count} times in {m.path}"
    mutated_ns = os.stat(path).st_mtime_ns
    try:
        with open(path, "w", encoding="utf-8", newline="") as fh:
            fh.write(original.replace(old, new))
        mutated_ns = os.stat(path).st_mtime_ns
        if not build(scratch, jobs, f"{logs}/{m.name}.build.log"):
            return "KILLED-COMPILE", first_error(f"{logs}/{m.name}.build.log")
        failed = test(scratch, jobs, f"{logs}/{m.name}.test.log")
        return ("KILLED", ", ".join(failed)) if failed else ("SURVIVED", f"all tests pass: {m.desc}")
    finally:
        # Restore even on Ctrl-C. The mtime must pass the mutated one, or on a file system
        # with coarse timestamps ninja would keep the mutated object file.
        with open(path, "w", encoding="utf-8", newline="") as fh:
            fh.write(original)
        if os.stat(path).st_mtime_ns <= mutated_ns:
            os.utime(path, ns=(mutated_ns + 10**7,) * 2)


def main():
    ap = argparse.ArgumentParser(description="Mutation sampling for tk5chctl.")
    ap.add_argument("--list", required=True, help="mutation list file")
    ap.add_argument("--only", action="append", default=[], metavar="NAME", help="run just this one")
    ap.add_argument("--keep", action="store_true", help="keep the scratch copy")
    ap.add_argument("--reuse", action="store_true", help="reuse a configured scratch copy")
    ap.add_argument("--scratch", default="/tmp/tk5chctl-mutate", help="scratch folder")
    ap.add_argument("--jobs", type=int, default=2, help="parallel build and test jobs")
    ap.add_argument("-D", action="append", default=[], dest="defs", metavar="NAME=VALUE")
    a = ap.parse_args()  # exits 2 on bad arguments, as ap.error below does
    try:
        with open(a.list, encoding="utf-8") as fh:
            muts = parse_list(fh.read())
    except (OSError, ValueError) as e:
        ap.error(f"{a.list}: {e}")
    if set(a.only) - {m.name for m in muts}:
        ap.error("no such mutation: " + ", ".join(sorted(set(a.only) - {m.name for m in muts})))
    muts = [m for m in muts if not a.only or m.name in a.only]
    if a.jobs < 1:
        ap.error("--jobs must be at least 1")
    scratch = os.path.abspath(a.scratch)
    if (os.path.realpath(scratch) + os.sep).startswith(os.path.realpath(REPO) + os.sep):
        ap.error("the scratch folder must lie outside the repository")
    ours = os.path.isfile(os.path.join(scratch, MARKER))
    if a.reuse and not (ours and os.path.isfile(f"{scratch}/build/build.ninja")):
        ap.error(f"--reuse: {scratch} is not a configured scratch copy")
    if not a.reuse and os.path.exists(scratch):
        if not ours and os.listdir(scratch):
            ap.error(f"{scratch} exists and was not made by this script")
        shutil.rmtree(scratch)
    logs = f"{scratch}/build/mutate-logs"  # under build/, which the sync leaves alone
    os.makedirs(logs, exist_ok=True)
    open(os.path.join(scratch, MARKER), "w").close()

    def baseline_failed(what, log):
        print(f"BASELINE FAILED: {what}\n{read(log)[-3000:]}\nscratch copy left in {scratch}")
        sys.exit(2)

    t0 = time.monotonic()
    print(f"sync {REPO} -> {scratch}: {sync(REPO, scratch)} files written", flush=True)
    cfg = ["cmake", "-S", scratch, "-B", f"{scratch}/build", "-G", "Ninja",
           "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DBUILD_TESTING=ON",
           "-DTK5CHCTL_WARNINGS_AS_ERRORS=OFF"] + [f"-D{d}" for d in a.defs]
    # A reused copy is configured already; ninja reruns CMake itself if a CMakeLists changed.
    if (not a.reuse or a.defs) and run(cfg, f"{logs}/configure.log"):
        baseline_failed("configure", f"{logs}/configure.log")
    if not build(scratch, a.jobs, f"{logs}/baseline.build.log"):
        baseline_failed("build", f"{logs}/baseline.build.log")
    failed = test(scratch, a.jobs, f"{logs}/baseline.test.log")
    if failed:
        baseline_failed(", ".join(failed), f"{logs}/baseline.test.log")
    print(f"baseline: build and tests pass ({time.monotonic() - t0:.0f} s)", flush=True)

    counts = dict.fromkeys(OUTCOMES, 0)
    for m in muts:
        t = time.monotonic()
        outcome, detail = try_mutation(m, scratch, a.jobs, logs)
        counts[outcome] += 1
        print(f"{outcome:<14} {m.name:<22} {detail}  ({time.monotonic() - t:.0f} s)", flush=True)

    valid = len(muts) - counts["INVALID"]
    killed = counts["KILLED"] + counts["KILLED-COMPILE"]
    rate = f"{100.0 * killed / valid:.1f}%" if valid else "n/a, no valid mutation"
    print(f"\n{len(muts)} mutations: " + ", ".join(f"{counts[k]} {k}" for k in OUTCOMES))
    print(f"kill rate: {killed} of {valid} valid = {rate}")
    if a.keep or a.reuse:
        print(f"scratch copy kept in {scratch}")
    else:
        shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
