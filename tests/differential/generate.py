"""Random GHS project trees and Kalvex command lines for the differential test.

generate(seed, root) fills the empty folder `root` with a project tree, personalities and
perhaps a destination folder, and returns a list of runs: each run is the list of command-line
words (bytes, program name excluded) to start in `root`, all into the same destination.
"""

import os
import random

DIRS = ["", "lib", "drv", "common", "inc", "srcdir", "deep\\sub"]
SOURCE_NAMES = ["a.c", "b.cpp", "B.CPP", "main.c", "util.c", "x.h", "m.cc", "k.C"]
MACRO_NAMES = ["ROOT", "COMMON", "INC", "X", "targetCore"]
CHILD_NAMES = ["lib.gpj", "drv.gpj", "uart.gpj", "ab.gpj", "io.gpj", "net.rev2.gpj", "my rules.gpj"]
# Set by the runner for both sides; KDIFF_UNSET never is.
ENVIRONMENT = {"KDIFF_SET": "common", "KDIFF_CORE": "pe1", "KDIFF_NUM": "0x10"}
# Options files below src; the last is never written.
OPTIONS_FILES = ["opt\\common.opt", "opt\\more.opt", "inc\\cfg.opt", "opt\\missing.opt"]
BRACE_GROUPS = ["{optgroup=GhsCommonOptions} ", "{streq(targetCore,pe0)} ", "{ !streq( targetCore , pe1 ) }\t",
                "{isdefined(KDIFF_SET)}", "{isundefined(KDIFF_UNSET)} ", "{isdefined(targetCore)} ",
                "{streq(${KDIFF_CORE},pe1)} ", "{streq(${targetCore},targetCore)} ", "{unclosed ", "{a{b}c} ",
                "{streq(a,b,c)} ", "{isdefined(KDIFF_UNSET)} ", "{optional} ", "{} ", "{isdefined(x)(y)} ",
                "{streq(targetCore, pe1, pe0)} ", "{!streq(${KDIFF_CORE}, pe0, \"pe1\")} ",
                "{isdefined(targetCore) && !streq(targetCore,pe0)} ", "{(isdefined(KDIFF_UNSET) || streq(a,a)) && X != 0} ",
                "{${KDIFF_NUM} > 15} ", "{${KDIFF_NUM} <= -1 || 0x10 == 16} ", "{targetCore < pe1} ", "{istarget(arm)} ",
                "{istarget(arm) && isdefined(KDIFF_UNSET)} ", "{istarget(arm) || isdefined(KDIFF_SET)}\t",
                "{comment} ", "{selectone_optional} ", "{config(DBG)} ", "{!config(rel)} ", "{a | b} ",
                "{\"x,y)\" == \"x,y)\"} ", "{streq(${targetCore}, pe0,)} ", "{ ( ! isdefined ( X ) ) } "]
# Build configurations of the top file and the .gpc files they name (the last never written).
CONFIG_LINES = ['defineConfig ("Debug" "DBG" "cfg\\debug.gpc")', "defineConfig(Release rel release.gpc)",
                "defineConfig\t(Gone gone cfg/gone.gpc)", "defineConfig(Bad)", "defineConfigX(A a a.gpc)"]
CONFIG_FILES = ["cfg\\debug.gpc", "release.gpc"]
CONFIG_WORDS = ["DBG", "debug", "Release", "REL", "gone", "none", ""]


def hostJoin(root, relative):
    return os.path.join(root, *[p for p in relative.split("\\") if p])


def otherCase(text, rnd):
    """The text with the case of some ASCII letters changed, as a tree made on Windows has it."""
    return "".join(c.swapcase() if rnd.random() < 0.4 else c for c in text)


def relativeTo(fromDir, toPath):
    """Backslash path from the folder fromDir to toPath, both relative to src."""
    fromParts = [p for p in fromDir.split("\\") if p]
    toParts = [p for p in toPath.split("\\") if p]
    common = 0
    while common < min(len(fromParts), len(toParts)) and fromParts[common] == toParts[common]:
        common += 1
    return "\\".join([".."] * (len(fromParts) - common) + toParts[common:])


class ProjectFile:
    def __init__(self, directory, fileName):
        self.directory = directory
        self.fileName = fileName
        self.lines = []
        self.children = []

    @property
    def path(self):
        return (self.directory + "\\" + self.fileName) if self.directory else self.fileName


class Generator:
    def __init__(self, seed, root):
        self.rnd = random.Random(seed)
        self.root = root
        self.configurationWords = []
        self.src = os.path.join(root, "src")
        self.failure = None
        self.used = set()

    def chance(self, p):
        return self.rnd.random() < p

    def pick(self, items):
        return self.rnd.choice(items)

    # ------------------------------------------------------------ folders and source files

    def makeFolders(self):
        for d in DIRS:
            os.makedirs(hostJoin(self.src, d), exist_ok=True)
        if self.chance(0.1):
            os.makedirs(hostJoin(self.src, self.pick(DIRS) + "\\" + self.pick(SOURCE_NAMES)))
        if self.chance(0.05):
            os.makedirs(hostJoin(self.src, self.pick(DIRS) + "\\fold.gpj"))
        for name in SOURCE_NAMES:
            for d in DIRS:
                path = os.path.join(hostJoin(self.src, d), name)
                if self.chance(0.25) and not os.path.isdir(path):
                    with open(path, "wb") as f:
                        f.write(b"int x;\n")

    # ------------------------------------------------------------ lines

    def sourceDirLine(self, pf):
        target = self.pick(["srcdir", "common", "lib", "nothere", "deep\\sub"])
        value = self.pick([relativeTo(pf.directory, target), ".", "$(ROOT)",
                           "./" + relativeTo(pf.directory, target), ""])
        return (self.pick(["", "\t", "  "]) + ":sourceDir=" + self.pick(["", " ", "  "]) + value +
                self.pick(["", " ", "\t", "  "]))

    def macroLine(self, pf):
        name = self.pick(MACRO_NAMES)
        value = self.pick([relativeTo(pf.directory, self.pick(["common", "srcdir", "lib"])),
                           "C:\\abs", "1", "", "$(ROOT)\\x", "..", ".", "pe0", "pe1", "/abs", "\\abs",
                           "common/lib", "$ROOT/lib", "$(COMMON)/inc", "${INC}/z", "%expand_path(../..)",
                           "%expand_path(" + relativeTo(pf.directory, "common") + ")", "${%expand_path(./lib)}",
                           "%expand_path($ROOT/x)", '"common"', "'lib'", '"pe0"', "$ROOT", "%expand_path(x)/y"])
        kind = self.rnd.randrange(11)
        if kind == 9:
            return self.pick(["", "\t", "\t "]) + ":macro=" + name + self.pick(["", " "]) + "=" + value
        if kind == 0:
            return self.pick(["macro NOEQ ", "a=b macro NOEQ "]) + name
        if kind == 8:
            return self.pick(["macro \t ", "\t macro\t"]) + name + "=" + value
        if kind == 1:
            return "\tmacro\t" + name + "=" + value
        if kind == 2:
            return "macro" + name + "=" + value + "=z"
        if kind == 3:
            return "x=1 macro " + name + "=" + value
        return (self.pick(["", "\t", " "]) + "macro" + self.pick([" ", "  "]) + name +
                self.pick(["", " "]) + "=" + self.pick(["", " "]) + value + self.pick(["", " "]))

    def sourcePathText(self, pf):
        name = self.pick(SOURCE_NAMES)
        other = self.pick(["common", "srcdir", "lib", "deep\\sub"])
        kind = self.rnd.randrange(22)
        if kind == 0:
            return "./" + name
        if kind == 18:
            return self.pick(["common/$X/", "$(ROOT)/$X/", "${%expand_path(.)}/", "${%expand_path(..)}\\",
                              "$(COMMON)\\$(ROOT)\\", "lib/$(X)", "$ROOT/$INC/"]) + name
        if kind == 19:
            return self.pick([name + " [CXX]", '"' + name + '" [C]', name + " []", name + "  [a b]", name + "[C]",
                              name + " [x]y]"])
        if kind in (20, 21):
            return otherCase(name, self.rnd)
        if kind == 1:
            return relativeTo(pf.directory, other) + "\\" + name
        if kind == 2:
            return "$(" + self.pick(MACRO_NAMES + ["UNDEF"]) + ")\\" + name
        if kind == 3:
            return "$" + self.pick(MACRO_NAMES) + "\\" + name
        if kind == 4:
            return "$( ROOT )\\" + name
        if kind == 5:
            return self.pick(["macros.c", "nul\0byte.c", "hi\xe9.c", "-Iinc.cfg", "-DX=y.c", "C:\\abs\\a.c", "a.c:b",
                              "$(ROOT)\\$(X)\\a.c", "x)\\$(ROOT)\\a.c", "$(ROOT\\a.c",
                              "inc\\$ROOT", "#x.c", "name with space.c"])
        if kind == 6:
            return self.pick(["${ROOT}\\", "${KDIFF_SET}\\", "${KDIFF_UNSET}\\", "${%EXECDIR}\\", "${ROOT",
                              "/abs/", "\\abs\\", "common/", "../src/"]) + name
        if kind == 7:
            return self.pick(['"quoted name.c"', "'q.c'", '"' + name + '"', "app.con", "x.cmake", "link.ld",
                              "readme.c.txt", "gen.cc.o"])
        return name

    def sourceLine(self, pf):
        return (self.pick(["", "", "\t", "  ", " \t", "\t "]) + self.sourcePathText(pf) +
                self.pick(["", "", "", "\tfoo", " ", "\t", " x"]))

    def includeLine(self, pf):
        target = self.pick(["inc", "common", "./inc", "inc.", ".", "..", "$(INC)", "$INC\\x",
                            relativeTo(pf.directory, "inc"), "inc", "inc\\.", "", '"inc dir"', "'common'",
                            "inc/.", "${INC}", "${KDIFF_SET}/x", "/usr/include", "\\abs", '"./inc"', "../..",
                            "$(ROOT)/$X", "x/$INC", "${%expand_path(.)}/inc", "${%option_value(x)}"])
        return (self.pick(["", "\t", "  ", "x ", "\t "]) + "-I" + self.pick(["", "", " ", "  "]) +
                target + self.pick(["", "", " ", "\t"]))

    def defineLine(self):
        text = self.pick(["NAME", "NAME=V", "A=B=C", " NAME", "BAUD=9600", "a=1", "Z", "DEBUG",
                          "NAME=", "=B", "DEBUG=2", "V=$(X)", "V=$X", "V=${KDIFF_SET}", "V=${KDIFF_UNSET}",
                          "$(targetCore)=1", '"Q=1"', 'S="a b"', '"', "V=$(ROOT)/x", "V=${%option_value(x)}"])
        return self.pick(["", "\t", "  ", "\t "]) + "-D" + self.pick(["", "", " ", "  "]) + text

    def otherLine(self):
        return self.pick(["", " ", "\t", "#comment", "# old.gpj", "#x.c", " #x.c", "\t# y.gpj",
                          "foo.h", "readme.txt", "-Wall", "#-Iinc", "\t#-I..\\old", "-o x.c.o",
                          ':depends="x.cmake"', "\t-Iinc.cfg", "-DNAME=x.c", "macros.c", " macro Q=x.gpj",
                          "x macro Q=1", "{optional} nothere\\opt.gpj", "gone.gpj {optional}", "\t x y.gpjz",
                          "{isdefined(KDIFF_SET)}\t:sourceDir=srcdir\t", ":sourceDir=srcdir\t", ":optionsFile=",
                          "#!gbuild", "[Options File]", ":macro=NOVALUE"])

    def severalOptionsLine(self, pf):
        """An option line that holds several options, and lines that hold one in spite of blanks."""
        return self.pick(["", "\t", "  "]) + self.pick([
            "-DEMBEDDED :select=ppc :select=cxx", "-DA=1U -DB=1U", "-D NAME -Iinc", '-I "inc dir" -DQ',
            ':postexec="gsrec -S3 x.elf" -DP', ":postexec='gsize -ram x.elf'", "-Iinc\t-Dq=2\t",
            ":sourceDir=srcdir -DS", "-DX :sourceDir=srcdir\t", "-DA=1\t \t-DB", '-DM="x -DN" -DO',
            "-DU='it -DV", "-Icommon -Iinc -I..", "-DK=$(X) :macro=X=1 -DL=$(X)", "-Wall -DW -o x.c.o"])

    def importLine(self):
        return self.pick(["", "\t"]) + "import" + self.pick([" ", "\t", "  "]) + self.pick(
            ["KDIFF_SET", "KDIFF_UNSET", "KDIFF_CORE", "INC", "X=1", "A B"]) + self.pick(["", " "])

    def optionsFileLine(self, pf):
        relative = relativeTo(pf.directory, self.pick(OPTIONS_FILES))
        text = self.pick([relative, relative.replace("\\", "/"), '"' + relative + '"', otherCase(relative, self.rnd),
                          "${%expand_path(.)}/" + relative.replace("\\", "/"), "$(ROOT)/cfg.opt"])
        return self.pick(["", "\t", "\t "]) + ":optionsFile=" + text

    def makeOptionsFiles(self):
        for path in OPTIONS_FILES[:-1]:
            if not self.chance(0.8):
                continue
            directory, name = path.split("\\")
            options = ProjectFile(directory, name)
            top = ProjectFile("", "top.gpj")
            options.lines = ["#!gbuild", "[Options File]"] + [self.randomLine(top) for _ in range(self.rnd.randrange(8))]
            options.lines.insert(self.rnd.randrange(len(options.lines) + 1), self.optionsFileLine(top))
            self.writeProjectFile(options)

    def randomLine(self, pf):
        if self.chance(0.2):
            return "".join(self.pick(BRACE_GROUPS) for _ in range(self.rnd.randrange(1, 3))) + self.plainLine(pf)
        return self.plainLine(pf)

    def plainLine(self, pf):
        kind = self.rnd.randrange(15)
        if kind == 14:
            return self.importLine()
        if kind == 13:
            return self.severalOptionsLine(pf)
        if kind == 12:
            return self.optionsFileLine(pf)
        if kind == 0:
            return self.sourceDirLine(pf)
        if kind == 1:
            return self.macroLine(pf)
        if kind in (2, 3, 4, 5):
            return self.sourceLine(pf)
        if kind in (6, 7):
            return self.includeLine(pf)
        if kind in (8, 9):
            return self.defineLine()
        return self.otherLine()

    # ------------------------------------------------------------ sub-projects

    def childFile(self):
        directory = self.pick([d for d in DIRS if d])
        if self.chance(0.1):
            return ProjectFile(directory, self.pick(["abc", "xy"]))
        name = self.pick(CHILD_NAMES)
        return ProjectFile(directory, name[:-4] + self.pick(["", "1", "2", "_x"]) + name[-4:])

    def entryLines(self, parent, child):
        """Lines that name child from parent's file; may add a search folder line first."""
        lines = []
        entry = relativeTo(parent.directory, child.path)
        way = self.rnd.randrange(10)
        if way == 0:
            lines.append(":sourceDir=" + relativeTo(parent.directory, child.directory))
            entry = child.fileName
        elif way == 1:
            lines.append("-I" + relativeTo(parent.directory, child.directory))
            entry = child.fileName
        elif way == 2 and self.chance(0.3):
            entry = entry.replace("\\", "/")
        elif way == 3:
            entry = "./" + entry if self.chance(0.5) else ".\\" + entry
        elif way == 4:
            entry = entry.replace("\\", "/")
        elif way == 5:
            entry = '"' + entry + '"'
        elif way == 7:
            entry = otherCase(entry[:-4], self.rnd) + entry[-4:]
        elif way == 6:
            absolute = os.path.join(self.src, *[p for p in child.path.split("\\") if p])
            entry = absolute if self.chance(0.5) else absolute.replace("/", "\\")
        prefix = self.pick(["", "", "", "{optional} ", "{optgroup=x}\t", "{streq(a,a)} ", "{selectone_optional}",
                            "{comment} ", "{streq(a, b, a)} "])
        if len(child.fileName) < 4 or not child.fileName.endswith(".gpj"):
            lines.append(prefix + self.pick(["\t", ""]) + entry + "\tsee.gpj")
        else:
            lines.append(prefix + self.pick(["", "\t", "\t\t", "  "]) + entry +
                         self.pick(["", "", "\tx.c", " comment", "\tx y", " ", " [Library]", "\t[Subproject]"]))
        if self.chance(0.1):
            lines.append(entry + self.pick([" {optional}", " # old", "\t#x"]))
        return lines

    def addConfigurations(self, top):
        """defineConfig lines in the top file (and one in a sub-project, which counts for nothing)."""
        if not self.chance(0.3):
            return
        for line in self.rnd.sample(CONFIG_LINES, self.rnd.randrange(1, len(CONFIG_LINES) + 1)):
            top.lines.insert(self.rnd.randrange(len(top.lines) + 1), line)
        if top.children:
            top.children[0].lines.append("defineConfig(Sub DBG cfg\\debug.gpc)")
        for path in CONFIG_FILES:
            if self.chance(0.8):
                directory, name = path.rsplit("\\", 1) if "\\" in path else ("", path)
                gpc = ProjectFile(directory, name)
                gpc.lines = ["#!gbuild"] + [self.randomLine(top) for _ in range(self.rnd.randrange(6))]
                self.writeProjectFile(gpc)
        self.configurationWords = CONFIG_WORDS

    def buildTree(self, pf, depth, chain):
        count = self.rnd.randrange(0, 4 if depth < 3 else 2)
        for _ in range(count):
            child = self.childFile()
            if child.path in self.used:
                continue
            self.used.add(child.path)
            pf.children.append(child)
            self.buildTree(child, depth + 1, chain + [child])
            pf.lines += self.entryLines(pf, child)
            if self.chance(0.08):
                pf.lines += self.entryLines(pf, child)

    def ownOptionsBlock(self, pf):
        """A source file with option lines of its own indented under it, then options of the
        group: the group's must reach the database whatever the file's own gave first."""
        entry = self.pick(["", "", " "])
        lines = [entry + self.pick(SOURCE_NAMES + ["$(ROOT)\\a.c", "nothere.c"])]
        for _ in range(self.rnd.randrange(1, 4)):
            lines.append(entry + self.pick(["\t", "  ", "\t\t"]) + self.pick([
                self.includeLine(pf).lstrip(" \t"), self.defineLine().lstrip(" \t"), "-U" + self.pick(["NAME", "A", " Z"]),
                "# note", "", "-DOWN=1 -Iinc -UOWN"]))
        for _ in range(self.rnd.randrange(1, 4)):
            lines.append(self.pick([self.includeLine(pf).lstrip(" \t"), self.defineLine().lstrip(" \t"),
                                    "-U" + self.pick(["NAME", "G"]), "-Icommon", "-DDEBUG=3"]))
        return lines

    def fillLines(self, pf):
        for _ in range(self.rnd.randrange(0, 14)):
            pf.lines.append(self.randomLine(pf))
        self.rnd.shuffle(pf.lines)
        if self.chance(0.5):
            at = self.rnd.randrange(len(pf.lines) + 1)
            pf.lines[at:at] = self.ownOptionsBlock(pf)
        for child in pf.children:
            self.fillLines(child)

    def addTraps(self, top):
        files = self.allFiles(top)
        pf = self.pick(files)
        trap = self.rnd.randrange(16)
        if trap == 0:
            pf.lines.append(self.pick(["nothere\\missing.gpj", "fold.gpj"]))
            self.failure = "missing sub-project"
        elif trap == 1:
            ancestor = self.pick(self.chainTo(top, pf))
            pf.lines.append(relativeTo(pf.directory, ancestor.path))
            self.failure = "loop"
        elif trap == 2 and pf.directory:
            outer = ProjectFile("..\\outer", "o.gpj")
            outer.lines = ["o.c", "-DO"]
            self.writeProjectFile(outer)
            extra = self.rnd.randrange(3)
            up = len(pf.directory.split("\\")) + 1 + extra
            back = os.path.basename(self.root) if extra else ""
            if extra == 2:
                back = os.path.basename(os.path.dirname(self.root)) + "/" + back
            pf.lines.append("/".join([".."] * up + ([back] if back else []) + ["outer/o.gpj"]))
        elif trap == 3 and pf.directory:
            extra = ProjectFile("common", "cm.gpj")
            extra.lines = ["a.c", "-DC=1"]
            self.writeProjectFile(extra)
            up = "/".join([".."] * len(pf.directory.split("\\")))
            pf.lines.append(up + "/common/cm.gpj" if self.chance(0.5) else "../common/cm.gpj")
        elif trap == 4:
            # A NUL byte within the first 4,096 bytes makes no project file; one after them is read.
            late = self.chance(0.5)
            binary = ProjectFile(pf.directory, "bin.gpj")
            binary.lines = (["#" + "x" * 4100] if late else []) + ["\0\x01GHS", "bin.c", "-DBIN"]
            self.writeProjectFile(binary)
            pf.lines.append(self.pick(["bin.gpj", ":optionsFile=bin.gpj"]))

    def allFiles(self, pf):
        result = [pf]
        for child in pf.children:
            result += self.allFiles(child)
        return result

    def chainTo(self, node, target):
        if node is target:
            return [node]
        for child in node.children:
            chain = self.chainTo(child, target)
            if chain:
                return [node] + chain
        return []

    def writeProjectFile(self, pf):
        ending = "\r\n" if self.chance(0.4) else "\n"
        text = ending.join(pf.lines)
        if pf.lines and not self.chance(0.25):
            text += ending
        if self.chance(0.03):
            text += "x.c\r"
        path = hostJoin(self.src, pf.path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text.encode("latin-1"))

    # ------------------------------------------------------------ personalities

    def compilerPersonality(self):
        src = "\\" + self.src.strip("/").replace("/", "\\")
        lines = []
        for _ in range(self.rnd.randrange(0, 6)):
            target = src + "\\" + self.pick(["inc", "common", "lib", "srcdir"])
            lines.append(self.pick([
                '-I "' + target + '"', "-i " + target, "-si " + target, "-SI" + target,
                "  -i " + target, "-I" + target + " ", "-DDEBUG-include", "", "-i", "-i   ",
                "-O2", '"-I' + target + '"', "-Ifoo bar"]))
        ending = self.pick(["\n", "\r\n"])
        text = ending.join(lines) + (ending if self.chance(0.7) else "")
        return text.encode("latin-1")

    def analyserPersonality(self):
        body = self.pick([b"", b"-opt1\n-opt2\n", b"-opt1\r\n-opt2\r\n", b"-opt1\n-opt2",
                          b"-a\r\r\n-b\rc\n", b"x\r", b"\n\n"])
        return body

    def makePersonalities(self):
        pers = os.path.join(self.root, "pers")
        os.makedirs(pers)
        for name in ("cp1.txt", "cp2.txt"):
            with open(os.path.join(pers, name), "wb") as f:
                f.write(self.compilerPersonality())
        for name in ("ap1.txt", "ap2.txt"):
            with open(os.path.join(pers, name), "wb") as f:
                f.write(self.analyserPersonality())
        with open(os.path.join(pers, "msg.p_s"), "wb") as f:
            f.write(b"messages\n")

    # ------------------------------------------------------------ command lines

    def pathWord(self, relative):
        form = self.rnd.randrange(4)
        if form == 0:
            return os.path.join(self.root, relative)
        if form == 1:
            return "./" + relative
        return relative

    def commandLine(self, topPath, destWord):
        words = [topPath, destWord]
        options = []
        if self.chance(0.85):
            options.append(["-cp", self.pathWord(self.pick(["pers/cp1.txt", "pers/cp2.txt",
                                                            "pers/none.txt", "pers"]))])
        if self.chance(0.5):
            options.append(["-pn", self.pick(["demo", "proj", "p2", "-ext", ""])])
        if self.chance(0.3):
            options.append(["-mp", self.pathWord(self.pick(["pers/msg.p_s", "pers/nomsg.p_s"]))])
        if self.chance(0.6):
            options.append(["-ap", self.pathWord(self.pick(["pers/ap1.txt", "pers/ap2.txt",
                                                            "pers/none.txt", "pers"]))])
        for _ in range(self.rnd.randrange(0, 3)):
            options.append(["-ext", self.pick(["c,cpp", "c", "cpp", ".c", "", "c,", "h", "CPP",
                                               ",,", "cc,C"])])
        if self.chance(0.1):
            options.append([self.pick(["stray", "-PN", "-x"])])
        if self.chance(0.5):
            options.append(["-cdb", self.pathWord(self.pick(["out/cc.json"] * 6 + [
                "cc.json", "out/none/cc.json", "out", topPath.lstrip("./") if not os.path.isabs(topPath) else topPath,
                "pers/cp1.txt", "src/opt/common.opt"]))])
        if self.configurationWords and self.chance(0.7):
            options.append(["-config", self.pick(self.configurationWords)])
        self.rnd.shuffle(options)
        for option in options:
            words += option
        if self.chance(0.05):
            words.append(self.pick(["-pn", "-ext", "-cp"]))
        if len(words) < 3:
            words.append("stray")
        return [w.encode("latin-1") for w in words]

    def generate(self):
        self.makeFolders()
        topName = self.pick(["top.gpj"] * 6 + ["board.rev2.gpj", "abc", "a.gp", "x.gpj"])
        top = ProjectFile("", topName)
        self.used.add(top.path)
        self.buildTree(top, 0, [top])
        self.fillLines(top)
        self.addConfigurations(top)
        self.addTraps(top)
        for pf in self.allFiles(top):
            self.writeProjectFile(pf)
        self.makeOptionsFiles()
        self.makePersonalities()
        destName = "out"
        if not self.chance(0.03):
            os.makedirs(os.path.join(self.root, destName))
            if self.chance(0.02):
                rootName = topName if len(topName) < 4 else topName[:-4]
                blocker = self.pick(["person", (rootName or "x") + "/output", "person/demo.p_a"])
                os.makedirs(os.path.dirname(os.path.join(self.root, destName, blocker)),
                            exist_ok=True)
                with open(os.path.join(self.root, destName, blocker), "wb") as f:
                    f.write(b"in the way\n")
        topWord = self.pathWord("src/" + topName)
        if self.chance(0.03):
            topWord = self.pathWord("src/missing.gpj")
        destWord = self.pick([destName, destName, destName + "/", self.pathWord(destName)])
        if self.chance(0.02):
            destWord = "."
        runs = [self.commandLine(topWord, destWord)]
        if self.chance(0.25):
            runs.append(self.commandLine(topWord, destWord))
        if self.chance(0.03):
            runs.insert(0, [topWord.encode("latin-1")][:self.rnd.randrange(0, 2)] +
                        [b"x"][:self.rnd.randrange(0, 2)])
        return runs


def generate(seed, root):
    return Generator(seed, root).generate()
