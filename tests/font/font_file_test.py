#!/usr/bin/python3
"""Checks the committed phonetic font file fonts/Ksphonet.ttf.

    font_file_test.py --regenerate   the generator reproduces the committed font and licence
    font_file_test.py                names, character map and style of the committed font

Exits 77 (skipped) when fontTools or, for --regenerate, the DejaVu source font is missing.
"""

import os
import sys
import tempfile
import unittest

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
FONTS = os.path.join(REPO, "fonts")
sys.path.insert(0, os.path.join(REPO, "tools", "font"))

try:
    from fontTools.ttLib import TTFont
except ImportError:
    print("skipped: fontTools not found (Debian package python3-fonttools, /usr/bin/python3)")
    sys.exit(77)

import make_phonetic_font as generator  # noqa: E402

FONT = os.path.join(FONTS, generator.FONT_FILE)
LICENCE = os.path.join(FONTS, generator.LICENCE_FILE)
SOURCE_NAMES = ("DejaVu", "Bitstream", "Vera", "Arev", "Tavmjong")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


class RegenerateTest(unittest.TestCase):
    def test_generator_reproduces_the_committed_font_and_licence(self):
        if not os.path.isfile(generator.DEFAULT_SOURCE):
            self.skipTest(f"{generator.DEFAULT_SOURCE} not found (Debian package "
                          "fonts-dejavu-core); cannot regenerate the font")
        with tempfile.TemporaryDirectory() as out:
            code = generator.main(["--output-dir", out])
            self.assertEqual(code, 0)
            for name in (generator.FONT_FILE, generator.LICENCE_FILE):
                self.assertEqual(
                    read_bytes(os.path.join(out, name)), read_bytes(os.path.join(FONTS, name)),
                    f"fonts/{name} differs from a fresh generation; rerun "
                    "/usr/bin/python3 tools/font/make_phonetic_font.py and commit the result")


class FontFileTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = TTFont(FONT)

    def test_every_naming_record_names_the_face(self):
        expected = {1: generator.FAMILY, 2: "Regular", 4: generator.FAMILY,
                    6: "KingsoftPhoneticPlain", 16: generator.FAMILY, 17: "Regular"}
        seen = set()
        for record in self.font["name"].names:
            text = record.toUnicode()
            where = f"name {record.nameID} (platform {record.platformID})"
            if record.nameID in expected:
                self.assertEqual(text, expected[record.nameID], where)
                seen.add((record.platformID, record.nameID))
            if record.nameID == 3:
                self.assertIn(generator.FAMILY, text, where)
            if record.nameID in (1, 2, 3, 4, 6) or 16 <= record.nameID <= 25:
                for source_name in SOURCE_NAMES:
                    self.assertNotIn(source_name, text, where)
        for platform in (1, 3):
            for name_id in (1, 2, 4, 6):
                self.assertIn((platform, name_id), seen)

    def test_every_code_and_its_symbol_font_twin_and_the_fullwidth_comma_are_mapped(self):
        wanted = set(range(0x20, 0x7F)) | set(range(0xF020, 0xF07F)) | {0xFF0C}
        subtables = self.font["cmap"].tables
        self.assertTrue(any(t.platformID == 3 and t.platEncID == 1 for t in subtables))
        for table in subtables:
            where = f"cmap ({table.platformID}, {table.platEncID})"
            # A (3, 0) table would make Windows treat the face as a symbol font.
            self.assertNotEqual((table.platformID, table.platEncID), (3, 0))
            self.assertEqual(set(table.cmap), wanted, where)
            self.assertNotIn(".notdef", table.cmap.values(), where)
            for c in range(0x20, 0x7F):
                self.assertEqual(table.cmap[0xF000 + c], table.cmap[c], f"{where} U+{c:04X}")

    def _components_only(self):
        mapped = set(self.font.getBestCmap().values()) | {".notdef"}
        return [g for g in self.font.getGlyphOrder() if g not in mapped]

    def test_glyphs_beyond_the_map_are_only_parts_of_composites(self):
        glyf = self.font["glyf"]
        parts = set()
        for name in self.font.getGlyphOrder():
            if glyf[name].isComposite():
                parts.update(component.glyphName for component in glyf[name].components)
        for name in self._components_only():
            self.assertIn(name, parts, f"glyph {name} is neither mapped nor used")

    def test_the_face_is_a_plain_regular_western_font(self):
        os2 = self.font["OS/2"]
        self.assertEqual(os2.usWeightClass, 400)
        self.assertTrue(os2.fsSelection & 0x40, "REGULAR bit")
        self.assertFalse(os2.fsSelection & 0x21, "italic or bold bit")
        self.assertEqual(self.font["head"].macStyle, 0)
        self.assertTrue(os2.ulCodePageRange1 & 1, "Latin 1 code page")
        self.assertFalse(os2.ulCodePageRange1 & (1 << 31), "symbol code page")
        self.assertEqual(os2.usFirstCharIndex, 0x20)
        self.assertEqual(os2.usLastCharIndex, 0xFF0C)

    def test_the_licence_travels_with_the_font(self):
        with open(LICENCE, encoding="utf-8") as f:
            licence = f.read()
        names = self.font["name"]
        self.assertIn(names.getDebugName(13).rstrip(), licence)
        for notice in ("Copyright (c) 2003 by Bitstream, Inc.",
                       "Copyright (c) 2006 by Tavmjong Bah."):
            self.assertIn(notice, licence)
            self.assertIn(notice, names.getDebugName(0))


class NotationReadingTest(unittest.TestCase):
    def read(self, rows):
        with tempfile.NamedTemporaryFile("w", suffix=".tsv", encoding="utf-8",
                                         delete=False) as f:
            f.write("# comment\n" + "".join("\t".join(row) + "\n" for row in rows))
        try:
            return generator.read_code_map(f.name)
        finally:
            os.unlink(f.name)

    def test_both_code_columns_map_character_by_character(self):
        mapping = self.read([("vowel", "C:", "R:", "\u0254\u02D0"),
                             ("vowel", "ZE", "/E", "\u03B5\u0259"),
                             ("dictionary", "", "o", "o")])
        self.assertEqual(mapping, {"C": "\u0254", "R": "\u0254", ":": "\u02D0",
                                   "Z": "\u03B5", "/": "\u03B5", "E": "\u0259", "o": "o"})

    def test_a_code_and_symbol_of_different_length_is_refused(self):
        with self.assertRaisesRegex(generator.NotationError, "differ in length"):
            self.read([("vowel", "ai", "ai", "a")])

    def test_a_code_drawn_as_two_symbols_is_refused(self):
        with self.assertRaisesRegex(generator.NotationError, "drawn as both"):
            self.read([("vowel", "C", "", "\u0254"), ("rare", "C", "", "\u0251")])

    def test_a_code_outside_printable_ascii_is_refused(self):
        with self.assertRaisesRegex(generator.NotationError, "printable ASCII"):
            self.read([("vowel", "\u00e9", "", "e")])


def main():
    regenerate = "--regenerate" in sys.argv[1:]
    loader = unittest.TestLoader()
    if regenerate:
        suite = loader.loadTestsFromTestCase(RegenerateTest)
    else:
        suite = unittest.TestSuite(loader.loadTestsFromTestCase(case)
                                   for case in (FontFileTest, NotationReadingTest))
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        return 1
    if result.testsRun and len(result.skipped) == result.testsRun:
        return 77
    return 0


if __name__ == "__main__":
    sys.exit(main())
