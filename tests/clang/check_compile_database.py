"""A real client of the compilation database: converts the bundled example with "-cdb" and
compiles every entry with clang -fsyntax-only, with the entry's own arguments in the entry's
own directory. Each entry must compile, and must fail once its "-I" or its "-D" options are
taken away, so that the check notices when the database loses either."""
import argparse
import json
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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kalvex", required=True)
    parser.add_argument("--example", required=True, type=Path)
    parser.add_argument("--clang", default="clang")
    options = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        entries = convert(options.kalvex, options.example, Path(work))
    if not entries:
        sys.exit("the database holds no entry")
    failures = check(options.clang, entries)
    for failure in failures:
        print(failure)
    print(f"{len(entries)} entries checked, {len(failures)} failures")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
