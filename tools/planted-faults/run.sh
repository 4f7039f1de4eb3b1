#!/usr/bin/env python3
# (Python 3, named .sh as the repository's other entry points.)
"""Plants the faults of faults.ini one at a time and tells which the tests catch.

For each fault: the find text is replaced in the source, the fault's test
programs are rebuilt in the build folder, and every ctest test that runs one of
them is run. The fault is "caught" when a test fails, "missed" when all pass,
"stale" when its find text does not occur exactly once (the code has changed:
update the fault), "broken" when it does not compile. The source is always
restored, also on Ctrl-C; a run killed outright is undone by the next one.

Exit status 0 when every fault chosen is caught, 1 otherwise; with --list,
0 when every fault chosen can be planted.

  tools/planted-faults/run.sh [--build-dir DIR] [--markdown FILE] [NAME ...]

NAME is a fault's name or a shell pattern (bios-*); without one, all run.
"""

import argparse
import configparser
import fnmatch
import json
import os
import pathlib
import re
import signal
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
TABLE = HERE / "faults.ini"


class Fault:
    def __init__(self, name, section):
        self.name = name
        self.what = section.get("what", "")
        self.file = section["file"]
        self.find = section["find"].replace("\\n", "\n").encode("utf-8")
        self.replace = section.get("replace", "").replace("\\n", "\n").encode("utf-8")
        tests = section["tests"].split()
        self.programs = [test for test in tests if not test.startswith("page:")]
        self.page_cases = [test[len("page:"):] for test in tests if test.startswith("page:")]
        self.expect = section.get("expect", "").split()


def load_faults():
    table = configparser.ConfigParser(interpolation=None, delimiters=("=",),
                                      comment_prefixes=("#",))
    table.optionxform = str
    table.read(TABLE, encoding="utf-8")
    return [Fault(name, table[name]) for name in table.sections()]


class Planting:
    """Replaces a file's text and puts the original back, whatever happens.

    The original also waits in the build folder until it is back, so that a
    run that was killed is undone by the next one."""

    def __init__(self, build):
        self.where = build / "planted-fault.file"
        self.original = build / "planted-fault.original"

    def undo_leftover(self):
        if self.where.exists():
            name = self.where.read_text(encoding="utf-8")
            (ROOT / name).write_bytes(self.original.read_bytes())
            self.where.unlink()
            self.original.unlink()
            print(f"put back {name}, left planted by a run that was stopped")

    def plant(self, fault, original):
        self.original.write_bytes(original)
        self.where.write_text(fault.file, encoding="utf-8")
        (ROOT / fault.file).write_bytes(original.replace(fault.find, fault.replace))

    def restore(self, fault, original):
        (ROOT / fault.file).write_bytes(original)
        self.where.unlink(missing_ok=True)
        self.original.unlink(missing_ok=True)


def stop_on_signals():
    def stop(number, _frame):
        raise KeyboardInterrupt(f"signal {number}")
    for number in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(number, stop)


def build(build_dir, targets, log):
    command = ["cmake", "--build", str(build_dir)]
    if targets:
        command += ["--target", *targets]
    return subprocess.run(command, stdout=log, stderr=subprocess.STDOUT).returncode == 0


def tests_of(build_dir, programs):
    """The ctest tests whose command runs one of the programs."""
    shown = subprocess.run(["ctest", "--test-dir", str(build_dir), "--show-only=json-v1"],
                           check=True, capture_output=True, text=True).stdout
    chosen = []
    for test in json.loads(shown)["tests"]:
        names = {pathlib.PurePath(part).stem for part in test.get("command", [])}
        if names & set(programs):
            chosen.append(test["name"])
    return chosen


def ctest_pattern(tests):
    """One -R pattern for the tests: their suites, where they have one (the
    whole suite of a test program runs), else their exact names."""
    parts = set()
    for name in tests:
        suite, point, _ = name.partition(".")
        parts.add(re.escape(suite) + r"\." if point else re.escape(name) + "$")
    return "^(" + "|".join(sorted(parts)) + ")"


def failed_tests(build_dir, tests, jobs, log):
    """Runs the tests; gives the names of those that failed."""
    with tempfile.TemporaryDirectory() as folder:
        junit = pathlib.Path(folder) / "results.xml"
        subprocess.run(["ctest", "--test-dir", str(build_dir), "-R", ctest_pattern(tests),
                        "-j", str(jobs), "--timeout", "300", "--output-on-failure",
                        "--output-junit", str(junit)],
                       stdout=log, stderr=subprocess.STDOUT)
        if not junit.exists():
            return ["(ctest gave no results)"]
        results = ElementTree.parse(junit).getroot()
        return sorted(case.get("name") for case in results.iter("testcase")
                      if case.get("status") == "fail" or case.find("failure") is not None)


def failed_page_cases(cases, log):
    """Runs the page's cases one by one; gives those that failed."""
    failed = []
    for case in cases:
        run = subprocess.run([str(ROOT / "tools/web-page-tests.sh"), case], cwd=ROOT,
                             stdout=log, stderr=subprocess.STDOUT)
        if run.returncode != 0:
            failed.append(f"page case {case}")
    return failed


def run_fault(fault, build_dir, planting, jobs, log):
    """Gives (outcome, detail)."""
    source = ROOT / fault.file
    original = source.read_bytes() if source.exists() else b""
    count = original.count(fault.find) if fault.find else 0
    if count != 1:
        return "stale", f"the find text occurs {count} times in {fault.file}"
    tests = tests_of(build_dir, fault.programs) if fault.programs else []
    if fault.programs and not tests:
        return "broken", "no ctest test runs " + " or ".join(fault.programs)
    try:
        planting.plant(fault, original)
        if fault.programs and not build(build_dir, fault.programs, log):
            return "broken", "does not compile"
        failed = failed_tests(build_dir, tests, jobs, log) if tests else []
        failed += failed_page_cases(fault.page_cases, log)
    finally:
        planting.restore(fault, original)
    return ("caught", ", ".join(failed)) if failed else ("missed", "")


def expected_failed(fault, detail):
    """False when the fault names the tests that catch it and none of them did."""
    return not fault.expect or any(fnmatch.fnmatchcase(name, pattern)
                                   for name in detail.split(", ") for pattern in fault.expect)


def markdown(results, faults):
    """The table of docs/testing.md."""
    lines = ["| fault | file | caught today by |", "| --- | --- | --- |"]
    for fault in faults:
        outcome, detail = results[fault.name]
        if outcome == "caught":
            cell = ", ".join(f"`{name}`" for name in detail.split(", "))
        else:
            cell = f"**{outcome}**" + (f" ({detail})" if detail else "")
        lines.append(f"| `{fault.name}`: {fault.what} | `{fault.file}` | {cell} |")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("names", nargs="*", help="faults to plant (names or patterns)")
    parser.add_argument("--build-dir", default=ROOT / "build", type=pathlib.Path,
                        help="a configured and built build folder (default: build)")
    parser.add_argument("--jobs", default=2, type=int, help="tests run at once (default 2)")
    parser.add_argument("--markdown", type=pathlib.Path, help="also write the results as a table")
    parser.add_argument("--list", action="store_true",
                        help="only tell which faults can be planted in the code as it is "
                             "(stale: the code has changed)")
    arguments = parser.parse_args()

    faults = load_faults()
    if arguments.names:
        faults = [fault for fault in faults
                  if any(fnmatch.fnmatchcase(fault.name, name) for name in arguments.names)]
    if arguments.list:
        stale = 0
        for fault in faults:
            source = ROOT / fault.file
            count = source.read_bytes().count(fault.find) if source.exists() else 0
            stale += count != 1
            print(f"{'ready' if count == 1 else 'stale':6} {fault.name}")
        return 1 if stale else 0

    build_dir = arguments.build_dir.resolve()
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    stop_on_signals()
    planting = Planting(build_dir)
    planting.undo_leftover()
    log_path = build_dir / "planted-faults.log"
    programs = sorted({program for fault in faults for program in fault.programs})
    results = {}
    with open(log_path, "w", encoding="utf-8") as log:
        # The tests must pass without a fault, or a failure would prove nothing.
        print("building and running the tests without a fault ...", flush=True)
        if not build(build_dir, [], log):
            print(f"the build fails without a fault: see {log_path}", file=sys.stderr)
            return 1
        failing = (failed_tests(build_dir, tests_of(build_dir, programs), arguments.jobs, log)
                   if programs else [])
        failing += failed_page_cases(sorted({case for fault in faults for case in fault.page_cases}),
                                     log)
        if failing:
            print("tests fail without a fault: " + ", ".join(failing), file=sys.stderr)
            return 1
        for fault in faults:
            print(f"{fault.name} ...", end=" ", flush=True)
            log.write(f"\n==== {fault.name}\n")
            log.flush()
            results[fault.name] = run_fault(fault, build_dir, planting, arguments.jobs, log)
            outcome, detail = results[fault.name]
            elsewhere = outcome == "caught" and not expected_failed(fault, detail)
            print(outcome + (f" ({detail})" if detail else "") +
                  (", but not by the tests it expects" if elsewhere else ""), flush=True)
        # The last fault's programs as the source is again.
        build(build_dir, [], log)
    if arguments.markdown:
        arguments.markdown.write_text(markdown(results, faults), encoding="utf-8")
    counts = {}
    for outcome, _ in results.values():
        counts[outcome] = counts.get(outcome, 0) + 1
    print(", ".join(f"{count} {outcome}" for outcome, count in sorted(counts.items())) +
          f" of {len(results)} faults; the build's output is in {log_path}")
    return 0 if counts.get("caught", 0) == len(results) else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        print("\nstopped; the source is as it was", file=sys.stderr)
        sys.exit(130)
