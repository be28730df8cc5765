#!/usr/bin/env python3
"""The desktop entry and the AppStream metainfo speak every language of the
program: check_desktop_files.py DESKTOP METAINFO LANG..."""
import sys
import xml.etree.ElementTree as ET

XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def main():
    desktop, metainfo, langs = sys.argv[1], sys.argv[2], sys.argv[3:]
    problems = []
    keys = {}
    with open(desktop, encoding="utf-8") as f:
        for line in f:
            if "=" in line and not line.startswith("#"):
                k, v = line.rstrip("\n").split("=", 1)
                keys[k] = v
    root = ET.parse(metainfo).getroot()
    for lang in langs:
        for key in ("GenericName", "Comment", "Keywords"):
            value = keys.get(f"{key}[{lang}]", "")
            if not value or value == keys.get(key):
                problems.append(f"{desktop}: no {key}[{lang}]")
        summaries = [e for e in root.findall("summary") if e.get(XML_LANG) == lang]
        if not summaries or not summaries[0].text:
            problems.append(f"{metainfo}: no summary in {lang}")
        english = [p for p in root.find("description").findall("p") if p.get(XML_LANG) is None]
        own = [p for p in root.find("description").findall("p") if p.get(XML_LANG) == lang]
        if len(own) != len(english):
            problems.append(f"{metainfo}: {len(own)} description paragraphs in {lang}, {len(english)} in English")
        for caption in root.iter("screenshot"):
            if not [c for c in caption.findall("caption") if c.get(XML_LANG) == lang]:
                problems.append(f"{metainfo}: a screenshot without a caption in {lang}")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
