#!/usr/bin/env python3
"""Planted faults, one at a time: apply, build one test target, run its tests, revert.

Each entry of the list (tools/mutations.txt unless --list says otherwise) names a source file,
an exact text that occurs once in it, what it becomes, the test program to build and the tests
to run. A fault is caught when the tests fail (or time out) with it in place, missed when they
pass; one that does not build says nothing about the tests and is reported as such. An entry
marked "expect: equivalent" is a change no test can tell apart, with its reason in "why:".

Matching is by text, not by line number, so the list survives other edits; "check" tells which
entries no longer apply (their text is not found exactly once).

  tools/mutate.py check                  every entry still applies
  tools/mutate.py list                   the entries
  tools/mutate.py run [ID-or-glob ...]   plant, build, test, revert; all entries by default
  tools/mutate.py run --markdown ...     also print the results as a Markdown table
  tools/mutate.py run --whole-target --without '*Edges*'
                                         the whole test program, some tests left out

The original file is written back whatever happens: after each fault, on Ctrl+C, on SIGTERM or
SIGHUP, and on an exception. A journal in the build folder holds the original bytes while a
fault is planted, so even a run that was killed outright is undone by the next start of this
script (or by "tools/mutate.py restore"). One run at a time may use a build folder.

Build only the target an entry names, so a fault costs seconds; the tree is rebuilt as usual
afterwards, since every planted and reverted file is newer than what was built from it.

List format: entries start with "== ID"; then "key: value" lines. "find:" and "replace:" may be
repeated, and their lines are joined with newlines (for a text that spans lines). Blank lines
and lines starting with "#" outside the values are ignored.

  == queue-count-off-by-one
  file: src/host/receivequeues.cpp
  kind: off-by-one
  find: >= kMaxQueuedPerConnection
  replace: > kMaxQueuedPerConnection
  target: test_host
  filter: *QueueCap*            (a gtest filter for build/tests/TARGET; or "ctest: REGEX")
  why: optional note; required with "expect: equivalent"
"""

import argparse
import base64
import fcntl
import fnmatch
import json
import os
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_LIST = ROOT / "tools" / "mutations.txt"
MULTI_KEYS = {"find", "replace"}
KNOWN_KEYS = {"file", "kind", "find", "replace", "target", "filter", "ctest", "why", "expect"}


@dataclass
class Entry:
    ident: str
    line: int
    values: dict = field(default_factory=dict)

    def get(self, key, default=""):
        value = self.values.get(key, default)
        return "\n".join(value) if isinstance(value, list) else value


def parse_list(path):
    entries = []
    current = None
    errors = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if raw.startswith("== "):
            current = Entry(raw[3:].strip(), number)
            entries.append(current)
            continue
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        if current is None:
            errors.append(f"{path.name}:{number}: text before the first entry")
            continue
        key, sep, value = raw.partition(":")
        key = key.strip()
        if not sep or key not in KNOWN_KEYS:
            errors.append(f"{path.name}:{number}: unknown line {raw!r}")
            continue
        # One blank after the colon belongs to the syntax; the rest is the value as written.
        value = value[1:] if value.startswith(" ") else value
        if key in MULTI_KEYS:
            current.values.setdefault(key, []).append(value)
        elif key in current.values:
            errors.append(f"{path.name}:{number}: {key} given twice in {current.ident}")
        else:
            current.values[key] = value
    seen = set()
    for e in entries:
        if e.ident in seen:
            errors.append(f"{path.name}:{e.line}: the id {e.ident} is used twice")
        seen.add(e.ident)
        for key in ("file", "find", "replace", "target"):
            if key not in e.values:
                errors.append(f"{path.name}:{e.line}: {e.ident} has no {key}")
        if ("filter" in e.values) == ("ctest" in e.values):
            errors.append(f"{path.name}:{e.line}: {e.ident} needs one of filter or ctest")
        if e.get("expect") not in ("", "equivalent"):
            errors.append(f"{path.name}:{e.line}: {e.ident}: expect must be 'equivalent'")
        if e.get("expect") == "equivalent" and not e.get("why"):
            errors.append(f"{path.name}:{e.line}: {e.ident}: an equivalent fault needs a why")
    return entries, errors


def applies(entry):
    """None when the entry applies, else why not."""
    path = ROOT / entry.get("file")
    if not path.is_file():
        return "no such file"
    text = path.read_text(encoding="utf-8", errors="surrogateescape")
    found = text.count(entry.get("find"))
    if found != 1:
        return f"text found {found} times"
    if entry.get("find") == entry.get("replace"):
        return "the replacement changes nothing"
    return None


# --- Planting and reverting with certainty --------------------------------------------------


class Planted:
    """One fault in one file; the original goes back on exit from the with-block, and a journal
    keeps it meanwhile for a run that dies without reaching the end of the block."""

    def __init__(self, path, original, journal):
        self.path = path
        self.original = original
        self.journal = journal

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        restore_file(self.path, self.original)
        try:
            self.journal.unlink()
        except FileNotFoundError:
            pass
        return False


def restore_file(path, original):
    tmp = path.with_name(path.name + ".mutate-restore")
    tmp.write_bytes(original)
    os.replace(tmp, path)


def plant(entry, journal):
    path = ROOT / entry.get("file")
    original = path.read_bytes()
    text = original.decode("utf-8", errors="surrogateescape")
    mutant = text.replace(entry.get("find"), entry.get("replace"), 1)
    journal.parent.mkdir(parents=True, exist_ok=True)
    journal.write_text(json.dumps({"path": str(path),
                                   "original": base64.b64encode(original).decode()}))
    planted = Planted(path, original, journal)
    tmp = path.with_name(path.name + ".mutate-tmp")
    tmp.write_bytes(mutant.encode("utf-8", errors="surrogateescape"))
    os.replace(tmp, path)
    return planted


def recover(journal):
    """Puts back a file that a killed run left planted. True when there was one."""
    if not journal.exists():
        return False
    data = json.loads(journal.read_text())
    path = Path(data["path"])
    restore_file(path, base64.b64decode(data["original"]))
    journal.unlink()
    print(f"restored {path.relative_to(ROOT)} from an interrupted run", file=sys.stderr)
    return True


def raise_on_signal(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


# --- Building and testing ---------------------------------------------------------------------


def run_quiet(cmd, cwd, timeout):
    start = time.monotonic()
    try:
        done = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, env=test_env())
        return done.returncode, done.stdout.decode(errors="replace"), time.monotonic() - start
    except subprocess.TimeoutExpired as e:
        out = (e.stdout or b"").decode(errors="replace")
        return None, out, time.monotonic() - start


def test_env():
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    return env


def build(build_dir, target, jobs, timeout):
    return run_quiet(["cmake", "--build", str(build_dir), "-j", str(jobs), "--target", target],
                     ROOT, timeout)


def test(entry, build_dir, timeout):
    if entry.get("ctest"):
        return run_quiet(["ctest", "-R", entry.get("ctest"), "--output-on-failure",
                          "--stop-on-failure"], build_dir, timeout)
    binary = build_dir / "tests" / entry.get("target")
    return run_quiet([str(binary), "--gtest_filter=" + gtest_filter(entry, args_global),
                      "--gtest_brief=1"], build_dir, timeout)


def gtest_filter(entry, args):
    """The entry's filter, or with --whole-target every test of the program; --without then
    leaves some out (e.g. "*Edges*" to see what the tests before them caught)."""
    positive = "*" if args.whole_target else entry.get("filter")
    if not args.without:
        return positive
    return positive + "-" + args.without


def failed_tests(output):
    names = []
    for line in output.splitlines():
        if line.startswith("[  FAILED  ] "):
            name = line[len("[  FAILED  ] "):].split(" ")[0].rstrip(",")
            if name and not name[0].isdigit() and name not in names:
                names.append(name)
        elif "***Failed" in line or "***Timeout" in line:
            parts = line.split()
            if len(parts) > 3 and parts[3] not in names:
                names.append(parts[3])
    return names


def ran_no_test(output):
    return "0 tests from 0 test suites ran" in output or "No tests were found" in output


args_global = None


def run_entries(entries, args):
    global args_global
    args_global = args
    build_dir = (ROOT / args.build_dir).resolve()
    journal = build_dir / ".mutate-journal.json"
    recover(journal)
    # Also when started in the background, where the shell has SIGINT ignored.
    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, raise_on_signal)
    results = []
    for entry in entries:
        why_not = applies(entry)
        if why_not:
            results.append((entry, "stale", why_not, 0.0))
            print(f"{entry.ident:40} STALE ({why_not})", flush=True)
            continue
        with plant(entry, journal):
            code, out, build_time = build(build_dir, entry.get("target"), args.jobs,
                                          args.build_timeout)
            if code != 0:
                errors = [l for l in out.splitlines() if "error" in l] or out.splitlines()[-1:]
                verdict, detail, took = "no-build", (errors or [""])[0].strip()[:160], 0.0
            else:
                code, out, took = test(entry, build_dir, args.test_timeout)
                if ran_no_test(out):
                    verdict, detail = "no-tests", "the filter matches no test"
                elif code is None:
                    verdict, detail = "caught", "time-out"
                elif code != 0:
                    verdict, detail = "caught", " ".join(failed_tests(out)[:3]) or f"exit {code}"
                else:
                    verdict = "equivalent" if entry.get("expect") == "equivalent" else "missed"
                    detail = entry.get("why")
        results.append((entry, verdict, detail, took))
        print(f"{entry.ident:40} {verdict.upper():10} {detail}  "
              f"[build {build_time:.0f} s, tests {took:.1f} s]", flush=True)
    return results


def summary(results, markdown):
    counted = [r for r in results if r[1] in ("caught", "missed", "equivalent")]
    caught = sum(1 for r in counted if r[1] == "caught")
    equivalent = sum(1 for r in counted if r[1] == "equivalent")
    missed = sum(1 for r in counted if r[1] == "missed")
    print()
    print(f"caught {caught}, missed {missed}, equivalent {equivalent}, "
          f"not run {len(results) - len(counted)}; "
          f"caught {caught} of {caught + missed} that a test can tell apart")
    if markdown:
        print()
        print("| id | file | change | kind | verdict | by / why |")
        print("|---|---|---|---|---|---|")
        for entry, verdict, detail, _ in results:
            change = f"`{entry.get('find')}` → `{entry.get('replace')}`".replace("\n", "⏎")
            change = change.replace("|", "\\|")
            print(f"| {entry.ident} | {entry.get('file')} | {change} | {entry.get('kind')} | "
                  f"{verdict} | {str(detail).replace('|', '/')} |")
    return 0 if missed == 0 and len(counted) == len(results) else 1


def lock(build_dir):
    """One run at a time per build folder: two would plant faults over each other's."""
    build_dir.mkdir(parents=True, exist_ok=True)
    handle = open(build_dir / ".mutate-lock", "w")
    try:
        fcntl.flock(handle, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except BlockingIOError:
        sys.exit(f"another mutate.py is running on {build_dir}")
    return handle


def select(entries, patterns):
    if not patterns:
        return entries
    chosen = [e for e in entries if any(fnmatch.fnmatchcase(e.ident, p) for p in patterns)]
    if not chosen:
        sys.exit(f"no entry matches {' '.join(patterns)}")
    return chosen


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("mode", choices=["check", "list", "run", "restore"])
    parser.add_argument("ids", nargs="*", help="entry ids or glob patterns (run, list)")
    parser.add_argument("--list", type=Path, default=DEFAULT_LIST, dest="list_file")
    parser.add_argument("--build-dir", default="build")
    parser.add_argument("-j", "--jobs", type=int, default=2)
    parser.add_argument("--build-timeout", type=int, default=900)
    parser.add_argument("--test-timeout", type=int, default=300)
    parser.add_argument("--markdown", action="store_true")
    parser.add_argument("--whole-target", action="store_true",
                        help="run every test of the target instead of the entry's filter")
    parser.add_argument("--without", default="",
                        help="gtest patterns to leave out, joined with ':' (gtest entries only)")
    args = parser.parse_intermixed_args()

    build_dir = (ROOT / args.build_dir).resolve()
    if args.mode in ("run", "restore"):
        held = lock(build_dir)  # kept open, so locked, until the process ends
    if args.mode == "restore":
        found = recover(build_dir / ".mutate-journal.json")
        print("restored" if found else "nothing to restore")
        return 0

    entries, errors = parse_list(args.list_file)
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        return 2
    entries = select(entries, args.ids)

    if args.mode == "list":
        for e in entries:
            print(f"{e.ident:40} {e.get('kind'):14} {e.get('file')}")
        return 0
    if args.mode == "check":
        stale = 0
        for e in entries:
            why_not = applies(e)
            if why_not:
                stale += 1
                print(f"STALE {e.ident}: {e.get('file')}: {why_not}")
        print(f"{len(entries) - stale} of {len(entries)} entries apply")
        return 1 if stale else 0
    try:
        results = run_entries(entries, args)
    except KeyboardInterrupt:
        print("\ninterrupted; the planted fault has been reverted", file=sys.stderr)
        return 130
    return summary(results, args.markdown)


if __name__ == "__main__":
    sys.exit(main())
