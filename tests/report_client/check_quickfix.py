#!/usr/bin/env python3
"""A real reader of Kalvex's report: Vim's quickfix list, headless. Kalvex converts a small tree
with findings of many kinds; Vim reads the report with :cfile, and every finding must come out
as a valid entry at its file, line and column, with its text, in the report's order; :clist
must list each of them. Exits with 77 (reported as skipped) when there is no Vim.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
FINDING = re.compile(r"^(.*?):(\d+):(\d+): (.*)$")

TOP = """#!gbuild
[Project]
\t-UNDEBUG
\t-I$(BSP_DIR)/inc
\t:optionsFile=absent.opt
main.c
\t-DONLY_MAIN
missing.c
{config(DBG)} -DDBG
{streq(a,b)} skipped.c
link.con
sub dir/lib.gpj\t[Library]
{optional} absent/absent.gpj
"""
FILES = {"top.gpj": TOP, "main.c": "int x;\n", "sub dir/lib.gpj": "\n\t  gone.c\n"}


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as handle:
        handle.write(text)


def quickfix(vim, report, listing, entries):
    """Loads the report into Vim's quickfix list and writes :clist and every entry out."""
    entry = "e.valid . '|' . fnamemodify(bufname(e.bufnr), ':p') . '|' . e.lnum . '|' . e.col . '|' . e.text"
    commands = ["cfile " + report, "redir! > " + listing, "silent clist", "redir END",
                "call writefile(map(getqflist(), {_, e -> " + entry + "}), '" + entries + "')", "qa!"]
    arguments = [vim, "-es", "-N", "-u", "NONE", "-i", "NONE"]
    for command in commands:
        arguments += ["-c", command]
    subprocess.run(arguments, stdin=subprocess.DEVNULL, cwd=os.path.dirname(listing), timeout=60)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--vim", default="vim")
    arguments = parser.parse_args()
    vim = shutil.which(arguments.vim)
    if vim is None:
        print("SKIPPED: no Vim")
        return SKIP
    root = os.path.realpath(tempfile.mkdtemp(prefix="kreport_"))
    try:
        for name, text in FILES.items():
            write(os.path.join(root, "w", name), text)
        write(os.path.join(root, "cfg.p_c"), "")
        os.makedirs(os.path.join(root, "out"))
        report = os.path.join(root, "out", "top.report.txt")
        subprocess.run([arguments.binary, os.path.join(root, "w", "top.gpj"), os.path.join(root, "out"), "-cp",
                        os.path.join(root, "cfg.p_c"), "-report", report], stdout=subprocess.DEVNULL, check=True)
        with open(report) as handle:
            lines = handle.read().splitlines()
        expected = [FINDING.match(line).groups() for line in lines[:-1]]
        listing, entries = os.path.join(root, "clist.txt"), os.path.join(root, "entries.txt")
        quickfix(vim, report, listing, entries)
        with open(entries) as handle:
            got = [line.split("|", 4) for line in handle.read().splitlines()]
        with open(listing) as handle:
            listed = handle.read()
        failures = []
        valid = [entry[1:] for entry in got if entry[0] == "1"]
        wanted = [[path, line, column, text] for path, line, column, text in expected]
        if [[p, l, c, t.strip()] for p, l, c, t in valid] != wanted:
            failures.append("quickfix entries differ:\n  %s\nexpected:\n  %s" % (valid, wanted))
        for number, (path, line, column, text) in enumerate(expected, 1):
            if not os.path.isfile(path):
                failures.append("not a file: " + path)
            # :clist names files relative to Vim's working directory, the root.
            shown = "%d %s:%s col %s: %s" % (number, os.path.relpath(path, root), line, column, text)
            if shown not in listed:
                failures.append(":clist does not list: " + shown)
        kinds = sorted({re.search(r"\[([a-z-]+)\]$", text).group(1) for *_, text in expected})
        print("%d findings of %d kinds (%s) read by Vim, %d failures" %
              (len(expected), len(kinds), ", ".join(kinds), len(failures)))
        for failure in failures:
            print(failure)
        return 1 if failures or len(kinds) < 9 else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
