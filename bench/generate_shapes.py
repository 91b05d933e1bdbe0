#!/usr/bin/env python3
"""Writes one benchmark shape: a generated .gpj tree, a compiler and an analyser personality.

Layout below the target folder: src/ holds the project tree with src/top.gpj at its top,
cfg/ holds the personalities. Every count is divided by --scale (at least 1 is kept), so a
quick run can use the same shapes made smaller.
"""

import argparse
import os

SHAPES = ("existing", "missing", "sourcedir", "huge", "deep", "includes")


def scaled(count, scale):
    return max(1, count // scale)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as handle:
        handle.write(text)


def options(index):
    """Four include and four define lines of one sub-project."""
    lines = ["\t-Iinc%d" % i for i in range(4)]
    lines += ["\t-DOPTION_%d_%d=%d" % (index, i, i) for i in range(4)]
    return lines


def subProjects(root, count, files, present, sourceDirs):
    """count sub-projects of files source entries each, under src/subNNNN/."""
    top = ["#!gbuild", "[Project]", "\t:sourceDir=common"]
    os.makedirs(os.path.join(root, "common"), exist_ok=True)
    for index in range(count):
        name = "sub%04d" % index
        folder = os.path.join(root, name)
        lines = ["#!gbuild", "[Library]"]
        for d in range(sourceDirs):
            os.makedirs(os.path.join(folder, "dir%d" % d), exist_ok=True)
            lines.append("\t:sourceDir=dir%d" % d)
        lines += options(index)
        for f in range(files):
            source = "file%04d.c" % f
            lines.append(source)
            if present:
                write(os.path.join(folder, source), "")
        write(os.path.join(folder, name + ".gpj"), "\n".join(lines) + "\n")
        top.append("%s\\%s.gpj\t[Library]" % (name, name))
    write(os.path.join(root, "top.gpj"), "\n".join(top) + "\n")


def huge(root, count):
    """One file that lists count sources, none of which exists."""
    lines = ["#!gbuild", "[Program]", "\t-DHUGE"]
    lines += ["src\\file%07d.c" % i for i in range(count)]
    write(os.path.join(root, "top.gpj"), "\n".join(lines) + "\n")


def deep(root, depth, files):
    """A chain of depth sub-projects, each one folder below its parent, with files sources.
    The options stand in the top file only: every group inherits them, none adds to them."""
    folder = root
    name = "top"
    for level in range(depth):
        lines = ["#!gbuild"] + (["\t-Iinc", "\t-DDEEP"] if level == 0 else [])
        for f in range(files):
            lines.append("l%d_%d.c" % (level, f))
            write(os.path.join(folder, "l%d_%d.c" % (level, f)), "")
        if level + 1 < depth:
            lines.append("d\\d.gpj")
        write(os.path.join(folder, name + ".gpj"), "\n".join(lines) + "\n")
        folder = os.path.join(folder, "d")
        name = "d"


def includes(root, count):
    """One file of count include lines, each folder named twice, count missing sources searched
    through two source folders, a sub-project that only the last include folder holds and an
    optional one that none holds: a search or a list whose cost grows with the lines read
    before shows here as time that grows faster than the shape."""
    lines = ["#!gbuild", "[Program]", "\t:sourceDir=s1", "\t:sourceDir=s2"]
    for _ in range(2):
        lines += ["\t-Iinc%d" % i for i in range(count)]
    lines += ["src%d.c" % i for i in range(count)]
    lines += ["sub.gpj", "{optional} gone.gpj"]
    for folder in ("s1", "s2"):
        os.makedirs(os.path.join(root, folder), exist_ok=True)
    write(os.path.join(root, "inc%d" % (count - 1), "sub.gpj"), "#!gbuild\n[Library]\n")
    write(os.path.join(root, "top.gpj"), "\n".join(lines) + "\n")


def generate(shape, target, scale):
    root = os.path.join(target, "src")
    if shape == "existing":
        subProjects(root, scaled(1000, scale), 200, True, 0)
    elif shape == "missing":
        subProjects(root, scaled(1000, scale), 200, False, 0)
    elif shape == "sourcedir":
        subProjects(root, scaled(100, scale), 1000, False, 4)
    elif shape == "huge":
        huge(root, scaled(1000000, scale))
    elif shape == "deep":
        deep(root, scaled(1000, scale), 10)
    elif shape == "includes":
        includes(root, scaled(40000, scale))
    write(os.path.join(target, "cfg", "ghs.p_c"), "-I/opt/ghs/include\n-DNDEBUG\n")
    write(os.path.join(target, "cfg", "rules.p_a"), "-misra2012\n-rule 10.1 off\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("shape", choices=SHAPES)
    parser.add_argument("target", help="folder to create the shape in (must not exist)")
    parser.add_argument("--scale", type=int, default=1, help="divide every count by this")
    args = parser.parse_args()
    os.makedirs(args.target)
    generate(args.shape, args.target, args.scale)


if __name__ == "__main__":
    main()
