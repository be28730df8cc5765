#!/usr/bin/env python3
"""Sums an `llvm-cov show -show-branches=count` listing: lines run of the lines
that can run, and branch ways taken of the ways there are, over every function
whose name does not match LEFT_OUT. Template instances of one line count once
(run if any instance ran it; a branch way taken if any instance took it).

The listing holds one `@@FILE path` line before each file's functions.

Usage: coverage_sum.py LISTING LEFT_OUT TARGET INPUTS FILES"""
import re
import sys

listing, left_out, target, inputs, files = sys.argv[1:6]
skip = re.compile(left_out)
head = re.compile(r"^(?:\S+\.cpp:)?(\S+):$")
line = re.compile(r"^\s*(\d+)\|\s*([0-9.]+[kMG]?)?\|")
branch = re.compile(r"^\s*\|\s*Branch \((\d+):(\d+)\): \[True: ([0-9.]+[kMG]?), False: ([0-9.]+[kMG]?)\]")
lines, ways = {}, {}
where, keep = None, False
for text in open(listing, encoding="utf-8", errors="replace"):
    if text.startswith("@@FILE "):
        where, keep = text[7:].strip(), False
        continue
    m = head.match(text)
    if m:
        keep = not skip.search(m.group(1))
        continue
    if not keep or where is None:
        continue
    m = line.match(text)
    if m and m.group(2) is not None:
        key = (where, int(m.group(1)))
        lines[key] = lines.get(key, False) or m.group(2) != "0"
        continue
    m = branch.match(text)
    if m:
        key = (where, m.group(1), m.group(2))
        true, false = ways.get(key, (False, False))
        ways[key] = (true or m.group(3) != "0", false or m.group(4) != "0")
run = sum(lines.values())
taken = sum(t + f for t, f in ways.values())
print("%-14s %7s %7.2f%% of %4d %8.2f%% of %5d   %s" % (
    target, inputs, 100.0 * run / max(1, len(lines)), len(lines),
    100.0 * taken / max(1, 2 * len(ways)), 2 * len(ways), files))
