#!/usr/bin/env python3
"""Writes the English translations (translations/en/*.ts, as lupdate keeps them) as a C++ table
for cli/EmbeddedTranslations.h: context, Japanese source and English text of every finished
translation. The program looks texts up in it itself, so it needs neither a file beside it nor
Qt to speak English.

    translation_table.py OUT.cpp FILE.ts ..."""

import os
import sys
import xml.etree.ElementTree as ET


def text_of(element):
    """The text of a source or translation; <byte value="xd"/> stands for a control character."""
    out = element.text or ""
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "")
            out += chr(int(value[1:], 16) if value.startswith("x") else int(value))
        else:
            out += text_of(child)
        out += child.tail or ""
    return out


def literal(text):
    """A C++ string literal of the UTF-8 bytes; octal escapes, which end after three digits."""
    out = []
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if 0x20 <= byte < 0x7F and ch not in '"\\?':
            out.append(ch)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def main():
    target, files = sys.argv[1], sys.argv[2:]
    rows = []
    for path in sorted(files):
        for context in ET.parse(path).getroot().iter("context"):
            name = context.findtext("name", "")
            for message in context.iter("message"):
                source, translation = message.find("source"), message.find("translation")
                if source is None or translation is None or translation.get("type"):
                    continue  # unfinished, vanished or obsolete: the Japanese text stays
                rows.append((name, text_of(source), text_of(translation)))
    body = ["// Generated from translations/en/*.ts by cmake/translation_table.py; do not edit.",
            '#include "cli/EmbeddedTranslations.h"', "", "namespace kl::cli {", "namespace {", "",
            "const EmbeddedText texts[] = {"]
    body += ["    {%s, %s, %s}," % (literal(c), literal(s), literal(t)) for c, s, t in rows]
    if not rows:
        body.append('    {"", "", ""},')
    body += ["};", "", "} // namespace", "",
             "std::span<const EmbeddedText> embeddedEnglish() {",
             "    return {texts, %d};" % len(rows), "}", "", "} // namespace kl::cli", ""]
    with open(target + ".tmp", "w", encoding="ascii") as out:
        out.write("\n".join(body))
    os.replace(target + ".tmp", target)


if __name__ == "__main__":
    main()
