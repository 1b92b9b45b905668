#!/usr/bin/env python3
"""Writes core/charset_tables.cpp, the two translation groups of the character repertoire,
core/unicode_tables.cpp, the Unicode text of every repertoire position, core/script_tables.cpp,
the single-byte character sets of other Macintosh scripts, and core/double_byte_tables.cpp, the
Macintosh character sets of Japanese, Chinese and Korean.

Run from anywhere:   python3 tools/gen_charsets.py [--check]

Input (outside the repository, in the folder that holds it):
  ../shared/charsets/repertoire-unicode.tsv   Unicode character of every repertoire position
  ../shared/charsets/symbol-font-unicode.tsv  byte -> Unicode map of the Symbol font
and in the repository:
  tools/data/dingbats-unicode.tsv             byte -> Unicode map of the Zapf Dingbats font

Group 0 (code page 437): the character's code-page byte; else a near substitute from the
tables below; else "_". Tables 9..14 are all "_". Never the Symbol flag.
Group 1 (code page 1252): the character's code-page byte; else its Symbol-font byte with high
byte 1; else "_". Tables 9..14 are all "_" (their Cyrillic letters and Japanese kana
are not in the code page, and the Symbol font's Greek letters would stand for other letters).
Positions the repertoire does not define are "_" in both groups, so no entry is 0. One
position that our Symbol reader table writes and the data file leaves open is added below.

Unicode: every position the repertoire defines, as its characters in NFC (a lone combining
accent as its spacing form, as the code-page groups take it, or on a no-break space), in UTF-8;
undefined positions are null. The Macintosh system font's symbols (table 5, 252..255) and the
Zapf Dingbats characters (table 5 from 35, one position per byte that has a glyph, in byte order;
core/charset.h) are added; both groups give "_" for them.

--check: exit with status 1 when a committed file differs from what would be written.
Prints how many entries of each group are exact, substituted and "_".
"""

import os
import re
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(os.path.dirname(ROOT), "shared", "charsets")
OUTPUT = os.path.join(ROOT, "core", "charset_tables.cpp")
UNICODE_OUTPUT = os.path.join(ROOT, "core", "unicode_tables.cpp")
SCRIPT_OUTPUT = os.path.join(ROOT, "core", "script_tables.cpp")
DOUBLE_BYTE_OUTPUT = os.path.join(ROOT, "core", "double_byte_tables.cpp")

# The single-byte Macintosh character sets of other scripts whose characters
# the repertoire holds: name in the C++ table, Python codec. Bytes 0x80..0xFF
# become the repertoire position of their character; these stand in where
# the repertoire has none.
SCRIPT_SETS = [("Greek", "mac_greek"), ("Cyrillic", "mac_cyrillic"), ("CentralEuropean", "mac_latin2")]
SCRIPT_SUBSTITUTES = {
    "\u00A0": ("byte", 0x20),    # no-break space: a space, as in the Roman table
    "\u00AD": ("byte", 0),       # soft hyphen: nothing
    "\u00A6": ("byte", 0x7C),    # broken bar: "|"
    "\u2015": ("char", "\u2014"),  # horizontal bar: the em dash
    "\u03C2": ("char", "\u03C3"),  # final sigma: sigma
    "\u2206": ("char", "\u0394"),  # increment: capital delta
    "\u02C7": ("char", "\u030C"),  # caron: the repertoire's caron accent
}

# The Macintosh character sets of the scripts written with one or two bytes a
# character: (name in the C++ table, Script Manager script code, Python codec
# of the national standard they are built on, lead bytes, trail bytes, the
# single bytes Apple's sets give beyond that standard). Undefined pairs are 0.
# Mac OS Japanese also repeats the punctuation of Shift-JIS lead bytes
# 0x81..0x83 at 0xEB..0xED in forms for vertical text: they read as the
# horizontal characters. Apple's own symbols at 0x85..0x88 have no
# counterpart in the codec and stay undefined.
APPLE_SINGLES = {0xA0: "\u00A0", 0xFD: "\u00A9", 0xFE: "\u2122", 0xFF: "\u2026"}
DOUBLE_BYTE_SETS = [
    ("Japanese", 1, "shift_jis", list(range(0x81, 0xA0)) + list(range(0xE0, 0xEE)),
     list(range(0x40, 0x7F)) + list(range(0x80, 0xFD)), {**APPLE_SINGLES, 0x80: "\\", 0x5C: "\u00A5"}),
    ("TraditionalChinese", 2, "big5", list(range(0xA1, 0xFA)),
     list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)), APPLE_SINGLES),
    ("Korean", 3, "euc_kr", list(range(0xA1, 0xFF)), list(range(0xA1, 0xFF)), {}),
    ("SimplifiedChinese", 25, "gb2312", list(range(0xA1, 0xF8)), list(range(0xA1, 0xFF)), APPLE_SINGLES),
]
VERTICAL_FORMS = {0xEB: 0x81, 0xEC: 0x82, 0xED: 0x83}  # Mac OS Japanese

FILL = 0x5F  # "_"
SYMBOL_FLAG = 0x100
TABLES = 14
GREEK = 8

# A lone combining accent in a repertoire table stands for the spacing accent.
SPACING_FORM = {
    0x0300: 0x0060,  # grave
    0x0301: 0x00B4,  # acute
    0x0302: 0x02C6,  # circumflex
    0x0303: 0x02DC,  # tilde
    0x0304: 0x00AF,  # macron
    0x0305: 0x203E,  # overline
    0x0306: 0x02D8,  # breve
    0x0307: 0x02D9,  # dot above
    0x0308: 0x00A8,  # diaeresis
    0x030A: 0x02DA,  # ring above
    0x030B: 0x02DD,  # double acute
    0x030C: 0x02C7,  # caron
    0x0327: 0x00B8,  # cedilla
    0x0328: 0x02DB,  # ogonek
}

# Group 0: near substitutes for characters that code page 437 lacks.
CP437_SUBSTITUTES = {
    # spacing accents -> ASCII marks
    0x00B4: "'",  # acute
    0x02C6: "^",  # circumflex
    0x02DC: "~",  # tilde
    0x00AF: "-",  # macron
    0x203E: "-",  # overline
    0x00A8: '"',  # diaeresis
    0x02DD: '"',  # double acute
    0x02D9: ".",  # dot above
    0x00B8: ",",  # cedilla
    0x02DB: ",",  # ogonek
    0x02BC: "'",  # modifier apostrophe
    0x0313: "'",  # comma above
    0x0315: "'",  # comma above right
    0x0326: ",",  # comma below
    0x0335: "-",  # short stroke overlay
    0x0337: "/",  # short solidus overlay
    0x0338: "/",  # long solidus overlay
    # letters with a stroke (no decomposition) -> base letter
    0x00D8: "O", 0x00F8: "o",  # Ø ø
    0x0110: "D", 0x0111: "d",  # Đ đ
    0x00D0: "D", 0x00F0: "d",  # Ð ð
    0x0126: "H", 0x0127: "h",  # Ħ ħ
    0x0141: "L", 0x0142: "l",  # Ł ł
    0x013F: "L", 0x0140: "l",  # Ŀ ŀ
    0x0166: "T", 0x0167: "t",  # Ŧ ŧ
    0x0131: "i",               # dotless i
    # quotation marks -> straight quotes, dashes -> "-"
    0x2018: "'", 0x2019: "'", 0x201B: "'", 0x201A: ",",
    0x201C: '"', 0x201D: '"', 0x201F: '"', 0x201E: '"',
    0x2039: "<", 0x203A: ">",
    0x2012: "-", 0x2013: "-", 0x2014: "-", 0x2015: "-", 0x2212: "-",
    # signs
    0x00A9: "C",  # ©
    0x00AE: "R",  # ®
    0x2022: "\N{BLACK SQUARE}",  # bullet -> the code page's square bullet
    0x25CF: "\N{BLACK SQUARE}",  # black circle
    0x25AA: "\N{BLACK SQUARE}",  # small black square
    0x22C5: "\N{MIDDLE DOT}",    # dot operator
    # Greek letters -> the code page's own Greek-looking characters
    0x03B2: "\N{LATIN SMALL LETTER SHARP S}",  # β
    0x03BC: "\N{MICRO SIGN}",                  # μ
    0x03D5: "\N{GREEK SMALL LETTER PHI}",      # ϕ
}

# Positions our reader tables write that the data file leaves undefined.
READER_POSITIONS = {
    (7, 11): "\u23AA",  # brace extension: Symbol font byte 0xEF
}

# Positions only the Unicode table gives: the Macintosh system font's symbols (command key,
# check mark, black diamond, and the Apple logo at Apple's private-use code point), which the
# code-page writers put out in forms of their own.
UNICODE_ONLY_POSITIONS = {
    (5, 252): "\u2318",
    (5, 253): "\u2713",
    (5, 254): "\u25C6",
    (5, 255): "\uF8FF",
}

# The Zapf Dingbats characters follow the 35 of table 5, in byte order (core/charset.h).
DINGBAT_TABLE = 5
DINGBAT_FIRST = 35
DINGBAT_COUNT = 201


def read_dingbats():
    """{(table, index): str} of the dingbat positions."""
    path = os.path.join(ROOT, "tools", "data", "dingbats-unicode.tsv")
    positions = {}
    with open(path, encoding="utf-8") as f:
        rows = [line.rstrip("\n").split("\t") for line in f if line.strip() and not line.startswith("#")]
    for rank, cols in enumerate(sorted(rows, key=lambda c: int(c[0], 16))):
        positions[(DINGBAT_TABLE, DINGBAT_FIRST + rank)] = chr(int(cols[1][2:], 16))
    assert len(positions) == DINGBAT_COUNT, len(positions)
    return positions


# Group 1: characters taken from the Symbol font although code page 1252 has them too.
PREFER_SYMBOL = {0x2022}  # bullet
# Group 1: the Symbol font's code point for a repertoire character it draws under another one.
SYMBOL_ALIASES = {
    0x27E8: 0x2329,  # mathematical left angle bracket
    0x27E9: 0x232A,  # mathematical right angle bracket
}


def read_tsv(name):
    with open(os.path.join(DATA, name), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            yield line.rstrip("\n").split("\t")


def read_repertoire():
    """{(table, index): str} for every defined position."""
    positions = {}
    for cols in read_tsv("repertoire-unicode.tsv"):
        table, index, code = int(cols[0]), int(cols[1]), cols[2]
        if code != "-":
            positions[(table, index)] = "".join(chr(int(u, 16)) for u in re.findall(r"U\+([0-9A-Fa-f]+)", code))
    for position, text in READER_POSITIONS.items():
        positions.setdefault(position, text)
    return positions


def read_symbol_font():
    """{code point: Symbol byte}; the first byte wins where the font has a character twice."""
    font = {}
    for cols in read_tsv("symbol-font-unicode.tsv"):
        byte, code = int(cols[0], 16), int(cols[1][2:], 16)
        font.setdefault(code, byte)
    return font


def character(text):
    """The one character a position stands for, or None for a sequence."""
    text = unicodedata.normalize("NFC", text)
    if len(text) != 1:
        return None
    return chr(SPACING_FORM.get(ord(text), ord(text)))


def encode(ch, codec):
    try:
        b = ch.encode(codec)
    except UnicodeEncodeError:
        return None
    return b[0] if len(b) == 1 and 0x20 <= b[0] != 0x7F else None


def base_letter(text):
    """The letter without its diacritics, when that leaves one letter (Á -> A, ʼN -> N)."""
    stripped = "".join(c for c in unicodedata.normalize("NFD", text)
                       if not unicodedata.combining(c) and c != "\u02BC")
    if len(stripped) == 1 and stripped != text and unicodedata.category(stripped).startswith("L"):
        return stripped
    return None


def cp437_entry(text):
    """(entry, kind) with kind 'exact', 'substitute' or 'fill'."""
    ch = character(text)
    if ch and (b := encode(ch, "cp437")) is not None:
        return b, "exact"
    for candidate in (ch, base_letter(text)):
        if not candidate:
            continue
        if ord(candidate) in CP437_SUBSTITUTES:
            return encode(CP437_SUBSTITUTES[ord(candidate)], "cp437"), "substitute"
        if candidate != ch and (b := encode(candidate, "cp437")) is not None:
            return b, "substitute"
    return FILL, "fill"


def cp1252_entry(text, symbol_font):
    ch = character(text)
    if ch:
        cp = ord(ch)
        symbol = symbol_font.get(SYMBOL_ALIASES.get(cp, cp))
        if cp in PREFER_SYMBOL and symbol is not None:
            return SYMBOL_FLAG | symbol, "symbol"
        if (b := encode(ch, "cp1252")) is not None:
            return b, "exact"
        if symbol is not None:
            return SYMBOL_FLAG | symbol, "symbol"
    return FILL, "fill"


def build_group(positions, tables, make_entry):
    group, stats = {}, {}
    for table in tables:
        entries = []
        for index in range(256):
            text = positions.get((table, index))
            entry, kind = make_entry(text) if text is not None else (FILL, "undefined")
            assert entry, (table, index)
            entries.append(entry)
            stats[kind] = stats.get(kind, 0) + 1
        group[table] = entries
    return group, stats


def format_table(name, entries, comment):
    lines = [f"// {comment}", f"constexpr TranslationTable {name} = {{"]
    for row in range(0, 256, 8):
        cells = ", ".join(f"0x{e:04X}" for e in entries[row:row + 8])
        lines.append(f"    /* {row:3d} */ {cells},")
    lines.append("};")
    return "\n".join(lines)


def render(group0, group1):
    out = [
        "// GENERATED FILE, do not edit: written by tools/gen_charsets.py from",
        "// ../shared/charsets/repertoire-unicode.tsv and symbol-font-unicode.tsv.",
        "// Regenerate with:  python3 tools/gen_charsets.py",
        "//",
        "// Translation groups: repertoire position (table, index) -> target entry. Low byte: the",
        "// target byte; high byte 1: a Symbol-font character. Undefined positions give \"_\".",
        '#include "core/charset.h"',
        "",
        "namespace lettrix {",
        "namespace {",
        "",
    ]
    for table in range(1, GREEK + 1):
        out += [format_table(f"kCp437Table{table}", group0[table], f"Group 0 (code page 437), table {table}."), ""]
    out += [format_table("kFillTable", [FILL] * 256, "Both groups, tables 9..14 (Cyrillic, Japanese kana...): nothing to show."), ""]
    for table in range(1, GREEK + 1):
        out += [format_table(f"kCp1252Table{table}", group1[table], f"Group 1 (code page 1252 + Symbol), table {table}."), ""]
    out += ["}  // namespace", ""]
    g0 = ", ".join([f"&kCp437Table{t}" for t in range(1, GREEK + 1)] + ["&kFillTable"] * (TABLES - GREEK))
    g1 = ", ".join([f"&kCp1252Table{t}" for t in range(1, GREEK + 1)] + ["&kFillTable"] * (TABLES - GREEK))
    out += [f"const TranslationGroup kCodePage437Group = {{{{{g0}}}}};", ""]
    out += [f"const TranslationGroup kCodePage1252Group = {{{{{g1}}}}};", ""]
    out += ["}  // namespace lettrix", ""]
    return "\n".join(out)


def c_string(text):
    """A C++ string literal of text in UTF-8, every byte outside printable ASCII as an escape."""
    out = []
    escaped = False
    for b in text.encode("utf-8"):
        if 0x20 <= b < 0x7F and chr(b) not in '"\\?':
            if escaped and chr(b) in "0123456789abcdefABCDEF":
                out.append('""')  # ends the escape before a hex digit
            out.append(chr(b))
            escaped = False
        else:
            out.append(f"\\x{b:02X}")
            escaped = True
    return '"' + "".join(out) + '"'


def unicode_text(text):
    """NFC; a lone accent as its spacing form, or on a no-break space where it has none."""
    text = unicodedata.normalize("NFC", text)
    if len(text) == 1 and ord(text) in SPACING_FORM:
        return chr(SPACING_FORM[ord(text)])
    if unicodedata.combining(text[0]):
        return "\u00A0" + text
    return text


def render_unicode(positions):
    out = [
        "// GENERATED FILE, do not edit: written by tools/gen_charsets.py from",
        "// ../shared/charsets/repertoire-unicode.tsv and tools/data/dingbats-unicode.tsv.",
        "// Regenerate with:  python3 tools/gen_charsets.py",
        "//",
        "// The Unicode text of every repertoire position, UTF-8; null where the repertoire defines",
        "// no character.",
        '#include "core/unicode_tables.h"',
        "",
        "namespace lettrix {",
        "",
        "const char* const kRepertoireUtf8[14][256] = {",
    ]
    for table in range(1, TABLES + 1):
        out.append(f"    {{  // table {table}")
        for index in range(256):
            text = UNICODE_ONLY_POSITIONS.get((table, index), positions.get((table, index)))
            cell = c_string(unicode_text(text)) if text else "nullptr"
            out.append(f"        {cell},  // {index}")
        out.append("    },")
    out += ["};", ""]
    # The single code point of each position (for RTF's \u), and the code pages' own.
    out.append("const std::uint16_t kRepertoireCodePoint[14][256] = {")
    for table in range(1, TABLES + 1):
        cells = []
        for index in range(256):
            text = UNICODE_ONLY_POSITIONS.get((table, index), positions.get((table, index)))
            t = unicode_text(text) if text else ""
            cells.append(f"0x{ord(t):04X}" if len(t) == 1 and ord(t) < 0x10000 else "0")
        out.append(f"    {{  // table {table}")
        for row in range(0, 256, 8):
            out.append("        " + ", ".join(cells[row:row + 8]) + ",")
        out.append("    },")
    out += ["};", ""]
    for name, codec in (("kCodePage437Unicode", "cp437"), ("kCodePage1252Unicode", "cp1252")):
        cells = []
        for b in range(256):
            try:
                ch = bytes([b]).decode(codec)
                cells.append(f"0x{ord(ch):04X}" if b >= 0x20 else "0")
            except UnicodeDecodeError:
                cells.append("0")
        out.append(f"const std::uint16_t {name}[256] = {{")
        for row in range(0, 256, 8):
            out.append("    " + ", ".join(cells[row:row + 8]) + ",")
        out += ["};", ""]
    out += ["}  // namespace lettrix", ""]
    return "\n".join(out)


def render_scripts(positions):
    """core/script_tables.cpp: the upper halves of the script reader tables."""
    by_text = {}
    for (table, index), text in sorted(positions.items()):
        by_text.setdefault(text, (table, index))
    out = [
        "// GENERATED FILE, do not edit: written by tools/gen_charsets.py from",
        "// ../shared/charsets/repertoire-unicode.tsv and Python's Macintosh codecs.",
        "// Regenerate with:  python3 tools/gen_charsets.py",
        "//",
        "// Bytes 0x80..0xFF of the Macintosh character sets of other scripts, as",
        "// reader-table entries (core/charset.h): high byte the repertoire table, low",
        "// byte its index; high byte 0, a plain byte.",
        '#include "core/charset.h"',
        "",
        "namespace lettrix {",
        "",
    ]
    for name, codec in SCRIPT_SETS:
        cells = []
        for b in range(0x80, 0x100):
            ch = unicodedata.normalize("NFC", bytes([b]).decode(codec))
            kind, value = SCRIPT_SUBSTITUTES.get(ch, ("char", ch))
            if kind == "byte":
                cells.append(f"0x{value:04X}")
                continue
            table, index = by_text.get(value, (0, FILL))
            cells.append(f"0x{table << 8 | index:04X}")
        out.append(f"const std::array<std::uint16_t, 128> kMac{name}Upper = {{")
        for row in range(0, 128, 8):
            out.append("    " + ", ".join(cells[row:row + 8]) + ",")
        out += ["};", ""]
    out += ["}  // namespace lettrix", ""]
    return "\n".join(out)


def decode_pair(codec, lead, trail):
    try:
        text = bytes([lead, trail]).decode(codec)
    except UnicodeDecodeError:
        return 0
    if len(text) != 1 or ord(text) > 0xFFFF or ord(text) < 0x80:
        return 0
    return ord(text)


def render_double_byte():
    """core/double_byte_tables.cpp: the double-byte Macintosh character sets."""
    out = [
        "// GENERATED FILE, do not edit: written by tools/gen_charsets.py from",
        "// Python's codecs of the national standards and Apple's additions.",
        "// Regenerate with:  python3 tools/gen_charsets.py",
        '#include "core/double_byte.h"',
        "",
        "namespace lettrix {",
        "",
        "namespace {",
        "",
    ]
    sets = []
    for name, script, codec, leads, trails, singles in DOUBLE_BYTE_SETS:
        first_trail, last_trail = trails[0], trails[-1]
        width = last_trail - first_trail + 1
        cells = []
        defined = 0
        for lead in leads:
            source_lead = VERTICAL_FORMS.get(lead, lead) if codec == "shift_jis" else lead
            for trail in range(first_trail, last_trail + 1):
                cp = decode_pair(codec, source_lead, trail) if trail in trails else 0
                defined += cp != 0
                cells.append(cp)
        single = []
        for b in range(256):
            if b in singles:
                single.append(ord(singles[b]))
            elif b < 0x80:
                single.append(b)
            elif b in leads:
                single.append(0)
            else:
                try:
                    text = bytes([b]).decode(codec)
                    single.append(ord(text) if len(text) == 1 else 0)
                except UnicodeDecodeError:
                    single.append(0)
        rows = [0] * 256
        for row, lead in enumerate(leads):
            rows[lead] = row + 1
        out.append(f"// {name}: {len(leads)} lead bytes, trail bytes 0x{first_trail:02X}..0x{last_trail:02X},"
                   f" {defined} characters.")
        out.append(f"const std::uint16_t k{name}Cells[{len(cells)}] = {{")
        for row in range(0, len(cells), 16):
            out.append("    " + ",".join(str(c) for c in cells[row:row + 16]) + ",")
        out += ["};", ""]
        sets.append((name, script, first_trail, width, len(cells), single, rows))
    out += ["}  // namespace", ""]
    for name, script, first_trail, width, count, single, rows in sets:
        out.append(f"const DoubleByteSet kMac{name}Set = {{")
        out.append(f'    "{name}", {script}, 0x{first_trail:02X}, {width}, k{name}Cells, {count},')
        out.append("    {" + ",".join(str(r) for r in rows) + "},")
        out.append("    {" + ",".join(str(c) for c in single) + "},")
        out += ["};", ""]
    out += ["}  // namespace lettrix", ""]
    return "\n".join(out)


def print_stats(title, stats):
    kinds = ["exact", "symbol", "substitute", "fill", "undefined"]
    print(f"{title}: " + ", ".join(f"{stats[k]} {k}" for k in kinds if k in stats))


def main(argv):
    positions = read_repertoire()
    dingbats = read_dingbats()
    clash = sorted(set(dingbats) & set(positions))
    assert not clash, f"dingbat positions the repertoire defines: {clash}"
    UNICODE_ONLY_POSITIONS.update(dingbats)
    symbol_font = read_symbol_font()
    group0, stats0 = build_group(positions, range(1, GREEK + 1), cp437_entry)
    group1, stats1 = build_group(positions, range(1, GREEK + 1), lambda t: cp1252_entry(t, symbol_font))
    beyond = sum(1 for (t, _) in positions if t > GREEK)
    text = render(group0, group1)
    unicode_text_file = render_unicode(positions)

    print_stats("group 0, tables 1-8", stats0)
    print(f"group 0, tables 9-14: {beyond} defined positions, all fill")
    print_stats("group 1, tables 1-8", stats1)
    print("group 1, tables 9-14: all fill")

    outputs = [(OUTPUT, text), (UNICODE_OUTPUT, unicode_text_file), (SCRIPT_OUTPUT, render_scripts(positions)),
               (DOUBLE_BYTE_OUTPUT, render_double_byte())]
    if "--check" in argv:
        stale = 0
        for path, content in outputs:
            with open(path, encoding="utf-8") as f:
                if f.read() != content:
                    print(f"{path} is out of date", file=sys.stderr)
                    stale = 1
        return stale
    for path, content in outputs:
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(content)
        print(f"wrote {os.path.relpath(path, ROOT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
