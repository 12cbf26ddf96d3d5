"""Readers of the reference data under ../shared/data (relative to the repository).

Nothing here is copied into the repository: the generator reads these files each time it runs.
"""

import os

import convert

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
DEFAULT_DATA = os.path.normpath(os.path.join(REPO, "..", "shared", "data"))
TOOL_DIR = os.path.dirname(os.path.abspath(__file__))

BRITFONE = "britfone/britfone.main.3.0.1.csv"
IPADICT = "ipa-dict/en_UK.txt"
SYLLABUS = "wordlists/cet-4-6-syllabus-words.txt"
STYLE = "wordlists/cet4-syllabus-transcriptions.tsv"
FREQUENCY = "wordlists/frequency-top-20000.txt"
CMUDICT = "cmudict/cmudict.txt"
WIKTIONARY = "wiktionary/en-ipa.tsv"

ALL_SOURCES = (BRITFONE, IPADICT, SYLLABUS, STYLE, FREQUENCY, CMUDICT, WIKTIONARY)


def _lines(data_dir, name):
    with open(os.path.join(data_dir, name), encoding="utf-8") as f:
        for line in f:
            yield line.rstrip("\r\n")


def _pairs(data_dir, name, separator):
    """The lines of a source split at the first separator; lines without one are skipped."""
    for line in _lines(data_dir, name):
        key, sep, value = line.partition(separator)
        if sep:
            yield key, value


def britfone(data_dir):
    """Lower-case word -> list of phoneme lists, in the source's variant order."""
    result = {}
    for key, ipa in _pairs(data_dir, BRITFONE, ", "):
        if key.endswith(")") and "(" in key:
            key = key[:key.rindex("(")]
        phonemes = convert.from_britfone(ipa)
        if phonemes:
            result.setdefault(key.replace("_", " ").lower(), []).append(phonemes)
    return result


def ipadict(data_dir):
    """Lower-case word -> list of phoneme lists."""
    result = {}
    for word, ipa in _pairs(data_dir, IPADICT, "\t"):
        for form in ipa.split(","):
            phonemes = convert.from_ipadict(form)
            if phonemes:
                result.setdefault(word.lower(), []).append(phonemes)
    return result


def style_forms(text):
    """The forms of one style-reference transcription as codes, or None if unreadable.

    Only the British forms are kept ("ˈfəutəgrɑːf;(US)-græf" is "5fEutEgra:f"); a form that
    begins with a hyphen is a shortened second form, as the dictionary writes it."""
    british = text.split(";")[0]
    forms = []
    for form in british.split(","):
        form = form.strip()
        if not form:
            continue
        codes = convert.style_codes(form)
        if codes is None:
            return None
        forms.append(codes)
    return forms or None


def style_reference(data_dir):
    """Word (as the list writes it) -> list of code forms, in file order."""
    result = {}
    for word, text in _pairs(data_dir, STYLE, "\t"):
        if word.startswith("#"):
            continue
        forms = style_forms(text)
        if forms and word not in result:
            result[word] = forms
    return result


def style_reference_words(data_dir):
    """Every word the style reference has a line for, as it writes it."""
    return [word.strip() for word, _ in _pairs(data_dir, STYLE, "\t")
            if not word.startswith("#")]


def word_list(data_dir, name):
    """The words of a one-word-a-line list, in order, without blanks around them."""
    return [w.strip() for w in _lines(data_dir, name) if w.strip()]


def tool_table(name, folder=TOOL_DIR):
    """A tab-separated table of this folder (or of folder): rows of fields, comments and blank
    lines skipped."""
    rows = []
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            rows.append(line.split("\t"))
    return rows


def numbered_lines(name, folder=TOOL_DIR):
    """(line number, line) of a table of this folder (or of folder) that are neither comments
    nor blank, for messages that name the line."""
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        return [(number, line.rstrip("\r\n")) for number, line in enumerate(f, 1)
                if line.strip() and not line.startswith("#")]


def dictionary_characters():
    """The characters a stored transcription may hold: every character of the dictionary codes
    in sonabet/notation.tsv and the punctuation of the written forms."""
    allowed = set("/()- \uff0c")
    with open(os.path.join(REPO, "sonabet", "notation.tsv"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) > 2:
                allowed.update(fields[2])
    return allowed
