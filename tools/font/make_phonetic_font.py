#!/usr/bin/python3
"""Builds the phonetic font "Kingsoft Phonetic Plain" (Ksphonet.ttf) from DejaVu Sans.

Every printable ASCII character becomes a glyph: the phonetic codes of sonabet/notation.tsv draw
their IPA symbols, every other character draws itself. The same glyphs are mapped again at
U+F020..U+F07E, where programs that take the face for a symbol font store the codes, and the
full-width comma of the dictionary gets a glyph of its own.

Run with Debian's /usr/bin/python3 (python3-fonttools). The output depends only on the source
font, the notation table and this script, so it can be regenerated and compared byte for byte.

    /usr/bin/python3 tools/font/make_phonetic_font.py [--source DejaVuSans.ttf]
        [--notation notation.tsv] [--output-dir fonts] [--print-table]
"""

import argparse
import calendar
import copy
import os
import sys

from fontTools import subset
from fontTools.misc.timeTools import epoch_diff
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DEFAULT_SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
DEFAULT_NOTATION = os.path.join(REPO, "sonabet", "notation.tsv")
DEFAULT_OUTPUT_DIR = os.path.join(REPO, "fonts")

FONT_FILE = "Ksphonet.ttf"
LICENCE_FILE = "LICENSE-DejaVu.txt"
FAMILY = "Kingsoft Phonetic Plain"
STYLE = "Regular"
POSTSCRIPT_NAME = "KingsoftPhoneticPlain"
VERSION = "1.000"
MANUFACTURER = "Voxscribe"

FIRST_CODE = 0x20
LAST_CODE = 0x7E
SYMBOL_AREA = 0xF000  # a symbol font's codes live at U+F000 + code
FULLWIDTH_COMMA = 0xFF0C

# Fixed, so that the same inputs always give the same bytes.
TIMESTAMP = calendar.timegm((2026, 12, 8, 0, 0, 0)) - epoch_diff

# Records that carry the font's name; none of them may keep a name of the source font.
NAMING_IDS = (1, 2, 3, 4, 6)


class NotationError(Exception):
    pass


def read_code_map(path):
    """Code character -> IPA character, from both code columns of the notation table."""
    mapping = {}
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = (line.split("\t") + [""] * 5)[:5]
            symbol = fields[3]
            for code in (fields[1], fields[2]):
                if not code:
                    continue
                if len(code) != len(symbol):
                    raise NotationError(
                        f"{path}:{number}: code {code!r} and symbol {symbol!r} differ in length")
                for c, s in zip(code, symbol):
                    if not FIRST_CODE <= ord(c) <= LAST_CODE:
                        raise NotationError(f"{path}:{number}: {c!r} is not printable ASCII")
                    if mapping.setdefault(c, s) != s:
                        raise NotationError(
                            f"{path}:{number}: {c!r} drawn as both {mapping[c]!r} and {s!r}")
    return mapping


def code_table(mapping):
    """Every printable ASCII character with the character its glyph is taken from."""
    return [(chr(c), mapping.get(chr(c), chr(c))) for c in range(FIRST_CODE, LAST_CODE + 1)]


def subset_source(source, glyph_names):
    options = subset.Options()
    options.layout_features = []
    # Shaping tables would act on the source's letters, not on our codes; drop them.
    options.drop_tables += ["GSUB", "GPOS", "GDEF", "kern", "MATH", "FFTM", "BASE", "JSTF"]
    options.hinting = True
    options.glyph_names = True
    options.notdef_glyph = True
    options.notdef_outline = True
    options.name_IDs = ["*"]
    options.name_legacy = True
    options.name_languages = ["*"]
    options.recalc_timestamp = False
    options.prune_unicode_ranges = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(glyphs=glyph_names)
    subsetter.subset(source)


def add_fullwidth_comma(font):
    """The comma's outline in an em-wide cell, as a CJK font sets it."""
    name = "uniFF0C"
    order = font.getGlyphOrder()
    # The component's own metrics stay unused, so the advance below holds.
    pen = TTGlyphPen(font.getGlyphSet())
    pen.addComponent("comma", (1, 0, 0, 1, 0, 0))
    font["glyf"].glyphs[name] = pen.glyph()
    font["glyf"].glyphOrder = order + [name]
    font.setGlyphOrder(order + [name])
    _, lsb = font["hmtx"]["comma"]
    font["hmtx"][name] = (font["head"].unitsPerEm, lsb)
    return name


def build_cmap(font, glyph_for_char):
    mapping = {}
    for c in range(FIRST_CODE, LAST_CODE + 1):
        mapping[c] = glyph_for_char[chr(c)]
        mapping[SYMBOL_AREA + c] = glyph_for_char[chr(c)]
    mapping[FULLWIDTH_COMMA] = glyph_for_char["\uFF0C"]
    cmap = newTable("cmap")
    cmap.tableVersion = 0
    cmap.tables = []
    for platform, encoding in ((0, 3), (3, 1)):
        table = cmap_format_4(4)
        table.platformID = platform
        table.platEncID = encoding
        table.language = 0
        table.cmap = dict(mapping)
        cmap.tables.append(table)
    font["cmap"] = cmap


def build_names(font, source_names):
    licence = source_names.getDebugName(13)
    licence_url = source_names.getDebugName(14)
    copyright_notice = source_names.getDebugName(0).strip()
    records = {
        0: copyright_notice,
        1: FAMILY,
        2: STYLE,
        3: f"{FAMILY} {VERSION}",
        4: FAMILY,
        5: f"Version {VERSION}",
        6: POSTSCRIPT_NAME,
        8: MANUFACTURER,
        10: "Phonetic codes in printable ASCII drawn as IPA symbols. Glyph outlines from "
        "DejaVu Sans, under the Bitstream Vera and Arev licence below.",
        13: licence,
        14: licence_url,
    }
    name = newTable("name")
    name.names = []
    for name_id, text in sorted(records.items()):
        if text:
            name.setName(text, name_id, 3, 1, 0x409)
            name.setName(text, name_id, 1, 0, 0)
    font["name"] = name
    return licence


def build_font(source_path, notation_path):
    mapping = read_code_map(notation_path)
    table = code_table(mapping)
    font = TTFont(source_path, recalcTimestamp=False)
    source_names = copy.deepcopy(font["name"])
    source_cmap = font.getBestCmap()

    glyph_for_char = {}
    for code, symbol in table:
        glyph = source_cmap.get(ord(symbol))
        if glyph is None:
            raise NotationError(f"{source_path} has no glyph for {symbol!r} (code {code!r})")
        glyph_for_char[code] = glyph
    subset_source(font, sorted(set(glyph_for_char.values()) | {"comma"}))
    glyph_for_char["\uFF0C"] = add_fullwidth_comma(font)
    build_cmap(font, glyph_for_char)
    licence = build_names(font, source_names)

    head = font["head"]
    head.created = TIMESTAMP
    head.modified = TIMESTAMP
    head.fontRevision = float(VERSION)
    head.macStyle = 0
    os2 = font["OS/2"]
    os2.achVendID = "NONE"
    os2.usWeightClass = 400
    os2.fsSelection = (os2.fsSelection & ~0b1100001) | 0x40  # regular: not italic, not bold
    # A Western text font: word processors pick it for \fcharset0 runs.
    os2.ulCodePageRange1 = 1
    os2.ulCodePageRange2 = 0
    os2.recalcUnicodeRanges(font)
    os2.recalcAvgCharWidth(font)
    return font, table, licence


def licence_text(licence):
    header = (
        f"{FONT_FILE} (\"{FAMILY}\") is made from the glyph outlines of DejaVu Sans, which\n"
        "carries the licence below. The font is renamed as the licence requires.\n"
        "\n")
    return header + licence.rstrip() + "\n"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=DEFAULT_SOURCE)
    parser.add_argument("--notation", default=DEFAULT_NOTATION)
    parser.add_argument("--output-dir", default=DEFAULT_OUTPUT_DIR)
    parser.add_argument("--print-table", action="store_true",
                        help="print the code-to-symbol table as built")
    args = parser.parse_args(argv)
    if not os.path.isfile(args.source):
        print(f"source font {args.source} not found (Debian package fonts-dejavu-core)",
              file=sys.stderr)
        return 2
    try:
        font, table, licence = build_font(args.source, args.notation)
    except NotationError as error:
        print(error, file=sys.stderr)
        return 1
    os.makedirs(args.output_dir, exist_ok=True)
    font.save(os.path.join(args.output_dir, FONT_FILE), reorderTables=True)
    with open(os.path.join(args.output_dir, LICENCE_FILE), "w", encoding="utf-8",
              newline="\n") as out:
        out.write(licence_text(licence))
    if args.print_table:
        for code, symbol in table:
            if code != symbol:
                print(f"{code}\tU+{ord(symbol):04X}\t{symbol}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
