"""Real clients of the compilation database.

clang: converts the bundled example with "-cdb" and compiles every entry with clang
-fsyntax-only, with the entry's own arguments in the entry's own directory. Each entry must
compile, and must fail once its "-I" or its "-D" options are taken away, so that the check
notices when the database loses either.

escapes: converts a tree whose file names and defines hold quotes, backslashes, control
characters and bytes that are not UTF-8, and reads the database back with Python's strict
JSON parser: every text must come back as written, a byte that is not UTF-8 as the character
of its Latin-1 reading."""
import argparse
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path


def convert(kalvex, example, work):
    out = work / "out"
    out.mkdir()
    database = work / "db" / "compile_commands.json"
    database.parent.mkdir()
    run = subprocess.run([kalvex, str(example / "sensor_node.gpj"), str(out),
                          "-cp", str(example / "config" / "sn200.p_c"), "-ext", "c",
                          "-cdb", str(database)], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"Kalvex failed ({run.returncode}):\n{run.stdout}{run.stderr}")
    with open(database, encoding="utf-8") as f:
        entries = json.load(f)
    listed = project_files(out / "sensor_node.prj")
    if [entry["file"] for entry in entries] != listed:
        sys.exit(f"the database's files differ from the project file's:\n{entries}\n{listed}")
    return entries


def project_files(project):
    """The file lines of a project file, in order, spelled as POSIX spells them."""
    markers = ("VersionTag45", "StartProjectMarker", "EndContainedFilesMarker",
               "StartSubProjectMarker", "EndSubProjectMarker")
    lines = project.read_bytes().decode("utf-8").split("\r\n")[:-1]
    return [line.replace("\\", "/") for line in lines if line not in markers and "=" not in line]


def without(arguments, option):
    """The arguments without every pair of option and its value."""
    kept, skip = [], False
    for word in arguments:
        if skip:
            skip = False
        elif word == option:
            skip = True
        else:
            kept.append(word)
    return kept


def compiles(clang, entry, arguments):
    command = [clang, "-fsyntax-only", "-Werror", "-Wundef"] + arguments[1:]
    try:
        run = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    except FileNotFoundError:
        sys.exit(f"{clang} is not installed (Debian package clang)")
    return run.returncode == 0, run.stderr


def check(clang, entries):
    failures = []
    for entry in entries:
        ok, errors = compiles(clang, entry, entry["arguments"])
        if not ok:
            failures.append(f"{entry['file']} does not compile:\n{errors}")
        for option in ("-I", "-D"):
            if compiles(clang, entry, without(entry["arguments"], option))[0]:
                failures.append(f"{entry['file']} compiles without its {option} options")
    return failures


def check_escapes(kalvex):
    names = [b"caf\xe9.c", b"say \"hi\".c", b"tab\x01\x1f.c", b"\xc3\xa9t\xc3\xa9.c"]
    defines = [b'MSG="a\\b"', b"RAW=\xff\xfe"]
    with tempfile.TemporaryDirectory() as work:
        work = os.fsencode(work)
        os.mkdir(work + b"/out")
        for name in names:
            Path(os.fsdecode(work + b"/" + name)).write_bytes(b"")
        project = b"".join(name + b"\n" for name in names) + b"".join(b"-D" + d + b"\n" for d in defines)
        Path(os.fsdecode(work + b"/top.gpj")).write_bytes(project)
        database = work + b"/cc.json"
        run = subprocess.run([kalvex, work + b"/top.gpj", work + b"/out", b"-cdb", database], capture_output=True)
        if run.returncode != 0:
            sys.exit(f"Kalvex failed ({run.returncode}):\n{run.stdout!r}")
        with open(database, encoding="utf-8", errors="strict") as f:
            entries = json.load(f)
    root = read_as_kalvex_writes(work)
    failures = []
    for entry, name in zip(entries, names):
        file = root + "/" + read_as_kalvex_writes(name)
        arguments = ["cc"]
        for define in defines:
            arguments += ["-D", read_as_kalvex_writes(define)]
        expected = {"directory": root, "file": file, "arguments": arguments + ["-c", file]}
        if entry != expected:
            failures.append(f"{entry!r}\n  expected {expected!r}")
    if len(entries) != len(names):
        failures.append(f"{len(entries)} entries for {len(names)} files")
    return failures


def read_as_kalvex_writes(raw):
    """The text of raw: its valid UTF-8 sequences decoded, every other byte read as Latin-1."""
    escaped = raw.decode("utf-8", errors="surrogateescape")
    return "".join(chr(ord(c) - 0xDC00) if 0xDC80 <= ord(c) <= 0xDCFF else c for c in escaped)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("check", choices=["clang", "escapes"])
    parser.add_argument("--kalvex", required=True)
    parser.add_argument("--example", type=Path)
    parser.add_argument("--clang", default="clang")
    options = parser.parse_args()
    if options.check == "escapes":
        failures = check_escapes(options.kalvex)
        count = "the escapes"
    else:
        with tempfile.TemporaryDirectory() as work:
            entries = convert(options.kalvex, options.example, Path(work))
        if not entries:
            sys.exit("the database holds no entry")
        failures = check(options.clang, entries)
        count = f"{len(entries)} entries"
    for failure in failures:
        print(failure)
    print(f"{count} checked, {len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
