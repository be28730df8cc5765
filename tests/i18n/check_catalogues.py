#!/usr/bin/env python3
"""The translation catalogues against the sources.

check_catalogues.py LUPDATE SOURCE_LIST_FILE TS... [-- LUPDATE_OPTIONS...]

Runs lupdate over the sources into copies of the catalogues (the committed
ones are left alone) and fails when a copy then holds a text without a
finished translation (a text marked since the last update, or one never
translated), a text the sources no longer have (obsolete or vanished), or a
translation whose placeholders (%1..%9) or mnemonic marker (&) differ from
its source's."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET


def placeholders(text):
    return sorted(re.findall(r"%[1-9]", text))


def mnemonics(text):
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def main():
    args = sys.argv[1:]
    options = []
    if "--" in args:
        cut = args.index("--")
        args, options = args[:cut], args[cut + 1:]
    lupdate, source_list, catalogues = args[0], args[1], args[2:]
    with open(source_list, encoding="utf-8") as f:
        sources = [line.strip() for line in f if line.strip()]
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        listing = os.path.join(tmp, "sources.lst")
        with open(listing, "w", encoding="utf-8") as f:
            f.write("\n".join(sources) + "\n")
        for ts in catalogues:
            copy = os.path.join(tmp, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            run = subprocess.run([lupdate, "-silent", *options, "@" + listing, "-ts", copy],
                                 capture_output=True, text=True)
            if run.returncode != 0:
                problems.append(f"{ts}: lupdate failed: {run.stderr.strip()}")
                continue
            name = os.path.basename(ts)
            for context in ET.parse(copy).getroot().iter("context"):
                ctx = context.findtext("name")
                for message in context.iter("message"):
                    source = message.findtext("source") or ""
                    translation = message.find("translation")
                    kind = translation.get("type") if translation is not None else "missing"
                    text = "".join(translation.itertext()) if translation is not None else ""
                    if kind in ("obsolete", "vanished"):
                        problems.append(f"{name}: [{ctx}] no longer in the sources: {source!r}")
                    elif kind == "unfinished" or not text:
                        problems.append(f"{name}: [{ctx}] not translated: {source!r}")
                    else:
                        if placeholders(text) != placeholders(source):
                            problems.append(f"{name}: [{ctx}] placeholders differ: {source!r} -> {text!r}")
                        if mnemonics(text) != mnemonics(source):
                            problems.append(f"{name}: [{ctx}] mnemonic marker differs: {source!r} -> {text!r}")
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} problem(s); update with the build target update_translations, "
              "then translate in the catalogues under i18n/")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
