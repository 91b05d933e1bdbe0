#!/usr/bin/env python3
"""Runs seeded random cases through the real Kalvex and through the model, byte for byte.

Each case: a generated tree in a fresh temporary folder; the binary's runs are made, the
folder's whole content is recorded, the folder is put back as generated, the model's runs
are made and recorded in turn. Compared, in this order: every run's exit status and standard
output, then the .prj files, the other files (personalities, the compilation database), and
the set of folders.
"""

import argparse
import difflib
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generate  # noqa: E402
import model  # noqa: E402


def snapshot(root):
    folders, files = set(), {}
    for directory, subdirs, names in os.walk(root):
        relative = os.path.relpath(directory, root)
        for name in subdirs:
            folders.add(os.path.normpath(os.path.join(relative, name)))
        for name in names:
            with open(os.path.join(directory, name), "rb") as handle:
                files[os.path.normpath(os.path.join(relative, name))] = handle.read()
    return folders, files


def runBinary(binary, runs, root):
    results = []
    for words in runs:
        done = subprocess.run([binary] + words, cwd=root, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=30)
        results.append((done.returncode, done.stdout, done.stderr))
    return results


def runModel(runs, root):
    return [model.run(words, root) + (b"",) for words in runs]


def visibleLines(data):
    """Lines with their line ends and control bytes shown, so that CR LF differences show."""
    return [repr(line)[1:-1] + "\n" for line in data.decode("latin-1").splitlines(keepends=True)]


def textDiff(name, expected, actual):
    return "".join(difflib.unified_diff(visibleLines(expected), visibleLines(actual),
                                        fromfile="model/" + name, tofile="Kalvex/" + name))


def firstDifference(runs, modelResults, binaryResults, modelState, binaryState):
    for index, (words, mine, theirs) in enumerate(zip(runs, modelResults, binaryResults)):
        label = "run %d %s" % (index + 1, b" ".join(words).decode("latin-1"))
        if theirs[2]:
            return "%s: standard error is not empty: %r" % (label, theirs[2])
        if mine[1] != theirs[1]:
            return label + ": standard output\n" + textDiff("stdout", mine[1], theirs[1])
        if mine[0] != theirs[0]:
            return "%s: exit status model %d, Kalvex %d" % (label, mine[0], theirs[0])
    modelFolders, modelFiles = modelState
    binaryFolders, binaryFiles = binaryState
    names = sorted(set(modelFiles) | set(binaryFiles), key=lambda n: (not n.endswith(".prj"), n))
    for name in names:
        if name not in binaryFiles:
            return "file %s: made by the model only" % name
        if name not in modelFiles:
            return "file %s: made by Kalvex only" % name
        if modelFiles[name] != binaryFiles[name]:
            return "file %s\n%s" % (name, textDiff(name, modelFiles[name], binaryFiles[name]))
    if modelFolders != binaryFolders:
        return "folders: model only %s; Kalvex only %s" % (
            sorted(modelFolders - binaryFolders), sorted(binaryFolders - modelFolders))
    return None


def runCase(binary, seed):
    root = os.path.realpath(tempfile.mkdtemp(prefix="kdiff_"))
    backup = os.path.realpath(tempfile.mkdtemp(prefix="kdiff_")) + "_copy"
    try:
        runs = generate.generate(seed, root)
        shutil.copytree(root, backup, symlinks=True)
        binaryResults = runBinary(binary, runs, root)
        binaryState = snapshot(root)
        shutil.rmtree(root)
        shutil.copytree(backup, root, symlinks=True)
        modelResults = runModel(runs, root)
        modelState = snapshot(root)
        return firstDifference(runs, modelResults, binaryResults, modelState, binaryState)
    finally:
        shutil.rmtree(root, ignore_errors=True)
        shutil.rmtree(backup, ignore_errors=True)
        shutil.rmtree(backup[:-len("_copy")], ignore_errors=True)


def main():
    os.environ.update(generate.ENVIRONMENT)
    os.environ.pop("KDIFF_UNSET", None)
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--binary", required=True)
    parser.add_argument("--cases", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--show", type=int, default=5, help="failures shown in full")
    arguments = parser.parse_args()
    binary = os.path.abspath(arguments.binary)
    started = time.time()
    failures = []
    for seed in range(arguments.seed, arguments.seed + arguments.cases):
        difference = runCase(binary, seed)
        if difference:
            failures.append((seed, difference))
    print("%d passed, %d failed (%.1f s)" % (arguments.cases - len(failures), len(failures),
                                              time.time() - started))
    for seed, difference in failures[:arguments.show]:
        print("\n=== seed %d\n%s" % (seed, difference))
    if len(failures) > arguments.show:
        print("\nfailing seeds: " + " ".join(str(seed) for seed, _ in failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
