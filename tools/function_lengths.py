#!/usr/bin/env python3
"""Lists C++ functions longer than a limit, counted from the line of their
opening brace to the line of their closing brace. Data tables (a brace after
'=') and class, namespace and enum bodies are not functions; lambdas count as
part of the function around them.

    tools/function_lengths.py [--limit 60] [PATH...]

Without paths it reads every .cpp and .h of the project outside tests/ and
build/. Exits 1 when it lists anything."""

import argparse
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SKIPPED = {"build", "tests", ".git"}


def strip_code(text):
    """The text with comments, strings and character literals blanked, lines kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
            i = end
        elif c == '"' and re.search(r'R$', text[max(0, i - 3):i]) and text[i - 1] == "R":
            close = text.find("(", i)
            delimiter = text[i + 1:close]
            end = text.find(")" + delimiter + '"', close) + len(delimiter) + 2
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + " " * (j - i - 1) + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def kind_of(head):
    """What a brace opens, judged by the code since the previous ; { or }."""
    head = " ".join(head.split())
    if re.search(r"\bnamespace\b", head) or head.startswith('extern "'):
        return "scope"
    if re.search(r"\b(class|struct|union|enum)\b[^()]*$", head):
        return "scope"
    if re.search(r"=\s*$", head) or re.search(r"[\[,(]\s*$", head) or head == "":
        return "data"
    if ")" in head:
        return "function"
    return "data"


def long_functions(path, limit):
    with open(path, encoding="utf-8", errors="replace") as source:
        code = strip_code(source.read())
    stack = []  # (kind, line)
    head_start = 0
    found = []
    line = 1
    for i, c in enumerate(code):
        if c == "\n":
            line += 1
        elif c in ";":
            head_start = i + 1
        elif c == "{":
            inside_function = any(k == "function" for k, _ in stack)
            kind = "block" if inside_function else kind_of(code[head_start:i])
            stack.append((kind, line))
            head_start = i + 1
        elif c == "}":
            if stack:
                kind, start = stack.pop()
                if kind == "function" and line - start + 1 > limit:
                    found.append((start, line - start + 1))
            head_start = i + 1
    return found


def sources(paths):
    if paths:
        for path in paths:
            yield path
        return
    for folder, subfolders, files in os.walk(ROOT):
        subfolders[:] = [s for s in subfolders if not (folder == ROOT and s in SKIPPED) and not s.startswith(".")]
        for name in sorted(files):
            if name.endswith((".cpp", ".h")):
                yield os.path.join(folder, name)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--limit", type=int, default=60)
    parser.add_argument("paths", nargs="*")
    options = parser.parse_args()
    listed = False
    for path in sources(options.paths):
        for start, length in long_functions(path, options.limit):
            print(f"{os.path.relpath(path, ROOT)}:{start}: {length} lines")
            listed = True
    return 1 if listed else 0


if __name__ == "__main__":
    sys.exit(main())
