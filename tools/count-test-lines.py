#!/usr/bin/env python3
"""Counts the lines of code (src/, web/) and of tests (tests/), folder by folder, and their ratio.

C++ and JavaScript count. A line counts when it is neither blank nor a comment: /* */ blocks are
removed first (their newlines kept), then lines that are empty or start with
// after stripping are left out. Only files git tracks count. With --check
the exit status is non-zero when tests/ holds more than MAX_RATIO lines per
line of code.
"""

import argparse
import pathlib
import re
import subprocess
import sys

MAX_RATIO = 0.35
SOURCE = re.compile(r"\.(cpp|cc|h|hpp|js|mjs)$")
BLOCK_COMMENT = re.compile(r"/\*.*?\*/", re.DOTALL)


def counted_lines(text):
    text = BLOCK_COMMENT.sub(lambda block: "\n" * block.group(0).count("\n"), text)
    return sum(1 for line in text.split("\n")
               if line.strip() and not line.strip().startswith("//"))


def count_tree(root, top, prefix=""):
    """Returns {prefix + folder below top: lines} for the files git tracks under top."""
    listing = subprocess.run(["git", "-C", str(root), "ls-files", "-z", "--", top],
                             check=True, capture_output=True, text=True).stdout
    folders = {}
    for name in filter(SOURCE.search, listing.split("\0")):
        path = root / name
        if path.is_file():
            folder = prefix + str(pathlib.PurePosixPath(name).parent.relative_to(top))
            text = path.read_text(encoding="utf-8", errors="replace")
            folders[folder] = folders.get(folder, 0) + counted_lines(text)
    return folders


def ratio_text(tests, src):
    return f"{tests / src:.2f}" if src else "-"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help=f"exit non-zero when the ratio is above {MAX_RATIO}")
    arguments = parser.parse_args()
    root = pathlib.Path(__file__).resolve().parent.parent

    # The page's code is in web/; its tests are in tests/web.
    src = count_tree(root, "src") | count_tree(root, "web", "web/")
    tests = count_tree(root, "tests")
    print(f"{'code':>7}  {'tests/':>7}  {'ratio':>5}  folder")
    for folder in sorted(set(src) | set(tests)):
        lines, tested = src.get(folder, 0), tests.get(folder, 0)
        print(f"{lines:7d}  {tested:7d}  {ratio_text(tested, lines):>5}  {folder}")
    total_src, total_tests = sum(src.values()), sum(tests.values())
    ratio = total_tests / total_src if total_src else float("inf")
    print(f"{total_src:7d}  {total_tests:7d}  {ratio:5.3f}  in all (at most {MAX_RATIO})")
    if arguments.check and ratio > MAX_RATIO:
        print(f"tests/ has {ratio:.3f} lines per line of code, more than {MAX_RATIO}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
