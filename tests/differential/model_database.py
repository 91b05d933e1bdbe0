"""The compilation database of the model: what each group and file carries, and its JSON text.

A group's database options are its include directories and defines as the lines of the group
itself give them (a line indented under a source file gives that file alone), its "-U" names,
and each listed file's own "-I", "-D" and "-U" lines in line order. A child starts from its
parent's group options, without the parent's files' own.
"""

CPP_EXTENSIONS = [b"cc", b"cp", b"cpp", b"cxx", b"c++"]
SHORT_ESCAPES = {'"': '\\"', "\\": "\\\\", "\b": "\\b", "\f": "\\f", "\n": "\\n", "\r": "\\r", "\t": "\\t"}


class DatabaseOptions:
    def __init__(self):
        self.includes = []
        self.ownIncludes = 0
        self.defines = {}
        self.undefines = []
        self.fileOptions = {}

    def inherited(self):
        child = DatabaseOptions()
        child.includes = list(self.includes)
        child.defines = dict(self.defines)
        child.undefines = list(self.undefines)
        return child

    def addFileOption(self, index, option, value):
        if index is not None:
            self.fileOptions.setdefault(index, []).append((option, value))


def jsonString(data):
    """data as a JSON string: valid UTF-8 as it is, every other byte as its Latin-1 character."""
    out = ['"']
    for ch in data.decode("utf-8", errors="surrogateescape"):
        code = ord(ch)
        if ch in SHORT_ESCAPES:
            out.append(SHORT_ESCAPES[ch])
        elif code < 0x20:
            out.append("\\u%04X" % code)
        elif 0xDC80 <= code <= 0xDCFF:
            out.append("\\u00%02X" % (code - 0xDC00))
        else:
            out.append(ch)
    out.append('"')
    return "".join(out).encode("utf-8")


def fileArguments(group, index, path, compilerIncludes, spell, extensionAccepted):
    """The builder's order: compiler folders, the file's own folders, the group's options, the
    file's own defines and undefines, then the file."""
    database = group.database
    own = database.fileOptions.get(index, [])
    arguments = [b"c++" if extensionAccepted(path, CPP_EXTENSIONS) else b"cc"]
    arguments += [word for directory in compilerIncludes for word in (b"-I", spell(directory))]
    arguments += [word for option, value in own if option == b"-I" for word in (option, spell(value))]
    arguments += [word for directory in database.includes for word in (b"-I", spell(directory))]
    for name in sorted(database.defines):
        value = database.defines[name]
        arguments += [b"-D", name + b"=" + value if value else name]
    arguments += [word for name in database.undefines for word in (b"-U", name)]
    arguments += [word for option, value in own if option != b"-I" for word in (option, value)]
    return arguments + [b"-c", spell(path)]


def entries(group, compilerIncludes, spell, extensionAccepted):
    for index, path in enumerate(group.files):
        if path:
            yield (spell(group.sourcePath), spell(path),
                   fileArguments(group, index, path, compilerIncludes, spell, extensionAccepted))
    for child in group.children:
        yield from entries(child, compilerIncludes, spell, extensionAccepted)


def databaseText(root, compilerIncludes, spell, extensionAccepted):
    blocks = []
    for directory, path, arguments in entries(root, compilerIncludes, spell, extensionAccepted):
        blocks.append(b"  {\n    \"directory\": " + jsonString(directory) + b",\n    \"file\": " + jsonString(path) +
                      b",\n    \"arguments\": [" + b", ".join(jsonString(a) for a in arguments) + b"]\n  }")
    return b"[\n" + b",\n".join(blocks) + b"\n]\n" if blocks else b"[]\n"
