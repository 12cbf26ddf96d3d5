"""Second opinions on a transcription: the CMU Pronouncing Dictionary, eSpeak NG's British voice
and the word lists of Debian's wbritish-insane and wamerican-insane.

CMU is American, so it never gives our vowels; it is trusted for what British and American
English share: the number of syllables, which of them bears the primary stress, and the
consonants (r and j aside, which the two accents place differently). eSpeak is British and gives
the vowels and the stress. A transcription is compared with them through its profile: its
syllables, the syllables with a primary stress and its consonants.
"""

import os
import subprocess

import coderules
import sources

WORD_LISTS = ("/usr/share/dict/british-english-insane", "/usr/share/dict/american-english-insane")
ESPEAK = "espeak-ng"
# eSpeak's English (Great Britain).
ESPEAK_VOICE = "en"
# Words per eSpeak process: one process reads many words, each its own sentence.
ESPEAK_BATCH = 4000

ARPABET_CONSONANTS = {
    "P": "p", "B": "b", "T": "t", "D": "d", "K": "k", "G": "g", "F": "f", "V": "v", "TH": "W",
    "DH": "T", "S": "s", "Z": "z", "SH": "F", "ZH": "V", "CH": "tF", "JH": "dV", "HH": "h",
    "M": "m", "N": "n", "NG": "N", "L": "l", "R": "r", "W": "w", "Y": "j",
}
ARPABET_VOWELS = {"AA", "AE", "AH", "AO", "AW", "AY", "EH", "ER", "EY", "IH", "IY", "OW", "OY",
                  "UH", "UW"}

# Our vowel codes, longest first: the rules' and three that entries kept as written hold
# ("5mouldi", "Ant5B:ktik"); "o" is the old spelling of Eu in two entries.
VOWELS = tuple(sorted(coderules.RULES.vowels + ["ou", "o", "B:"], key=len, reverse=True))
# r and j are left out of the comparison of consonants: the accents place them differently
# ("far" "fa:", "new" "nju:").
ASIDE = ("r", "j")
# The consonants that t, d, s and z before a j are in CMU ("actual", "gradual", "issue").
JOINED = {"t": "tF", "d": "dV", "s": "F", "z": "V"}


class Profile:
    """What the two accents share of a pronunciation: the number of syllables, those with the
    primary stress, those with any stress, and the consonants (each as written, a consonant
    that may be read two ways as "t|tF"), with the shapes they are compared in."""
    __slots__ = ("syllables", "primaries", "stressed", "consonants", "shapes", "vowels",
                 "assimilated", "british")

    def __init__(self, syllables, primaries, consonants, stressed=(), vowels=(), sequence=None):
        """sequence: the consonants with a "." for each vowel between them, for the shapes."""
        self.syllables = syllables
        self.british = False  # a Wiktionary reading that is clearly British
        self.vowels = tuple(vowels)
        self.primaries = frozenset(primaries)
        self.stressed = frozenset(stressed) | self.primaries
        self.consonants = tuple(consonants)
        shapes = [()]
        for c in (self.consonants if sequence is None else sequence):
            shapes = [s + (alternative,) for s in shapes for alternative in c.split("|")]
        self.shapes = frozenset(shape(s) for s in shapes)
        # n and N before k and g are one sound to two readings of British English.
        self.assimilated = frozenset(tuple("n" if c == "N" and s[i + 1:i + 2] in (("k",), ("g",))
                                           else c for i, c in enumerate(s))
                                     for s in self.shapes)

    def __repr__(self):
        return "Profile(%d, %s, %s)" % (self.syllables, sorted(self.primaries),
                                        "".join(self.consonants))


def tokens(codes):
    """One form's sounds and marks: ("5", "k", "w", "R", "l", "i", "t", "i")."""
    text = codes.replace("(h)", "").replace("(", "").replace(")", "")
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c in "5,":
            out.append(c)
            i += 1
            continue
        vowel = next((v for v in VOWELS if text.startswith(v, i)), None)
        if vowel:
            out.append(vowel)
            i += len(vowel)
        elif text.startswith(("tF", "dV"), i):
            out.append(text[i:i + 2])
            i += 2
        elif c.isalpha():
            out.append(c)
            i += 1
        else:
            i += 1  # a hyphen, a blank, a length mark left alone
    return out


def is_vowel(token):
    return token in VOWELS


def codes_profile(codes, word=""):
    """The profile of one form in our codes. Its syllables are its vowels (as CMU counts them, a
    syllabic l or n is a vowel there, so "5Apl" is compared with nothing); its primary stress is
    the last one where the style writes two ("5fif5ti:n", "5gud5bai"). A t, d, s or z before j
    may be CMU's affricate or sibilant ("5AktjuEl", "5isju:") as well as itself ("sju:t"): the
    j is the accents' difference, not a consonant of its own; such a consonant is written with
    its alternative, "t|tF"."""
    syllables = 0
    primary = None
    stressed = []
    sequence = []
    mark = None
    toks = tokens(codes)
    for i, t in enumerate(toks):
        if t in ("5", ","):
            mark = t
        elif is_vowel(t):
            if mark:
                stressed.append(syllables)
                if mark == "5":
                    primary = syllables
                mark = None
            syllables += 1
            sequence.append(".")
        elif t not in ASIDE:
            after = toks[i + 1] if i + 1 < len(toks) else None
            # A syllabic l or n stands for a vowel and the consonant ("5pAstl"): no t or d is
            # left out before it.
            if (t in ("l", "n") and i > 0 and not is_vowel(toks[i - 1])
                    and toks[i - 1] not in ("5", ",") and not (after and is_vowel(after))):
                sequence.append(".")
            sequence.append(t + "|" + JOINED[t] if after == "j" and t in JOINED else t)
    # CMU writes the ending of "airbases", "solstices" with an s.
    if word.endswith("s") and toks[-2:-1] and is_vowel(toks[-2]) and toks[-1] == "z":
        sequence[-1] = "z|s"
    consonants = [c for c in sequence if c != "."]
    return Profile(syllables, [] if primary is None else [primary], consonants, stressed,
                   sequence=sequence)


def cmu_profile(phones):
    syllables = 0
    primaries = []
    stressed = []
    sequence = []
    vowels = []
    for phone in phones:
        base = phone.rstrip("012")
        if base in ARPABET_VOWELS:
            vowels.append(base)
            if phone.endswith("1"):
                primaries.append(syllables)
            if phone.endswith(("1", "2")):
                stressed.append(syllables)
            syllables += 1
            sequence.append(".")
        elif base in ARPABET_CONSONANTS and ARPABET_CONSONANTS[base] not in ASIDE:
            sequence.append(ARPABET_CONSONANTS[base])
    return Profile(syllables, primaries, [c for c in sequence if c != "."], stressed, vowels,
                   sequence)


def _without_glides(phones, after_weak=False):
    """The phones without the w CMU writes between a consonant or a u and a following
    unstressed vowel where the spelling has a u ("visually" V IH1 ZH W AH0 L IY0, "sensual"),
    and without the t CMU puts between n and sh ("avalanche", "inconsequential"); None where
    there is neither. after_weak: also the w between a weak vowel and any other, for a word
    spelt without w ("fluctuated" F L AH1 K CH AH0 W EY2 T IH0 D; not "cassowary")."""
    out = list(phones)
    for i in range(len(out) - 2, 0, -1):
        before = out[i - 1].rstrip("012")
        if out[i] == "W" and ((before in ARPABET_CONSONANTS or before in ("UW", "UH"))
                              and out[i + 1][-1:] == "0"
                              or after_weak and out[i - 1][-1:] == "0"
                              and out[i + 1][-1:] in ("0", "1", "2")):
            del out[i]
    for i in range(len(out) - 1, 0, -1):
        if out[i] == "CH" and out[i - 1] == "N":
            out[i] = "SH"
    return out if out != list(phones) else None


def cmudict(data_dir):
    """Lower-case word -> list of profiles, in CMU's order of variants; a variant with a glide
    w after a consonant is also there without it."""
    with open(os.path.join(data_dir, sources.CMUDICT), encoding="utf-8", errors="replace") as f:
        return cmudict_lines(f)


def cmu_entries(lines):
    """(lower-case word, its phones as written) for each pronunciation in lines of CMU's file,
    in CMU's order; a numbered variant "word(2)" is its word's."""
    for line in lines:
        line = line.split("#")[0].strip()
        word, sep, phones = line.partition("  ")
        if not sep:
            continue
        if word.endswith(")") and "(" in word:
            word = word[:word.rindex("(")]
        yield word, phones.strip()


def cmudict_lines(lines):
    """Lower-case word -> list of profiles, from lines of CMU's file."""
    result = {}
    for word, phones in cmu_entries(lines):
        variants = result.setdefault(word, [])
        variants.append(cmu_profile(phones.split()))
        without = _without_glides(phones.split(),
                                  after_weak="w" not in word and "qu" not in word)
        if without:
            variants.append(cmu_profile(without))
    return result


def stress_agrees(ours, theirs):
    """True or False where both have the same syllables, two or more; None where they cannot be
    compared. CMU may mark two syllables of a compound with a primary stress; ours is one of
    them."""
    if ours.syllables != theirs.syllables or ours.syllables < 2:
        return None
    return bool(ours.primaries & theirs.primaries)


def stress_against(ours, variants):
    """Whether the stress agrees with one of CMU's variants; None where none compares."""
    results = [stress_agrees(ours, v) for v in variants]
    if True in results:
        return True
    return False if False in results else None


# What the comparison of consonants leaves aside: the affricates are a stop and a fricative
# ("sweatshirt" "5swetFE:t" has t and F, as CMU writes it), a consonant written twice is one
# ("headdress" "5heddris"), the voicing of the sound of "measure" varies between the accents
# ("cashmere", "version"), and a t or d between two consonants may be left out in speech
# ("last-minute", "hands-on").
AFFRICATES = {"tF": ("t", "F"), "dV": ("d", "V")}
SAME_SOUND = {"V": "F"}
ELIDED = ("t", "d")


def shape(sequence):
    """The consonants as they are compared: sequence has a "." for each vowel."""
    parts = [SAME_SOUND.get(p, p) for c in sequence for p in AFFRICATES.get(c, (c,))]
    kept = [p for i, p in enumerate(parts)
            if not (p in ELIDED and 0 < i < len(parts) - 1
                    and parts[i - 1] != "." and parts[i + 1] != ".")]
    out = []
    for part in kept:
        if part != "." and (not out or out[-1] != part):
            out.append(part)
    return tuple(out)


def same_consonants(ours, theirs, assimilated=False):
    """Whether two profiles have the same consonants; assimilated: an n before k or g being
    taken for N (as eSpeak reads "inconsiderable")."""
    if assimilated:
        return bool(ours.assimilated & theirs.assimilated)
    return bool(ours.shapes & theirs.shapes)


def consonants_against(ours, variants):
    """Whether the consonants equal one of CMU's variants'; None when CMU lacks the word."""
    if not variants:
        return None
    return any(same_consonants(ours, v) for v in variants)


def word_lists(paths=WORD_LISTS):
    """The words of wbritish-insane and wamerican-insane, as spelt; None when one is missing."""
    words = set()
    for path in paths:
        if not os.path.isfile(path):
            return None
        with open(path, encoding="utf-8", errors="replace") as f:
            words.update(line.strip() for line in f if line.strip())
    return words


def missing_tools():
    """What the cross-check needs and this machine lacks: eSpeak NG, the word lists."""
    missing = [path for path in WORD_LISTS if not os.path.isfile(path)]
    try:
        subprocess.run([ESPEAK, "--version"], capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError):
        missing.append(ESPEAK)
    return missing


def skipped(script, data):
    """Why script cannot run here (the reference data or a tool is missing), printed; None when
    everything is there."""
    missing = [n for n in sources.ALL_SOURCES if not os.path.isfile(os.path.join(data, n))]
    missing += missing_tools()
    if not missing:
        return None
    reason = ("%s: skipped, %s not found (the data under %s; the tools from "
              "scripts/install-deps.sh)" % (script, ", ".join(missing), data))
    print(reason)
    return reason


def espeak_version():
    run = subprocess.run([ESPEAK, "--version"], capture_output=True, text=True)
    return run.stdout.strip()


def _espeak_batch(words, voice):
    """eSpeak's phoneme names for each word ("_" between phonemes, a blank between the words of
    a phrase), each word read as a sentence of its own so that no word colours the next."""
    text = "".join(w + ".\n" for w in words)
    run = subprocess.run([ESPEAK, "-q", "-x", "--sep=_", "-v", voice], input=text,
                         capture_output=True, text=True, check=True)
    lines = run.stdout.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) == len(words):
        return [line.strip() for line in lines]
    if len(words) == 1:
        # A word read as several clauses: the clauses in order, as the suggestion joins them.
        return [" ".join(line.strip() for line in lines if line.strip())]
    half = len(words) // 2
    return _espeak_batch(words[:half], voice) + _espeak_batch(words[half:], voice)


def espeak(words):
    """Word -> eSpeak's phoneme names, for words of letters, hyphens, apostrophes and blanks."""
    wanted = sorted({w for w in words if w and all(c.isalpha() or c in "-' " for c in w)
                     and any(c.isalpha() for c in w) and w.isascii()})
    return espeak_names(wanted)


def espeak_names(words, voice=ESPEAK_VOICE):
    """Word -> eSpeak's phoneme names in the voice, for words it may be asked about."""
    result = {}
    for start in range(0, len(words), ESPEAK_BATCH):
        batch = words[start:start + ESPEAK_BATCH]
        result.update(zip(batch, _espeak_batch(batch, voice)))
    return result
