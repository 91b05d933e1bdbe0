"""An independent model of one Kalvex run on a POSIX host.

run(words, cwd) does what the converter does for the command line `words` (the words after
the program name, as bytes) started in the folder `cwd`: it prints nothing itself but returns
(exit status, standard output bytes), and it performs the same file-system effects on the
real file system (reads for the reader, folders and files for the writer).
All texts are bytes; paths are backslash paths, handed to the host with "/" for "\\".
"""

import errno
import os
import re

from model_database import DatabaseOptions, databaseText
from model_conditions import Unreadable, allOf, anyOf, closingOf, integerOf, leadingOperand, splitOutside

BS = b"\\"
SL = b"/"
CRLF = b"\r\n"


class ReaderFailure(Exception):
    def __init__(self, path):
        super().__init__(path)
        self.path = path


class LoopFailure(Exception):
    def __init__(self, path):
        super().__init__(path)
        self.path = path


class NotTextFailure(Exception):
    def __init__(self, path):
        super().__init__(path)
        self.path = path


class WriterFailure(Exception):
    def __init__(self, code, path):
        super().__init__(code, path)
        self.code = code
        self.path = path


# ---------------------------------------------------------------- host boundary

def toHostPath(backslashPath):
    return os.fsdecode(backslashPath.replace(BS, SL))


def openable(backslashPath):
    """Opening for reading succeeds (a folder is not a file); else the error number."""
    try:
        with open(toHostPath(backslashPath), "rb"):
            return 0
    except IsADirectoryError:
        return errno.EISDIR
    except OSError as error:
        return error.errno or errno.EIO
    except ValueError:
        return errno.EINVAL


def respelled(backslashPath):
    """The path with every component that does not exist as written replaced by the one name
    of its folder that equals it ignoring ASCII case; None when none or several do."""
    pieces = re.split(rb"([\\/])", backslashPath)
    spelled = b""
    for index in range(0, len(pieces), 2):
        component = pieces[index]
        if component not in (b"", b".", b"..") and not os.path.exists(toHostPath(spelled + component)):
            folder = spelled[:-1] if len(spelled) > 1 else (spelled or b".")
            try:
                names = os.listdir(toHostPath(folder))
            except OSError:
                return None
            matches = [os.fsencode(n) for n in names if os.fsencode(n).lower() == component.lower()]
            if len(matches) != 1:
                return None
            component = matches[0]
        spelled += component + (pieces[index + 1] if index + 1 < len(pieces) else b"")
    return spelled


def onDisk(backslashPath):
    """The backslash path of the file that opening backslashPath reads, with the names as the file
    system spells them; None when it opens no file."""
    if b"\0" in backslashPath or not backslashPath:
        return None
    error = openable(backslashPath)
    if error == 0:
        return backslashPath
    if error not in (errno.ENOENT, errno.ENOTDIR):
        return None
    spelled = respelled(backslashPath)
    return spelled if spelled is not None and openable(spelled) == 0 else None


def readableFile(backslashPath):
    return onDisk(backslashPath) is not None


def readBytes(backslashPath):
    with open(toHostPath(onDisk(backslashPath)), "rb") as handle:
        return handle.read()


def exists(backslashPath):
    if b"\0" in backslashPath or not backslashPath:
        return False
    return os.path.exists(toHostPath(backslashPath))


def identityOf(backslashPath):
    """The identity of the file at the path as written, or None."""
    try:
        info = os.stat(toHostPath(backslashPath))
    except (OSError, ValueError):
        return None
    return (info.st_dev, info.st_ino)


def fileIdentity(backslashPath):
    info = os.stat(toHostPath(onDisk(backslashPath) or backslashPath))
    return (info.st_dev, info.st_ino)


# ---------------------------------------------------------------- line values

def splitLines(data):
    """Lines of a file: a CR directly before an LF is dropped; a last line without LF counts."""
    pieces = data.split(b"\n")
    last = pieces.pop()
    lines = [piece[:-1] if piece.endswith(b"\r") else piece for piece in pieces]
    if last:
        lines.append(last)
    return lines


def stripChar(text, char):
    while text[:1] == char:
        text = text[1:]
    while text[-1:] == char:
        text = text[:-1]
    return text


def trimLine(text):
    return stripChar(stripChar(text, b" "), b"\t")


BLANKS = b" \t"
UNIT_EXTENSIONS = [b"c", b"cc", b"cp", b"cpp", b"cxx", b"c++"]


def textOf(line):
    """What the line rules look at: the trimmed line without further leading blanks or tabs."""
    return trimLine(line).lstrip(BLANKS)


def subProjectEntry(line):
    text = textOf(line)
    if b"#" in text:
        return b""
    if text.startswith(b'"'):
        closing = text.find(b'"', 1)
        return text[1:] if closing < 0 else text[1:closing]
    head = text.split(b"\t", 1)[0]
    at = head.find(b".gpj")
    while at >= 0:
        after = head[at + 4:at + 5]
        if after in (b"", b" "):
            return head[:at + 4]
        at = head.find(b".gpj", at + 1)
    t = trimLine(line)
    if b"\t" in t:
        return t.split(b"\t", 1)[0]
    return t.split(b" ", 1)[0]


def sourceDirText(line):
    marker = b":sourceDir="
    return stripChar(line[line.index(marker) + len(marker):], b" ")


def includeText(line):
    t = stripChar(trimLine(line)[2:], b" ")
    if t.startswith(b"./"):
        t = t[2:]
    return t


def defineText(line):
    return trimLine(line)[2:]


def macroDefinition(line):
    """(name, value), or None when no "=" follows the first "macro"."""
    start = line.index(b"macro") + len(b"macro")
    while line[start:start + 1] in (b" ", b"\t"):
        start += 1
    equals = line.find(b"=", start)
    if equals < 0:
        return None
    return stripChar(line[start:equals], b" "), stripChar(line[equals + 1:], b" ")


def optionsOf(text):
    """The options of an option line's text as (start, end) pairs: a blank or tab followed by
    "-" or ":" outside quotes begins the next; each ends before the blanks that end it."""
    starts, quote = [0], None
    for at in range(len(text)):
        c = text[at:at + 1]
        if quote is not None:
            if c == quote:
                quote = None
        elif c in (b'"', b"'"):
            quote = c
        elif c in (b" ", b"\t") and text[at + 1:at + 2] in (b"-", b":"):
            starts.append(at + 1)
    ends = [len(text[:nxt].rstrip(BLANKS)) for nxt in starts[1:]] + [len(text)]
    return list(zip(starts, ends))


def importName(text):
    if not text.startswith(b"import") or text[6:7] not in (b" ", b"\t"):
        return None
    name = text[6:].lstrip(BLANKS)
    if not name or any(c in name for c in (b" ", b"\t", b"=")):
        return None
    return name


def isText(data):
    return b"\0" not in data[:4096]


def withoutQuotes(text):
    if len(text) >= 2 and text[:1] in (b'"', b"'") and text[:1] == text[-1:]:
        return text[1:-1]
    return text


def withoutTrailingDot(path):
    return path[:-2] if path.endswith(BS + b".") else path


def withoutTypeTag(text):
    """x.c [CXX] without its tag and the blanks before it."""
    match = re.match(rb"(.*?)[ \t]+\[[^\[\]]+\]\Z", text, re.S)
    return match.group(1) if match else text


def matchingParenthesis(text, start):
    depth = 0
    for index in range(start, len(text)):
        ch = text[index:index + 1]
        depth += ch == b"("
        depth -= ch == b")"
        if ch == b")" and depth == 0:
            return index
    return -1


EXPAND_PATH = b"%expand_path("


def wholeExpandPath(value):
    """X of a value that is, as a whole, %expand_path(X) or ${%expand_path(X)}; else None."""
    start = 2 if value.startswith(b"${") else 0
    if not value.startswith(EXPAND_PATH, start):
        return None
    opening = start + len(EXPAND_PATH) - 1
    close = matchingParenthesis(value, opening)
    if close < 0 or close + (2 if start else 1) != len(value) or (start and not value.endswith(b"}")):
        return None
    return value[opening + 1:close]


def referenceAt(text, dollar):
    """(form, name, end) of the reference whose "$" stands at dollar."""
    following = text[dollar + 1:dollar + 2]
    if following == b"{":
        if text.startswith(EXPAND_PATH, dollar + 2):
            opening = dollar + 1 + len(EXPAND_PATH)
            close = matchingParenthesis(text, opening)
            if close >= 0 and text[close + 1:close + 2] == b"}":
                return "expand", text[opening + 1:close], close + 2
        close = text.find(b"}", dollar + 2)
        if close < 0:
            return "written", b"", dollar + 1
        name = text[dollar + 2:close]
        return ("written" if name.startswith(b"%") else "brace"), name, close + 1
    if following == b"(":
        close = text.find(b")", dollar + 2)
        end = len(text) if close < 0 else close
        return "paren", stripChar(text[dollar + 2:end], b" "), (len(text) if close < 0 else close + 1)
    ends = [at for at in (text.find(BS, dollar + 1), text.find(SL, dollar + 1)) if at >= 0]
    end = min(ends) if ends else len(text)
    return "bare", stripChar(text[dollar + 1:end], b" "), end


def isAbsolute(text):
    return b":" in text or text[:1] in (BS, SL)


def extensionAccepted(path, extensions):
    wanted = extensions if extensions else UNIT_EXTENSIONS
    dot = path.rfind(b".")
    ext = path[dot + 1:] if dot >= 0 else path
    return any(entry.upper() == ext.upper() for entry in wanted)


def withOwnInclude(includes, own, path):
    """A group's list after it names path: its own first, in naming order, each once; one it
    inherited moves up to its own place."""
    if path in includes[:own]:
        return includes, own
    rest = [directory for directory in includes[own:] if directory != path]
    return includes[:own] + [path] + rest, own + 1


def braceGroups(text):
    """([inner texts stripped of blanks], rest): groups at the start up to their matching brace."""
    inners = []
    while text.startswith(b"{"):
        depth, end = 0, -1
        for index in range(len(text)):
            ch = text[index:index + 1]
            if ch == b"{":
                depth += 1
            elif ch == b"}":
                depth -= 1
                if depth == 0:
                    end = index
                    break
        if end < 0:
            break
        inners.append(text[1:end].strip(BLANKS))
        text = text[end + 1:].lstrip(BLANKS)
    return inners, text


# ---------------------------------------------------------------- model objects

class Group:
    def __init__(self, name):
        self.name = name
        self.sourcePath = b""
        self.files = []
        self.includes = []
        self.ownIncludes = 0
        self.defines = {}
        self.children = []
        self.database = DatabaseOptions()

    def addDefine(self, text, forGroup=True):
        if b"=" in text:
            name, value = text.split(b"=", 1)
        else:
            name, value = text, b""
        self.defines[name] = value
        if forGroup:
            self.database.defines[name] = value


class Settings:
    def __init__(self, sourceProject, destFolder):
        self.sourceProject = sourceProject
        self.destFolder = destFolder
        self.projectName = b""
        self.messagePersonality = b""
        self.analyserPersonality = b""
        self.compilerPersonality = b""
        self.extensions = []
        self.compilerIncludes = []
        self.configuration = b""
        self.compileDatabase = b""


# ---------------------------------------------------------------- reader

class UnknownConfiguration(Exception):
    def __init__(self, configurations):
        super().__init__()
        self.configurations = configurations


CHAIN_LIMIT = 32
BUDGET = 4096


class Reader:
    def __init__(self, settings, out):
        self.settings = settings
        self.out = out
        self.macros = {}
        self.written = {}
        self.sourceDirs = []
        self.includeSearchDirs = []
        self.current = None
        self.definesWritten = False
        self.configurations = []
        self.chosen = None
        self.readingTop = False
        # The last entry line: (kind, indent, listed file index or None), or None.
        self.scope = None
        self.identitiesRead = []

    def defineMacro(self, name, value):
        value = withoutQuotes(value)
        argument = wholeExpandPath(value)
        if argument is not None:
            self.budget = BUDGET
            value = self.expandPath(argument, 0, [])
            self.written[name] = self.macros[name] = value
            return
        self.written[name] = value
        kept = isAbsolute(value) or value.startswith(b"$")
        self.macros[name] = value if kept else self.current.sourcePath + BS + value

    def joined(self, text):
        """A relative text joined to the group's folder, with backslashes."""
        base = self.current.sourcePath
        if text == b".":
            text = base
        elif text.startswith(b"./"):
            text = base + BS + text[2:]
        else:
            text = base + BS + text
        return text.replace(SL, BS)

    def expandPath(self, argument, depth, chain):
        text = self.expand(argument, depth, chain)[0]
        return text.replace(SL, BS) if isAbsolute(text) else withoutTrailingDot(self.joined(text))

    def expandAll(self, text):
        """(every reference of text expanded, whether it held a $(NAME) or a bare $NAME)."""
        self.budget = BUDGET
        return self.expand(text, 0, [])

    def expandDefine(self, text):
        """A define text: enclosing double quotes off, references expanded with values as written."""
        if len(text) >= 2 and text[:1] == b'"' and text[-1:] == b'"':
            text = text[1:-1]
        self.budget = BUDGET
        self.definesWritten = True
        try:
            return self.expand(text, 0, [])[0]
        finally:
            self.definesWritten = False

    def expand(self, text, depth, chain):
        pieces, held, at = [], False, 0
        while True:
            dollar = text.find(b"$", at)
            if dollar < 0:
                pieces.append(text[at:])
                return b"".join(pieces), held
            form, name, end = referenceAt(text, dollar)
            held = held or form in ("paren", "bare")
            pieces.append(text[at:dollar])
            pieces.append(self.putIn(form, name, text[dollar:end], dollar == 0, depth, chain))
            at = end

    def putIn(self, form, name, written, atStart, depth, chain):
        if form == "written" or depth >= CHAIN_LIMIT or self.budget == 0:
            return written
        if form == "expand":
            self.budget -= 1
            return self.expandPath(name, depth + 1, chain)
        if name in chain:
            return written
        if form == "brace":
            value = self.lookUp(name)
        else:
            value = (self.macros if atStart and not self.definesWritten else self.written).get(name)
        if value is None:
            return written
        self.budget -= 1
        return self.expand(value, depth + 1, chain + [name])[0]

    def lookUp(self, name):
        """A macro as written, else the environment variable; None when neither exists."""
        if name in self.written:
            return self.written[name]
        return os.environb.get(name) if name else None

    def expandBraces(self, text):
        pieces = []
        while True:
            start = text.find(b"${")
            close = text.find(b"}", start + 2) if start >= 0 else -1
            if close < 0:
                pieces.append(text)
                return b"".join(pieces)
            name = text[start + 2:close]
            value = None if name.startswith(b"%") else self.lookUp(name)
            pieces.append(text[:start] + (text[start:close + 1] if value is None else value))
            text = text[close + 1:]

    def condition(self, inner):
        """True, False or None (unknown) for a condition."""
        try:
            return self.orOf(inner)
        except Unreadable:
            return None

    def orOf(self, text):
        return anyOf([self.andOf(part) for part in splitOutside(text, b"||")])

    def andOf(self, text):
        return allOf([self.factorOf(part) for part in splitOutside(text, b"&&")])

    def factorOf(self, text):
        text = text.strip(BLANKS)
        if text.startswith(b"!"):
            value = self.factorOf(text[1:])
            return None if value is None else not value
        if text.startswith(b"("):
            if closingOf(text, 0) != len(text) - 1:
                raise Unreadable()
            return self.orOf(text[1:-1])
        name = leadingOperand(text)
        rest = text[len(name):].lstrip(BLANKS)
        if not name:
            raise Unreadable()
        if rest.startswith(b"("):
            if closingOf(rest, 0) != len(rest) - 1:
                raise Unreadable()
            arguments = splitOutside(rest[1:-1], b",")
            if len(arguments) == 1 and not arguments[0].strip(BLANKS):
                arguments = []
            return self.callOf(name, arguments)
        for operator in (b"==", b"!=", b"<=", b">=", b"<", b">"):
            if rest.startswith(operator):
                right = rest[len(operator):].strip(BLANKS)
                if not right or leadingOperand(right) != right:
                    raise Unreadable()
                return self.compared(operator, self.valueOf(name), self.valueOf(right))
        raise Unreadable()

    def plainOf(self, text):
        text = text.strip(BLANKS)
        if len(text) >= 2 and text[:1] == b'"' and text[-1:] == b'"':
            text = text[1:-1]
        return self.expandBraces(text)

    def valueOf(self, text):
        plain = self.plainOf(text)
        return self.written.get(plain, plain)

    def callOf(self, name, arguments):
        if name == b"streq" and len(arguments) >= 2:
            values = [self.valueOf(argument) for argument in arguments]
            return values[0] in values[1:]
        if len(arguments) != 1:
            return None
        if name in (b"isdefined", b"isundefined"):
            return (self.lookUp(self.plainOf(arguments[0])) is not None) == (name == b"isdefined")
        if name == b"config" and self.chosen is not None:
            word = self.valueOf(arguments[0]).lower()
            return word in (self.chosen[0].lower(), self.chosen[1].lower())
        return None

    @staticmethod
    def compared(operator, left, right):
        a, b = integerOf(left), integerOf(right)
        if a is not None and b is not None:
            if max(abs(a), abs(b)) >= 1 << 64:
                return None
            return {b"==": a == b, b"!=": a != b, b"<": a < b, b"<=": a <= b, b">": a > b, b">=": a >= b}[operator]
        if operator == b"==":
            return left == right
        if operator == b"!=":
            return left != right
        return None

    def resolvePath(self, text, search):
        began = text.startswith(b"$")
        text, held = self.expandAll(text)
        if began and (held or b"$" in text):
            return text.replace(SL, BS)
        if isAbsolute(text):
            return text.replace(SL, BS)
        unjoined = text
        text = self.joined(text)
        if not search:
            return withoutTrailingDot(text)
        for candidate in [text] + [(d + BS + unjoined).replace(SL, BS) for d in self.sourceDirs]:
            found = onDisk(candidate)
            if found is not None:
                return found
        return text

    def addInclude(self, text, under=None):
        path = self.resolvePath(withoutQuotes(includeText(text)), False)
        group = self.current
        if path not in self.settings.compilerIncludes:
            group.includes, group.ownIncludes = withOwnInclude(group.includes, group.ownIncludes, path)
            database = group.database
            if under is not None and under[0] == "file":
                database.addFileOption(under[2], b"-I", path)
            else:
                database.includes, database.ownIncludes = withOwnInclude(database.includes, database.ownIncludes, path)
        self.includeSearchDirs.append(path)

    def addSourceDir(self, line):
        value = self.resolvePath(withoutQuotes(sourceDirText(line)), False)
        if value:
            self.sourceDirs.append(value)

    def openOptionsFile(self, text):
        path = onDisk(self.resolvePath(withoutQuotes(text), False))
        if path is None:
            return
        info = os.stat(toHostPath(path))
        identity = (info.st_dev, info.st_ino)
        if identity in [entry[1] for entry in self.files[1:]]:
            return
        data = readBytes(path)
        if isText(data):
            self.files.append((iter(splitLines(data)), identity))
            self.identitiesRead.append(identity)
            self.scope = None

    def applyOptions(self, line, text, under):
        spans = optionsOf(text)
        for start, end in spans[:-1]:
            self.applyOption(text[start:end], text[start:end], under)
        start = spans[-1][0]
        if start == 0:
            self.applyOption(line, text, under)
        else:
            self.applyOption(line[len(line) - len(line.lstrip(BLANKS)) + start:], text[start:], under)

    def applyOption(self, line, text, under):
        underFile = under is not None and under[0] == "file"
        if text.startswith(b":sourceDir="):
            self.addSourceDir(line)
        elif text.startswith(b"-I"):
            self.addInclude(text, under)
        elif text.startswith(b"-D"):
            define = self.expandDefine(defineText(text).lstrip(b" "))
            self.current.addDefine(define, forGroup=not underFile)
            if underFile:
                self.current.database.addFileOption(under[2], b"-D", define)
        elif text.startswith(b"-U"):
            name = text[2:].strip(BLANKS)
            if name and underFile:
                self.current.database.addFileOption(under[2], b"-U", name)
            elif name:
                self.current.database.undefines.append(name)
        elif text.startswith(b":macro="):
            definition = macroDefinition(b"macro " + text[len(b":macro="):])
            if definition is not None:
                self.defineMacro(*definition)
        elif text.startswith(b":optionsFile="):
            self.openOptionsFile(text[len(b":optionsFile="):])

    def underEntry(self, indent):
        """The entry an option line with that indent stands under; the scope ends if none."""
        if self.scope is not None and indent <= self.scope[1]:
            self.scope = None
        return self.scope

    def applyLine(self, line, subProjects):
        """subProjects is None for the lines of an options file."""
        group = self.current
        indent = len(line) - len(line.lstrip(BLANKS))
        text = textOf(line)
        optional = False
        if line.lstrip(BLANKS).startswith(b"{"):
            inners, rest = braceGroups(line.lstrip(BLANKS))
            if b"comment" in inners:
                return
            for inner in inners:
                if inner in (b"optional", b"selectone_optional"):
                    optional = True
                elif not inner.startswith(b"optgroup=") and self.condition(inner) is False:
                    return
            if inners:
                line, text = rest, textOf(rest)
        if not text or text.startswith(b"#"):
            return
        if text[:1] in (b"-", b":"):
            self.applyOptions(line, text, self.underEntry(indent))
            return
        self.scope = None
        if text.startswith(b"macro") and text[5:6] in (b" ", b"\t"):
            definition = macroDefinition(line)
            if definition is not None:
                self.defineMacro(*definition)
        elif importName(text) is not None:
            value = os.environb.get(importName(text))
            if value is not None:
                self.defineMacro(*macroDefinition(b"macro " + importName(text) + b"=" + value))
        elif text.startswith(b"defineConfig") and text[12:13] in (b" ", b"\t", b"("):
            if self.readingTop and subProjects is not None:
                self.defineConfiguration(text[12:])
        elif b":sourceDir=" in line:
            self.addSourceDir(line)
        elif b".gpj" in line:
            entry = subProjectEntry(line)
            if entry and subProjects is not None:
                self.scope = ("sub-project", indent, None)
                subProjects.append((entry, optional or b"{optional}" in text or b"{selectone_optional}" in text))
        elif b".c" in line or b".C" in line:
            if subProjects is None:
                return
            written = withoutTypeTag(trimLine(line).split(b"\t", 1)[0])
            path = self.resolvePath(withoutQuotes(written), True)
            self.scope = ("file", indent, None)
            if extensionAccepted(path, self.settings.extensions):
                group.files.append(path)
                self.scope = ("file", indent, len(group.files) - 1)
        elif b"-I" in line:
            self.addInclude(line)
        elif b"-D" in line:
            group.addDefine(self.expandDefine(defineText(line)))

    def defineConfiguration(self, arguments):
        arguments = arguments.strip(BLANKS)
        if arguments[:1] == b"(" and arguments[-1:] == b")" and len(arguments) >= 2:
            arguments = arguments[1:-1]
        words, word, quoted = [], b"", False
        for ch in [arguments[i:i + 1] for i in range(len(arguments))]:
            if ch in (b" ", b"\t") and not quoted:
                if word:
                    words.append(word)
                word = b""
                continue
            quoted = quoted != (ch == b'"')
            word += ch
        words = [withoutQuotes(w) for w in words + ([word] if word else [])]
        if len(words) != 3:
            return
        self.configurations.append((words[0], words[1]))
        wanted = self.settings.configuration.lower()
        if wanted and self.chosen is None and wanted in (words[0].lower(), words[1].lower()):
            self.chosen = (words[0], words[1])
            self.openOptionsFile(words[2])

    def parse(self, group, path, chain):
        self.current = group
        if not readableFile(path):
            raise ReaderFailure(path)
        chain = chain + [fileIdentity(path)]
        self.identitiesRead.append(chain[-1])
        subProjects = []
        data = readBytes(path)
        if not isText(data):
            if not chain[:-1]:
                raise NotTextFailure(path)
            return
        self.files = [(iter(splitLines(data)), None)]
        self.readingTop = not chain[:-1]
        while self.files:
            line = next(self.files[-1][0], None)
            if line is None:
                self.files.pop()
            else:
                self.applyLine(line, subProjects if len(self.files) == 1 else None)
        self.scope = None
        if self.readingTop and self.settings.configuration and self.chosen is None:
            raise UnknownConfiguration(self.configurations)
        self.readingTop = False
        for entry, optional in subProjects:
            self.walkSubProject(group, entry, optional, chain)

    def walkSubProject(self, parent, entry, optional, chain):
        self.current = parent
        entry = self.expandAll(entry)[0]
        if isAbsolute(entry):
            candidates = [entry]
        else:
            directories = [parent.sourcePath] + self.sourceDirs + self.includeSearchDirs
            candidates = [d + BS + entry for d in directories]
        candidates = [c.replace(SL, BS) for c in candidates]
        found = [spelled for spelled in map(onDisk, candidates) if spelled is not None]
        if optional and not found:
            return
        located = found[0] if found else candidates[0]
        component = located[located.rfind(BS) + 1:]
        child = Group(component if len(component) < 4 else component[:-4])
        child.sourcePath = located[:located.rfind(BS)]
        parent.children.append(child)
        child.defines = dict(parent.defines)
        child.includes = list(parent.includes)
        child.ownIncludes = 0
        child.database = parent.database.inherited()
        if readableFile(located) and fileIdentity(located) in chain:
            raise LoopFailure(located)
        self.parse(child, located, chain)


def readCompilerIncludes(settings, out):
    path = settings.compilerPersonality
    if not readableFile(path):
        out.append(b"Could not open file: " + path)
        return
    for line in splitLines(readBytes(path)):
        if b"-i" in line or b"-I" in line:
            directory = line[2:]
        elif b"-si" in line or b"-SI" in line:
            directory = line[3:]
        else:
            continue
        settings.compilerIncludes.append(stripChar(stripChar(directory, b" "), b'"'))


# ---------------------------------------------------------------- writer

def textCopy(data):
    """The user's analyser personality as written: every LF, with or without CR, as CR LF."""
    return data.replace(b"\r\n", b"\n").replace(b"\n", CRLF)


def lastComponentOfName(name):
    for separator in (BS, SL):
        if separator in name:
            return name[name.rfind(separator) + 1:]
    return name


def lastComponentOfParentPath(parentPath):
    firstBackslash = parentPath.find(BS)
    firstSlash = parentPath.find(SL)
    if firstBackslash < 0 and firstSlash < 0:
        return parentPath
    if firstSlash < 0 or (firstBackslash >= 0 and firstBackslash > firstSlash):
        separator = BS
    else:
        separator = SL
    return parentPath[parentPath.rfind(separator) + 1:]


def lexicallyOutside(destFolder, folder):
    depth = 0
    rest = folder[len(destFolder):]
    for part in rest.replace(SL, BS).split(BS):
        if part in (b"", b"."):
            continue
        if part == b"..":
            depth -= 1
            if depth < 0:
                return True
        else:
            depth += 1
    return False


class Writer:
    def __init__(self, settings, out):
        self.settings = settings
        self.out = out
        self.dest = settings.destFolder
        self.name = settings.projectName
        self.prj = None
        # Every file the run writes, with what stood there before, put back when it fails.
        self.earlier = {}
        self.template = self.readTemplate()
        self.inputs = []

    def remember(self, path):
        try:
            target = toHostPath(path)
        except ValueError:
            return
        if target in self.earlier:
            return
        if os.path.islink(target):
            self.earlier[target] = ("link", os.readlink(target))
        elif os.path.isfile(target):
            with open(target, "rb") as handle:
                self.earlier[target] = ("file", handle.read())
        else:
            self.earlier[target] = None
        # A link is replaced by the new file, not written through.
        if os.path.islink(target):
            os.remove(target)

    def putBack(self):
        for target, before in self.earlier.items():
            if os.path.islink(target) or os.path.isfile(target):
                os.remove(target)
            if before and before[0] == "link":
                os.symlink(before[1], target)
            elif before:
                with open(target, "wb") as handle:
                    handle.write(before[1])

    def line(self, text):
        self.prj.write(text + CRLF)
        self.prj.flush()

    def ensureDirectory(self, path):
        if exists(path):
            return
        try:
            os.mkdir(toHostPath(path))
        except FileExistsError:
            if not os.path.isdir(toHostPath(path)):
                raise WriterFailure(1, path)
        except (OSError, ValueError):
            raise WriterFailure(1, path)

    def createFile(self, path, content):
        self.remember(path)
        try:
            with open(toHostPath(path), "wb") as handle:
                handle.write(content)
        except (OSError, ValueError):
            raise WriterFailure(2, path)

    def readTemplate(self):
        path = self.settings.analyserPersonality
        return textCopy(readBytes(path)) if path and readableFile(path) else None

    def userAnalyserCopy(self):
        if not self.settings.analyserPersonality:
            return b""
        if self.template is None:
            self.out.append(b"Couldnt open file")
            return b""
        return self.template

    def groupFolders(self, group, parentPath):
        base = self.dest if not parentPath else self.dest + BS + parentPath
        folders = [base + BS + group.name[:p] for p, ch in enumerate(group.name)
                   if ch in b"\\/"]
        return folders + [base + BS + group.name]

    def checkFolders(self, group, parentPath):
        for folder in self.groupFolders(group, parentPath):
            if lexicallyOutside(self.dest, folder):
                raise WriterFailure(1, folder)
        childPath = group.name if not parentPath else parentPath + BS + group.name
        for child in group.children:
            self.checkFolders(child, childPath)

    def writeProject(self, root):
        try:
            return self.writeAll(root)
        except WriterFailure:
            self.putBack()
            raise

    def writeAll(self, root):
        path = self.dest + BS + self.name + b".prj"
        if lexicallyOutside(self.dest, path):
            raise WriterFailure(1, path)
        self.checkFolders(root, b"")
        self.remember(path)
        try:
            self.prj = open(toHostPath(path), "wb")
        except (OSError, ValueError):
            raise WriterFailure(2, path)
        try:
            self.out.append(b"Creating Zintra/Zintra++ Project ...")
            self.line(b"VersionTag45")
            self.writeGroup(root, b"", self.personPath(b".p_a"))
        finally:
            self.prj.close()
        if self.settings.compileDatabase:
            self.writeDatabase(root)
        self.out.append(b"Zintra/Zintra++ Project Completed!")
        return 0

    def writeDatabase(self, root):
        """After the project and its personalities; never over a file the run read or was given."""
        path = self.settings.compileDatabase
        text = databaseText(root, self.settings.compilerIncludes, lambda p: p.replace(BS, SL), extensionAccepted)
        if identityOf(path) in self.inputs:
            raise WriterFailure(2, path)
        self.createFile(path, text)

    def personPath(self, extension):
        return self.dest + BS + b"person" + BS + self.name + extension

    def writeGroup(self, group, parentPath, inherited):
        folders = self.groupFolders(group, parentPath)
        for folder in folders:
            self.ensureDirectory(folder)
        folder = folders[-1]
        self.ensureDirectory(folder + BS + b"output" + BS)
        self.ensureDirectory(folder + BS + b"person" + BS)
        if not group.files and not group.children:
            return
        self.out.append(b"  Creating Group - " + group.name)
        self.line(b"StartProjectMarker")
        self.line(b"FolderName=" + group.name)
        self.line(b"SourcePath=" + (group.sourcePath or folder + BS))
        self.line(b"OutputPath=" + folder + BS + b"output" + BS)
        self.line(b"SubsPers=" + self.defaultPersonality(self.settings.messagePersonality, b".p_s"))
        handed = self.analyserPersonality(group, folder, parentPath, inherited)
        self.line(b"CompPers=" + self.defaultPersonality(self.settings.compilerPersonality, b".p_c"))
        for path in group.files:
            if path:
                self.line(path)
        self.line(b"EndContainedFilesMarker")
        if group.children:
            self.line(b"StartSubProjectMarker")
            childPath = group.name if not parentPath else parentPath + BS + group.name
            for child in group.children:
                self.writeGroup(child, childPath, handed)
            self.line(b"EndSubProjectMarker")

    def defaultPersonality(self, supplied, extension):
        if supplied:
            return supplied
        self.ensureDirectory(self.dest + BS + b"person" + BS)
        path = self.personPath(extension)
        self.createFile(path, b"")
        return path

    def analyserPersonality(self, group, folder, parentPath, inherited):
        if group.includes or group.defines:
            path = folder + BS + b"person" + BS + lastComponentOfName(group.name) + b".p_a"
            self.out.append(b"  Creating Analyser Personality - " + path)
            self.line(b"AnalPers=" + path)
            self.writePersonality(group, path)
            return path
        candidate = (self.dest + BS + parentPath + BS + b"person" + BS +
                     lastComponentOfParentPath(parentPath) + b".p_a")
        value = candidate if exists(candidate) else inherited
        self.line(b"AnalPers=" + value)
        if not exists(value):
            self.ensureDirectory(self.dest + BS + b"person" + BS)
            self.remember(value)
            try:
                handle = open(toHostPath(value), "wb")
            except (OSError, ValueError):
                raise WriterFailure(2, value)
            with handle:
                handle.write(self.userAnalyserCopy())
        return value

    def writePersonality(self, group, path):
        self.remember(path)
        try:
            handle = open(toHostPath(path), "wb")
        except (OSError, ValueError):
            raise WriterFailure(2, path)
        with handle:
            for directory in group.includes:
                handle.write(b'-i "' + directory + b'"' + CRLF)
            for name in sorted(group.defines):
                value = group.defines[name]
                handle.write(b'-d "' + name + (b"=" + value if value else b"") + b'"' + CRLF)
            handle.write(self.userAnalyserCopy())


# ---------------------------------------------------------------- entry and driver

USAGE = [b"Usage: Kalvex <source_proj> <dest_folder> -cp <compiler_personality> [-pn dest_proj_name]",
         b"[-mp message_personality] [-ap analyser_personality] [-ext file_extension]"]


def makeAbsolutePath(path, cwd):
    if len(path) >= 2 and path[1:2] == b":":
        if path[2:3] == BS:
            return path
        return cwd + BS + path[2:]
    if path[:1] == BS:
        return path
    if path == b".":
        return cwd
    return cwd + BS + path


def defaultProjectName(sourceProject):
    dot = sourceProject.rfind(b".")
    stem = sourceProject[:dot] if dot >= 0 else sourceProject
    start = stem.rfind(BS) + 1
    last = stem.rfind(b".")
    return stem[start:last] if last >= start else stem[start:]


def rootName(sourceProject):
    fileName = sourceProject[sourceProject.rfind(BS) + 1:]
    return fileName if len(fileName) < 4 else fileName[:-4]


def applyOptions(settings, words, cwd):
    for index, word in enumerate(words):
        if index + 1 >= len(words):
            break
        value = words[index + 1]
        if word == b"-pn":
            settings.projectName = value
        elif word == b"-mp":
            settings.messagePersonality = makeAbsolutePath(value.replace(SL, BS), cwd)
        elif word == b"-ap":
            settings.analyserPersonality = makeAbsolutePath(value.replace(SL, BS), cwd)
        elif word == b"-cp":
            settings.compilerPersonality = makeAbsolutePath(value.replace(SL, BS), cwd)
        elif word == b"-ext":
            settings.extensions.extend(value.split(b","))
        elif word == b"-config":
            settings.configuration = value
        elif word == b"-cdb":
            settings.compileDatabase = makeAbsolutePath(value.replace(SL, BS), cwd)


def convert(settings, out):
    try:
        readCompilerIncludes(settings, out)
        source = settings.sourceProject
        root = Group(rootName(source))
        root.sourcePath = source[:source.rfind(BS)] if BS in source else source
        reader = Reader(settings, out)
        reader.parse(root, source, [])
        writer = Writer(settings, out)
        given = [settings.messagePersonality, settings.analyserPersonality, settings.compilerPersonality]
        writer.inputs = reader.identitiesRead + [identityOf(path) for path in given if path and identityOf(path)]
        return writer.writeProject(root)
    except ReaderFailure as failure:
        out.append(b"Could not open file: " + failure.path)
    except LoopFailure as failure:
        out.append(b"Sub-project loop: " + failure.path)
    except NotTextFailure as failure:
        out.append(b"Not a project file: " + failure.path)
    except UnknownConfiguration as failure:
        out.append(b"Unknown configuration: " + settings.configuration)
        out.extend(b"  " + name + b" (" + tag + b")" for name, tag in failure.configurations)
    except WriterFailure as failure:
        prefix = b"Could not create directory: " if failure.code == 1 else b"Could not write file: "
        out.append(prefix + failure.path)
    return 1


def run(words, cwd):
    """(exit status, standard output) of one run; `words` excludes the program name."""
    out = []
    if len(words) + 1 < 4:
        return 0, b"".join(line + b"\n" for line in USAGE)
    systemCwd = os.fsencode(cwd).replace(SL, BS)
    source = makeAbsolutePath(words[0].replace(SL, BS), systemCwd)
    dest = makeAbsolutePath(words[1].replace(SL, BS), systemCwd)
    settings = Settings(source, dest)
    settings.projectName = defaultProjectName(source)
    applyOptions(settings, words, systemCwd)
    status = convert(settings, out)
    return status, b"".join(line + b"\n" for line in out)
