#!/usr/bin/env python3
"""Times Kalvex on generated shapes beside its floor and beside the Python model.

For each shape: one untimed Kalvex run gives the reference output; then, several times, a
fresh destination is converted by Kalvex, rebuilt by the floor program from that reference,
and converted by the model. The table holds medians, Kalvex's peak memory, the ratios, and
whether the model's output (files, folders, standard output, exit status) equals Kalvex's.
With --report and --cdb, Kalvex is also timed with "-report" and with "-cdb", and with --before,
another build of Kalvex (the one before a change), each in the same loop as the plain run, with
their medians, their peak memory and their ratios to it. With --before, the two builds also
convert the bundled example and every shape with both "-report" and "-cdb" into the same
destination, untimed, and the last column says whether every byte they write (project,
personalities, database, report) and their standard output and exit status are the same.
"""


import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import generate_shapes  # noqa: E402


def timed(command, stdout=subprocess.DEVNULL):
    """(seconds, peak resident kilobytes, exit status, standard output) of one child. The peak
    comes from /usr/bin/time, since a child's own figure would include the pages of this
    Python process that it had before it started the program."""
    with tempfile.NamedTemporaryFile() as report:
        start = time.perf_counter()
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report.name] + command,
                              stdout=stdout, stderr=subprocess.DEVNULL)
        seconds = time.perf_counter() - start
        peak = int(open(report.name).read().split()[-1])
    return seconds, peak, done.returncode, done.stdout or b""


def snapshot(root):
    folders, files = set(), {}
    for directory, subdirs, names in os.walk(root):
        relative = os.path.relpath(directory, root)
        folders.update(os.path.normpath(os.path.join(relative, name)) for name in subdirs)
        for name in names:
            with open(os.path.join(directory, name), "rb") as handle:
                files[os.path.normpath(os.path.join(relative, name))] = handle.read()
    return folders, files


def fresh(folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)


def words(shapeFolder, destination):
    return [os.path.join(shapeFolder, "src", "top.gpj"), destination,
            "-cp", os.path.join(shapeFolder, "cfg", "ghs.p_c"),
            "-ap", os.path.join(shapeFolder, "cfg", "rules.p_a")]


# Shapes whose database grows with the square of the shape (every entry names every include
# folder): they are timed and compared without -cdb.
WITHOUT_DATABASE = {"includes"}


def variants(shape, folder, out, args):
    """(label, command) of each further way of running Kalvex that is timed beside the plain run;
    the command is None where the shape is not run that way."""
    commands = []
    if args.before:
        commands.append(("before", [args.before] + words(folder, out)))
    if args.report:
        # Into the destination, where the wizard puts it: each run starts without the files of the
        # run before, the report as the project file, so that neither run pays for freeing old ones.
        commands.append(("-report", [args.kalvex] + words(folder, out) + ["-report", os.path.join(out, "top.report.txt")]))
    if args.cdb:
        database = [args.kalvex] + words(folder, out) + ["-cdb", os.path.join(out, "compile_commands.json")]
        commands.append(("-cdb", None if shape in WITHOUT_DATABASE else database))
    return commands


def everyOutput(kalvex, wordsOf, out, database):
    """Status, standard output and snapshot of one run that writes every output it can."""
    fresh(out)
    command = [kalvex] + wordsOf(out) + ["-report", os.path.join(out, "top.report.txt")]
    if database:
        command += ["-cdb", os.path.join(out, "compile_commands.json")]
    done = subprocess.run(command, capture_output=True)
    return done.returncode, done.stdout, snapshot(out)


def sameAsBefore(wordsOf, out, args, database=True):
    """Whether this build writes the bytes that the one before wrote, database and report included."""
    if not args.before:
        return "-"
    before = everyOutput(args.before, wordsOf, out, database)
    after = everyOutput(args.kalvex, wordsOf, out, database)
    shutil.rmtree(out, ignore_errors=True)
    return "yes" if before == after else "NO"


def measureShape(shape, folder, args):
    out = os.path.join(folder, "out")
    reference = os.path.join(folder, "reference")
    fresh(reference)
    _, _, status, stdout = timed([args.kalvex] + words(folder, reference), subprocess.PIPE)
    expected = (status, stdout, snapshot(reference))
    kalvex, memory, floor, model, same = [], [], [], [], None
    others = {label: [] for label, _ in variants(shape, folder, out, args)}
    for run in range(args.runs):
        fresh(out)
        seconds, peak, _, _ = timed([args.kalvex] + words(folder, out))
        kalvex.append(seconds)
        memory.append(peak)
        for label, command in variants(shape, folder, out, args):
            if command is None:
                continue
            fresh(out)
            others[label].append(timed(command)[:2])
        fresh(out)
        printed = subprocess.run([args.floor, reference, out, os.path.join(folder, "src"),
                                  os.path.join(folder, "cfg")], check=True, capture_output=True).stdout
        floor.append(float(printed.split()[0]))
        if run < args.model_runs:
            fresh(out)
            command = [sys.executable, os.path.join(HERE, "model_run.py")] + words(folder, out)
            seconds, _, status, stdout = timed(command, subprocess.PIPE)
            model.append(seconds)
            # The model prints the destination it was given; the reference was made into another.
            stdout = stdout.replace(os.fsencode(out).replace(b"/", b"\\"), os.fsencode(reference).replace(b"/", b"\\"))
            if same is None:
                same = (status, stdout) == expected[:2] and snapshotsMatch(out, reference, expected[2])
    asBefore = sameAsBefore(lambda destination: words(folder, destination), out, args, shape not in WITHOUT_DATABASE)
    return kalvex, max(memory), floor, model, same, others, asBefore


def snapshotsMatch(out, reference, expected):
    """The model's output equals the reference once destination paths inside it are mapped."""
    folders, files = snapshot(out)
    mine = os.fsencode(out).replace(b"/", b"\\")
    theirs = os.fsencode(reference).replace(b"/", b"\\")
    files = {name: data.replace(mine, theirs) for name, data in files.items()}
    return (folders, files) == expected


def row(shape, kalvex, peak, floor, model, same, others, asBefore):
    k, f = statistics.median(kalvex), statistics.median(floor)
    cells = [shape, "%.2f" % k, "%.1f" % (peak / 1024), "%.2f" % f, "%.2f" % (k / f)]
    if model:
        m = statistics.median(model)
        cells += ["%.2f" % m, "%.1f" % (m / k), "yes" if same else "NO"]
    else:
        cells += ["-", "-", "-"]
    for runs in others.values():
        if not runs:
            cells += ["-", "-", "-"]
            continue
        o = statistics.median(seconds for seconds, _ in runs)
        cells += ["%.2f" % o, "%.1f" % (max(peak for _, peak in runs) / 1024), "%.2f" % (o / k)]
    cells.append(asBefore)
    return "| " + " | ".join(cells) + " |"


def bundledExample(work, args):
    """The sameAsBefore line of the example that the repository ships."""
    example = os.path.join(HERE, "..", "examples", "sensor_node")

    def wordsOf(out):
        return [os.path.join(example, "sensor_node.gpj"), out,
                "-cp", os.path.join(example, "config", "sn200.p_c"),
                "-ap", os.path.join(example, "config", "misra.p_a")]
    return "bundled example, same output as before: " + sameAsBefore(wordsOf, os.path.join(work, "example"), args)


def main():
    # The deep shape nests a thousand folders: walking and removing them recurses that far.
    sys.setrecursionlimit(20000)
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--kalvex", required=True)
    parser.add_argument("--floor", required=True)
    parser.add_argument("--shapes", nargs="+", default=list(generate_shapes.SHAPES),
                        choices=generate_shapes.SHAPES)
    parser.add_argument("--scale", type=int, default=1, help="divide every count of the shapes by this")
    parser.add_argument("--runs", type=int, default=5, help="timed runs of Kalvex and of the floor")
    parser.add_argument("--model-runs", type=int, default=3, help="timed runs of the model (0: none)")
    parser.add_argument("--work", help="folder for the shapes (default: a new temporary folder, removed)")
    parser.add_argument("--report", action="store_true", help="also time Kalvex with -report")
    parser.add_argument("--cdb", action="store_true", help="also time Kalvex with -cdb")
    parser.add_argument("--before", metavar="KALVEX", help="also time this other build of Kalvex")
    args = parser.parse_args()
    work = args.work or tempfile.mkdtemp(prefix="kalvex_bench_")
    labels = [label for label, _ in variants("", "", "", args)]
    extra = "".join(" %s s | %s peak MB | %s / Kalvex |" % (label, label, label) for label in labels)
    print("| shape | Kalvex s | Kalvex peak MB | floor s | Kalvex / floor | model s | model / Kalvex | same output |"
          + extra + " same as before |")
    print("|---|---|---|---|---|---|---|---|" + "---|---|---|" * len(labels) + "---|")
    try:
        for shape in args.shapes:
            folder = os.path.join(work, shape)
            shutil.rmtree(folder, ignore_errors=True)
            generate_shapes.generate(shape, folder, args.scale)
            print(row(shape, *measureShape(shape, folder, args)), flush=True)
            shutil.rmtree(folder, ignore_errors=True)
        if args.before:
            print(bundledExample(work, args))
    finally:
        if not args.work:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
