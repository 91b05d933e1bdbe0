#!/usr/bin/env python3
"""Runs the differential test's model of Kalvex as a program: the same words, the same
standard output and exit status, the same files written."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "differential"))
import model  # noqa: E402

if __name__ == "__main__":
    # The model reads and writes nested sub-projects by recursion; the deep shape nests 1,000.
    sys.setrecursionlimit(20000)
    status, out = model.run([os.fsencode(word) for word in sys.argv[1:]], os.getcwd())
    sys.stdout.buffer.write(out)
    sys.exit(status)
