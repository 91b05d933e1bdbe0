"""The condition grammar of brace groups, as text steps the model's reader builds on."""

import re


class Unreadable(Exception):
    """A condition that the grammar does not read."""


def protectedEnd(text, at):
    """Index after a double-quoted text or a "${...}" starting at `at`; `at` when none does."""
    if text[at:at + 1] == b'"':
        close = text.find(b'"', at + 1)
        if close < 0:
            raise Unreadable()
        return close + 1
    if text[at:at + 2] == b"${":
        close = text.find(b"}", at + 2)
        if close >= 0:
            return close + 1
    return at


def splitOutside(text, separator):
    """Pieces of text between the separators that stand outside parentheses, quotes and ${}."""
    pieces, depth, start, at = [], 0, 0, 0
    while at < len(text):
        end = protectedEnd(text, at)
        if end != at:
            at = end
            continue
        ch = text[at:at + 1]
        if ch == b"(":
            depth += 1
        elif ch == b")":
            depth -= 1
        elif depth == 0 and text.startswith(separator, at):
            pieces.append(text[start:at])
            start = at = at + len(separator)
            continue
        at += 1
    return pieces + [text[start:]]


def closingOf(text, start):
    """Index of the ")" matching the "(" at start, quotes and ${} skipped; -1 without one."""
    depth, at = 0, start
    while at < len(text):
        end = protectedEnd(text, at)
        if end != at:
            at = end
            continue
        depth += {b"(": 1, b")": -1}.get(text[at:at + 1], 0)
        if depth == 0:
            return at
        at += 1
    return -1


def leadingOperand(text):
    at = 0
    while at < len(text):
        end = protectedEnd(text, at)
        if end == at and text[at:at + 1] in OPERAND_STOPS:
            break
        at = max(end, at + 1)
    return text[:at]


OPERAND_STOPS = [bytes([c]) for c in b" \t()!&|<>=,"]
INTEGER = re.compile(rb"-?(0[xX][0-9a-fA-F]+|[0-9]+)")


def integerOf(text):
    if INTEGER.fullmatch(text) is None:
        return None
    negative = text.startswith(b"-")
    digits = text[1:] if negative else text
    value = int(digits, 16) if digits[:2] in (b"0x", b"0X") else int(digits, 10)
    return -value if negative else value


def anyOf(values):
    if True in values:
        return True
    return False if all(value is False for value in values) else None


def allOf(values):
    if False in values:
        return False
    return True if all(value is True for value in values) else None
