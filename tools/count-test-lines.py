#!/usr/bin/env python3
"""Counts the lines of code (src/, web/) and of tests (tests/), folder by folder, and their ratio.

Every language the project writes counts: C++, JavaScript, Python and shell.
A line counts when it is neither blank nor only comment: // and /* */ in C++
and JavaScript (read past strings, characters, raw strings, template strings
and regular expressions, so that 'image/*' is code), # in Python and shell.
Only files git tracks count. With --check the exit status is non-zero when
tests/ holds more than MAX_RATIO lines per line of code.
"""

import argparse
import pathlib
import re
import subprocess
import sys

MAX_RATIO = 0.35
C_LIKE = re.compile(r"\.(cpp|cc|h|hpp|js|mjs)$")
HASH_COMMENTED = re.compile(r"\.(py|sh)$")
# After one of these (or at the start), a / in JavaScript opens a regular expression.
REGEX_FOLLOWS = set("(,=:[!&|?{};+-*%<>~^") | {""}
REGEX_KEYWORDS = ("return", "typeof", "case", "in", "of", "void", "delete")


class CodeLines:
    """Marks the lines of a C++ or JavaScript text that hold code."""

    def __init__(self, text, javascript):
        self.text, self.javascript = text, javascript
        self.line, self.code_lines = 0, set()
        self.position = 0
        self.previous = ""  # the last code character before the position, or a word

    def mark(self, start, end):
        """Marks the lines from start up to end as code."""
        first = self.line
        self.line += self.text.count("\n", start, end)
        self.code_lines.update(range(first, self.line + 1))

    def skip(self, start, end):
        self.line += self.text.count("\n", start, end)

    def closing(self, start, quote):
        """The position after the quote that closes a string opened before start."""
        index = start
        while index < len(self.text):
            char = self.text[index]
            if char == "\\":
                index += 2
                continue
            if char == quote or (char == "\n" and quote != "`"):
                return index + 1
            index += 1
        return len(self.text)

    def regex_end(self, start):
        index, in_class = start, False
        while index < len(self.text) and self.text[index] != "\n":
            char = self.text[index]
            if char == "\\":
                index += 1
            elif char == "[":
                in_class = True
            elif char == "]":
                in_class = False
            elif char == "/" and not in_class:
                return index + 1
            index += 1
        return index

    def template_end(self, start):
        """The end of a template string opened before start, ${...} parts read as code."""
        index = start
        while index < len(self.text):
            char = self.text[index]
            if char == "\\":
                index += 2
            elif char == "`":
                return index + 1
            elif self.text.startswith("${", index):
                index = self.code_until_brace(index + 2)
            else:
                index += 1
        return len(self.text)

    def code_until_brace(self, start):
        depth, index = 0, start
        while index < len(self.text):
            char = self.text[index]
            if char in "'\"":
                index = self.closing(index + 1, char)
            elif char == "`":
                index = self.template_end(index + 1)
            elif char == "{":
                depth += 1
                index += 1
            elif char == "}":
                if depth == 0:
                    return index + 1
                depth -= 1
                index += 1
            else:
                index += 1
        return index

    def raw_string_end(self, start):
        """The end of a C++ raw string whose R" ends before start."""
        opening = self.text.find("(", start)
        if opening < 0:
            return len(self.text)
        delimiter = ")" + self.text[start:opening] + '"'
        end = self.text.find(delimiter, opening)
        return len(self.text) if end < 0 else end + len(delimiter)

    def regex_may_start(self):
        return self.previous in REGEX_FOLLOWS or self.previous in REGEX_KEYWORDS

    def lines(self):
        text, index = self.text, 0
        while index < len(text):
            char = text[index]
            if text.startswith("//", index):
                end = text.find("\n", index)
                index = len(text) if end < 0 else end
            elif text.startswith("/*", index):
                end = text.find("*/", index + 2)
                end = len(text) if end < 0 else end + 2
                self.skip(index, end)
                index = end
            elif char == "\n":
                self.line += 1
                index += 1
            elif char.isspace():
                index += 1
            else:
                end = self.token_end(index)
                self.mark(index, end)
                index = end
        return len(self.code_lines)

    def token_end(self, index):
        text, char = self.text, self.text[index]
        if char in "'\"":
            end = self.closing(index + 1, char)
            self.previous = char
        elif char == "`" and self.javascript:
            end = self.template_end(index + 1)
            self.previous = char
        elif char == "/" and self.javascript and self.regex_may_start():
            end = self.regex_end(index + 1)
            self.previous = "/regex"
        elif not self.javascript and re.match(r'(u8|u|U|L)?R"', text[index:index + 4]):
            end = self.raw_string_end(text.index('"', index) + 1)
            self.previous = '"'
        elif char.isalnum() or char == "_" or char == "$":
            word = re.match(r"[\w$]+", text[index:])
            end = index + word.end()
            self.previous = word.group(0)
        else:
            end = index + 1
            self.previous = char
        return end


def counted_lines(name, text):
    if HASH_COMMENTED.search(name):
        return sum(1 for line in text.split("\n")
                   if line.strip() and not line.strip().startswith("#"))
    return CodeLines(text, name.endswith(("js", "mjs"))).lines()


def count_tree(root, top, prefix=""):
    """Returns {prefix + folder below top: lines} for the files git tracks under top."""
    listing = subprocess.run(["git", "-C", str(root), "ls-files", "-z", "--", top],
                             check=True, capture_output=True, text=True).stdout
    folders = {}
    for name in listing.split("\0"):
        path = root / name
        if (C_LIKE.search(name) or HASH_COMMENTED.search(name)) and path.is_file():
            folder = prefix + str(pathlib.PurePosixPath(name).parent.relative_to(top))
            text = path.read_text(encoding="utf-8", errors="replace")
            folders[folder] = folders.get(folder, 0) + counted_lines(name, text)
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
