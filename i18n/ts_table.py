#!/usr/bin/env python3
"""The finished translations of some contexts of the catalogues, as a C++
table for a program without Qt.

ts_table.py OUT.cpp HEADER CONTEXT[,CONTEXT...] LANG=FILE.ts...

Writes OUT.cpp defining tc::i18n::kTable and kTableSize (declared in HEADER,
an include path) with one row per finished message of the named contexts:
language, context, source, translation, all UTF-8."""
import sys
import xml.etree.ElementTree as ET


def literal(text):
    out = []
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c == "\\" or c == '"':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif 32 <= byte < 127 and c != "?":
            out.append(c)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def main():
    out, header, contexts = sys.argv[1], sys.argv[2], sys.argv[3].split(",")
    rows = []
    for pair in sys.argv[4:]:
        lang, path = pair.split("=", 1)
        for context in ET.parse(path).getroot().iter("context"):
            name = context.findtext("name")
            if name not in contexts:
                continue
            for message in context.iter("message"):
                translation = message.find("translation")
                if translation is None or translation.get("type") in ("unfinished", "obsolete", "vanished"):
                    continue
                text = "".join(translation.itertext())
                if text:
                    rows.append((lang, name, message.findtext("source") or "", text))
    lines = [f'// Made by i18n/ts_table.py from the catalogues; do not edit.',
             f'#include "{header}"', "", "namespace tc::i18n {", "",
             "const TableRow kTable[] = {"]
    for row in rows:
        lines.append("    {" + ", ".join(literal(x) for x in row) + "},")
    if not rows:
        lines.append('    {"", "", "", ""},')
    lines += ["};", f"const std::size_t kTableSize = {len(rows)};", "", "} // namespace tc::i18n", ""]
    text = "\n".join(lines)
    try:
        with open(out, encoding="utf-8") as f:
            if f.read() == text:
                return 0
    except OSError:
        pass
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
