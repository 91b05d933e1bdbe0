#!/usr/bin/env python3
"""Converts the project tree that CMake's "Green Hills MULTI" generator writes for a small CMake
project, and checks that every source file lands in the .prj file with the include
directories and defines of its target in the group's analyser personality; that the
compilation database gives the sources with options of their own those options, after their
target's, and no other source; and that the report tells of each such option line.

Nothing is compiled: the generator is given a throw-away toolset folder whose programs do
nothing. Exits with 77 (reported as skipped) when the generator cannot be run here.
"""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77

PROJECT = """cmake_minimum_required(VERSION 3.25)
project(demo C CXX)
add_library(drv STATIC drv/uart.c drv/spi.cpp drv/include/uart.h)
set_target_properties(drv PROPERTIES GHS_NO_SOURCE_GROUP_FILE ON)
target_include_directories(drv PUBLIC drv/include)
target_compile_definitions(drv PUBLIC BAUD=9600 PRIVATE DRV_INTERNAL)
add_executable(app app/main.cpp app/util.c "app/sub dir/extra.c")
target_link_libraries(app PRIVATE drv)
target_include_directories(app PRIVATE "app/inc dir")
target_compile_definitions(app PRIVATE APP_NAME=demo FEATURE_X)
set_source_files_properties(app/util.c PROPERTIES LANGUAGE CXX)
set_source_files_properties(drv/spi.cpp PROPERTIES COMPILE_DEFINITIONS SPI_FAST
                            INCLUDE_DIRECTORIES ${CMAKE_CURRENT_SOURCE_DIR}/drv/spi_inc)
set_source_files_properties(drv/uart.c PROPERTIES COMPILE_OPTIONS -UUART_DEBUG)
"""

# Source file, relative to the project, and what its group's personality must hold. The
# generator writes a file compiled as another language with a type tag ("util.c [CXX]"), and
# a file's own options on the lines after it, which then hold for its whole group. For drv it
# writes its source groups as "{comment} Header Files" lines in place of sub-project files,
# and lists the header, which is no source.
DRV = ({"drv/include"}, {"BAUD=9600", "DRV_INTERNAL"})
SPI = ({"drv/include", "drv/spi_inc"}, {"BAUD=9600", "DRV_INTERNAL", "SPI_FAST"})
APP = ({"app/inc dir", "drv/include"}, {"APP_NAME=demo", "BAUD=9600", "FEATURE_X"})
EXPECTED = {"drv/uart.c": DRV, "drv/spi.cpp": SPI, "app/main.cpp": APP, "app/util.c": APP, "app/sub dir/extra.c": APP}


def system(path):
    return path.replace("/", "\\")


def host(path):
    return path.replace("\\", "/")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as handle:
        handle.write(text)


def fakeToolset(root):
    """A toolset folder with the programs the generator looks for, each doing nothing."""
    folder = os.path.join(root, "tools", "comp_2024")
    for program in ("gbuild", "ccarm", "cxarm"):
        write(os.path.join(folder, program), "#!/bin/sh\nexit 0\n")
        os.chmod(os.path.join(folder, program), 0o755)
    return folder


def generate(cmake, root):
    """The top project file written by the generator, or None when it cannot run here."""
    source = os.path.join(root, "proj")
    write(os.path.join(source, "CMakeLists.txt"), PROJECT)
    for relative in list(EXPECTED) + ["drv/include/uart.h"]:
        write(os.path.join(source, relative), "int x;\n")
    toolset = fakeToolset(root)
    build = os.path.join(root, "build")
    try:
        done = subprocess.run([cmake, "-S", source, "-B", build, "-G", "Green Hills MULTI",
                               "-DGHS_TOOLSET_ROOT=" + os.path.dirname(toolset),
                               "-DCMAKE_C_COMPILER=" + os.path.join(toolset, "ccarm"),
                               "-DCMAKE_CXX_COMPILER=" + os.path.join(toolset, "cxarm")],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    except OSError as error:
        print(error)
        return None
    top = os.path.join(build, "demo.top.gpj")
    if done.returncode != 0 or not os.path.isfile(top):
        print(done.stdout.decode(errors="replace"))
        return None
    return top


def groupsOf(prj):
    """(analyser personality, [files]) of every group block of a .prj file."""
    groups, current = [], None
    for line in prj.split("\r\n"):
        if line == "StartProjectMarker":
            current = [None, []]
            groups.append(current)
        elif current is None or line in ("EndContainedFilesMarker", ""):
            current = None if line == "EndContainedFilesMarker" else current
        elif line.startswith("AnalPers="):
            current[0] = line[len("AnalPers="):]
        elif not line.startswith(("FolderName=", "SourcePath=", "OutputPath=", "SubsPers=", "CompPers=")):
            current[1].append(line)
    return groups


def personality(path):
    includes, defines = set(), set()
    with open(host(path), newline="") as handle:
        for line in handle.read().split("\r\n"):
            if line.startswith('-i "'):
                includes.add(line[4:-1])
            elif line.startswith('-d "'):
                defines.add(line[4:-1])
    return includes, defines


def check(prj, projectDir):
    failures, seen = [], set()
    wanted = {system(os.path.join(projectDir, relative)): relative for relative in EXPECTED}
    for analyser, files in groupsOf(prj):
        for path in files:
            if path not in wanted:
                failures.append("not a source of the project: " + path)
                continue
            seen.add(path)
            includes, defines = personality(analyser)
            expectedIncludes, expectedDefines = EXPECTED[wanted[path]]
            for directory in expectedIncludes:
                if system(os.path.join(projectDir, directory)) not in includes:
                    failures.append("%s: include %s missing from %s" % (path, directory, analyser))
            for define in expectedDefines - defines:
                failures.append("%s: define %s missing from %s" % (path, define, analyser))
    failures += ["never listed: " + path for path in sorted(set(wanted) - seen)]
    return failures


# The options that a source's own lines give it in the compilation database, in line order.
OWN = {"drv/spi.cpp": ["-I", "drv/spi_inc", "-D", "SPI_FAST"], "drv/uart.c": ["-U", "UART_DEBUG"]}


def ownArguments(relative, projectDir):
    options = OWN.get(relative, [])
    return [argument for option, value in zip(options[::2], options[1::2])
            for argument in (option, os.path.join(projectDir, value) if option == "-I" else value)]


def splitOwn(own):
    """A file's own options: its -I pairs, which stand before the group's, and the rest, last."""
    pairs = list(zip(own[::2], own[1::2]))
    return ([a for pair in pairs if pair[0] == "-I" for a in pair],
            [a for pair in pairs if pair[0] != "-I" for a in pair])


def checkDatabase(database, projectDir):
    """Each entry holds the compiler's folders, its own -I folders, its target's folders and
    defines, then its own other options, then -c."""
    failures, seen = [], set()
    owned = [os.path.join(projectDir, "drv/spi_inc"), "SPI_FAST", "UART_DEBUG"]
    for entry in database:
        relative = os.path.relpath(entry["file"], projectDir)
        if relative not in EXPECTED:
            continue
        seen.add(relative)
        arguments = entry["arguments"]
        ownIncludes, ownRest = splitOwn(ownArguments(relative, projectDir))
        groupEnd = len(arguments) - 2 - len(ownRest)
        if arguments[groupEnd:] != ownRest + ["-c", entry["file"]]:
            failures.append("%s: ends in %s, not in its own options %s and -c" % (relative, arguments[groupEnd:], ownRest))
        body = arguments[1:groupEnd]
        start = next((i for i in range(len(body)) if body[i:i + len(ownIncludes)] == ownIncludes), None)
        if ownIncludes and start is None:
            failures.append("%s: its own include options %s are missing" % (relative, ownIncludes))
            start = 0
        groupPart = body[start + len(ownIncludes):] if ownIncludes else body
        includes, defines = EXPECTED[relative]
        for directory in includes - {"drv/spi_inc"}:
            if os.path.join(projectDir, directory) not in groupPart:
                failures.append("%s: include %s missing from the group's options, after its own" % (relative, directory))
        for define in defines - {"SPI_FAST"}:
            if define not in groupPart:
                failures.append("%s: define %s missing from the group's options" % (relative, define))
        failures += ["%s: another file's own option %s among the group's" % (relative, value)
                     for value in owned if value in groupPart]
    failures += ["not in the database: " + path for path in sorted(set(EXPECTED) - seen)]
    return failures


def checkReport(report):
    """One per-file-option warning for each own option line, and nothing else to tell."""
    findings = report.splitlines()[:-1]
    perFile = [line for line in findings if line.endswith("[per-file-option]")]
    failures = ["unexpected finding: " + line for line in findings if line not in perFile]
    for value in ["spi_inc", "SPI_FAST", "UART_DEBUG"]:
        if not any(value in line for line in perFile):
            failures.append("no per-file-option finding for " + value)
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--cmake", default="cmake")
    arguments = parser.parse_args()
    root = os.path.realpath(tempfile.mkdtemp(prefix="kcmake_"))
    try:
        top = generate(arguments.cmake, root)
        if top is None:
            print("SKIPPED: the Green Hills MULTI generator could not configure the sample project")
            return SKIP
        os.makedirs(os.path.join(root, "out"))
        write(os.path.join(root, "cfg", "ghs.p_c"), "")
        database, report = os.path.join(root, "out", "cc.json"), os.path.join(root, "out", "report.txt")
        done = subprocess.run([arguments.binary, top, os.path.join(root, "out"), "-cp",
                               os.path.join(root, "cfg", "ghs.p_c"), "-pn", "demo", "-cdb", database,
                               "-report", report],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        output = done.stdout.decode(errors="replace")
        if done.returncode != 0 or not output.endswith("Zintra/Zintra++ Project Completed!\n"):
            print("Kalvex failed (%d):\n%s%s" % (done.returncode, output, done.stderr.decode(errors="replace")))
            return 1
        with open(os.path.join(root, "out", "demo.prj"), newline="") as handle:
            failures = check(handle.read(), os.path.join(root, "proj"))
        with open(database) as handle:
            failures += checkDatabase(json.load(handle), os.path.join(root, "proj"))
        with open(report) as handle:
            failures += checkReport(handle.read())
        for failure in failures:
            print(failure)
        print("%d source files checked, %d failures" % (len(EXPECTED), len(failures)))
        return 1 if failures else 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
