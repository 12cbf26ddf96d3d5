#!/usr/bin/python3
"""Unit tests of the converter and the generator's writing rules; no reference data needed."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import american  # noqa: E402
import coderules  # noqa: E402
import conversion_cases  # noqa: E402
import convert  # noqa: E402
import crosscheck  # noqa: E402
import evidence  # noqa: E402
import forms  # noqa: E402
import generate  # noqa: E402
import repairs  # noqa: E402


def britfone(text, word):
    return convert.codes_of(convert.from_britfone(text), word)


def check_cases(test, function, cases):
    """Each case holds the arguments of function, then what it must answer for them."""
    for *arguments, expected in cases:
        with test.subTest(arguments=arguments):
            test.assertEqual(function(*arguments), expected)


class StressAndSyllables(unittest.TestCase):
    def test_stress_moves_to_the_start_of_the_syllable_with_its_onset(self):
        check_cases(self, britfone, (
            ("k w ˈɒ l ɪ t i", "quality", "5kwRliti"),
            ("ə b ˈaʊ t", "about", "E5baut"),
            ("ɪ k s t ɹ ˈiː m", "extreme", "iks5tri:m"),
            ("ɪ n s p ˈɛ k t", "inspect", "in5spekt"),
            ("d ɪ s k ɹ ˈaɪ b", "describe", "dis5kraib"),
        ))

    def test_one_syllable_words_carry_no_mark_but_syllabic_consonants_count(self):
        check_cases(self, britfone, (
            ("d ˈeɪ", "day", "dei"),
            ("ˈæ p ə l", "apple", "5Apl"),
            ("l ˈɛ s ə n", "lesson", "5lesn"),
            ("m j ˈuː z ɪ k ə l", "musical", "5mju:zikEl"),
            ("p ˈæ t ə n", "pattern", "5pAtEn"),
            ("k ˈɛə f ə l", "careful", "5k/Eful"),
            ("ˈɔː f ə l i", "awfully", "5R:fuli"),
        ))

    def test_secondary_stress_only_well_before_the_primary(self):
        check_cases(self, britfone, (
            ("ə k ˌɒ m ə d ˈeɪ ʃ ə n", "accommodation", "E,kRmE5deiFEn"),
            ("h ˌaʊ ˈɛ v ə", "however", "hau5evE"),
            ("ˌæ k s ɪ d ˈɛ n t ə l", "accidental", ",Aksi5dentl"),
            # A full vowel there has one even where the source marks none; a schwa has none.
            ("v aɪ ə l ˈɪ n", "violin", ",vaiE5lin"),
            ("p ə l ɪ t ˈɪ ʃ ə n", "politician", "pEli5tiFEn"),
        ))
        # Only one primary stress survives a machine-made pair of them.
        self.assertEqual(britfone("ˈæ n t ˈæ g ə", "antaga").count("5"), 1)

    def test_numbers_and_un_words_stress_both_halves(self):
        check_cases(self, britfone, (
            ("f ɪ f t ˈiː n", "fifteen", "5fif5ti:n"),
            ("ɐ n f ˈɛə", "unfair", "5Qn5f/E"),
            ("ɐ n t ˈɪ l", "until", "Qn5til"),
        ))


class ClassicSounds(unittest.TestCase):
    def test_modern_symbols_become_the_classic_codes(self):
        check_cases(self, britfone, (
            ("b ˈɜː d", "bird", "bE:d"),
            ("k ˈɐ p", "cup", "kQp"),
            ("k ˈɛə", "care", "k/E"),
            ("b ˈɔɪ", "boy", "bRi"),
            ("g ˈəʊ", "go", "gEu"),
            ("m ˈɛ ʒ ə", "measure", "5meVE"),
            ("dʒ ˈʌ dʒ", "judge", "dVQdV"),
        ))

    def test_older_sounds_the_style_keeps(self):
        check_cases(self, britfone, (
            ("ˈæ k tʃ ʊə l", "actual", "5AktjuEl"),
            ("ʃ ˈɔː", "sure", "FuE"),
            ("s ˈuː t", "suit", "sju:t"),
            # i before a schwa after a stop or n, but not after r nor the y of -ier.
            ("tʃ ˈæ m p i ə n", "champion", "5tFAmpjEn"),
            ("k ə n v ˈiː n i ə n t", "convenient", "kEn5vi:njEnt"),
            ("s ˈɪə ɹ i ə s", "serious", "5siEriEs"),
            ("h ˈæ p i ə", "happier", "5hApiE"),
            ("ˈɪ ʃ uː", "issue", "5isju:"),
            ("k ɹ iː ˈeɪ t", "create", "kri5eit"),
            ("s ˈaɪ t s iː ɪ ŋ", "sightseeing", "5saitsi:iN"),
            ("ɛ k s ˈiː d ɪ ŋ l i", "exceedingly", "ik5si:diNli"),
            ("ˈɛ k s ə l ə n t", "excellent", "5eksElEnt"),
            ("p ɹ ˈaɪ v ə t", "private", "5praivit"),
            ("p ˈɒ s ɪ b ə l", "possible", "5pRsEbl"),
            ("w ˈaɪ t", "white", "(h)wait"),
            ("w ɒ t ˈɛ v ə", "whatever", "(h)wRt5evE"),
        ))

    def test_ipa_dict_and_style_readers(self):
        phonemes = convert.from_ipadict("/t\u200dʃˈa\u200dɪnɐ/")
        self.assertEqual(convert.codes_of(phonemes, "china"), "5tFainE")
        self.assertIsNone(convert.from_ipadict("/xˈa/"))
        check_cases(self, convert.style_codes, (
            ("əˌkɔməˈdei∫ən", "E,kRmE5deiFEn"),
            ("ˈeəriə", "5/EriE"),
            ("fæ sn", "fAsn"),
        ))
        # The reviewers' IPA as learner's dictionaries print it, to the codes the style writes.
        check_cases(self, convert.reviewed_forms, (
            ("ˌækrəʊˈmeɡəli", "acromegaly", [",AkrEu5megEli"]),
            ("ˈhæpɪli", "happily", ["5hApili"]),
            ("ˈsiːkl", "cecal", ["5si:kEl"]),
            ("ˈsiːkəl", "cecal", ["5si:kEl"]),
            ("ˈbʌtn", "button", ["5bQtn"]),
            ("ˈsevn̩", "seven", ["5sevEn"]),
            ("ˈsʌdnli", "suddenly", ["5sQdEnli"]),
            # The n of "signal" begins the syllable of the syllabic l.
            ("ˈsɪɡnl", "signal", ["5signl"]),
            ("ˈpaɪɒnz, ˈpaɪənz", "pions", ["5paiRnz", "5paiEnz"]),
            ("/ɡəʊ/", "go", ["gEu"]),
            ("ˈvɪdɪəʊ", "video", ["5vidiEu"]),
            ("pen.ˈtæm.ɪ.tə", "pentameter", ["pen5tAmitE"]),
            # Signs learner's dictionaries do not print: the classic ɔ, a blank, no vowel.
            ("ˈkɔt", "cot", None),
            ("ˈpen tə", "penta", None),
            ("ˈst", "st", None),
        ))

    def test_fuse_restores_what_britfone_shortens_only_on_equal_consonants(self):
        mine = convert.from_britfone("h ˈɪ s t ɹ i")
        theirs = convert.from_ipadict("/hˈɪstəɹi/")
        self.assertEqual(convert.codes_of(convert.fuse(mine, theirs), "history"), "5histEri")
        other = convert.from_ipadict("/hˈɪstəli/")
        self.assertEqual(convert.codes_of(convert.fuse(mine, other), "history"), "5histri")

    def test_variants_the_style_prefers(self):
        weak, strong = convert.from_britfone("ə n d"), convert.from_britfone("ˈæ n d")
        self.assertEqual(convert.choose_variant([weak, strong]), 1)
        short = convert.from_britfone("h ˈɪ s t ɹ i")
        full = convert.from_britfone("h ˈɪ s t ə ɹ i")
        self.assertEqual(convert.choose_variant([short, full]), 1)
        # The long vowel under the stress; every consonant kept; au for -ow.
        short_vowel = convert.from_britfone("l ˈɔɪ ə")
        long_vowel = convert.from_britfone("l ˈɔː j ə")
        self.assertEqual(convert.choose_variant([short_vowel, long_vowel], "lawyer"), 1)
        elided = convert.from_britfone("f ɹ ˈɛ n ʃ ɪ p")
        whole = convert.from_britfone("f ɹ ˈɛ n d ʃ ɪ p")
        self.assertEqual(convert.choose_variant([elided, whole], "friendship"), 1)
        plain = convert.from_britfone("l ˈɛ ŋ θ")
        with_k = convert.from_britfone("l ˈɛ ŋ k θ")
        self.assertEqual(convert.choose_variant([with_k, plain], "length"), 0)
        bow = [convert.from_britfone("b ˈəʊ"), convert.from_britfone("b ˈaʊ")]
        self.assertEqual(convert.choose_variant(bow, "bow"), 1)
        self.assertEqual(convert.choose_variant(bow, "bough"), 0)


class OneSetOfRules(unittest.TestCase):
    """The program reads conversion_rules.txt too and converts the names of conversion_cases.tsv
    (tests/core/suggestion_test.cpp); both must give the codes written there."""

    def test_the_cases_hold_for_the_rules(self):
        cases = conversion_cases.read_cases()
        self.assertGreater(len(cases), 1000)
        wrong = [(word, codes, coderules.codes_from_espeak(names, word))
                 for word, names, codes in cases
                 if coderules.codes_from_espeak(names, word) != codes]
        self.assertEqual(wrong[:5], [], "%d cases; after a change of the rules run "
                         "conversion_cases.py update" % len(wrong))

    def test_espeak_names_and_the_rules_of_the_file(self):
        cases = {
            ("k_w_'0_l_I2_t_i", "quality"): "5kwRliti",
            ("n_j_'u: j_'O@_k", "new york"): "nju: jR:k",
            ("'I_S_u:", "issue"): "5isju:",
            ("t_'aI_p_d", "typed"): "taipt",
            ("b_'0~_Z_u@", "bonjour"): "",
        }
        for (names, word), codes in cases.items():
            self.assertEqual(coderules.codes_from_espeak(names, word), codes, word)

    def test_a_broken_rule_is_named_with_its_line(self):
        with self.assertRaisesRegex(ValueError, "line 2"):
            coderules.Rules("vowels i\nrule : [i] x -> i\n")
        with self.assertRaisesRegex(ValueError, "line 1"):
            coderules.Rules("rule : i -> i\n")


class CrossCheck(unittest.TestCase):
    """ipa-dict's readings against CMU and eSpeak: confirmed, repaired, dropped."""

    def verdict(self, word, codes, cmu_phones=None, espeak=None, **options):
        checker = crosscheck.Checker(cmu({word: cmu_phones}) if cmu_phones else {},
                                     {word: espeak} if espeak else {},
                                     {"salt", "water"})
        return checker.verdict(word, codes, **options)

    def test_verdicts(self):
        cases = (
            # CMU agrees, eSpeak reads alike: confirmed.
            ("quality", "5kwRliti", ["K W AA1 L AH0 T IY0"], "k_w_'0_l_I2_t_i",
             ("5kwRliti", "confirmed")),
            # eSpeak agrees with CMU and reads the vowels as the style does: taken.
            ("melodic", "me5lRdik", ["M AH0 L AA1 D IH0 K"], "m_I2_l_'0_d_I2_k",
             ("mi5lRdik", "repaired")),
            # CMU hears z (and eSpeak does not agree): the consonant is corrected.
            ("resistors", "ri5sistEz", ["R IH0 Z IH1 S T ER0 Z"], "r_I2_s_'I_s_t_@_z",
             ("ri5zistEz", "repaired")),
            ("conquering", "5kRnkEriN", ["K AA1 NG K ER0 IH0 NG"], None,
             ("5kRNkEriN", "repaired")),
            # The accents differ: British English stresses the stem of a prefixed word, the
            # first word of a compound.
            ("overheat", ",EuvE5hi:t", ["OW1 V ER0 HH IY2 T"], None,
             (",EuvE5hi:t", "confirmed")),
            ("saltwater", "5sR:ltwR:tE", ["S AO2 L T W AA1 T ER0"], None,
             ("5sR:ltwR:tE", "confirmed")),
            # CMU stresses another syllable and eSpeak does not side with it: dropped.
            ("insomuch", "5insEmQtF", ["IH2 N S OW0 M AH1 CH"], "'I_n_s_@_m_,V_tS",
             (None, "dropped")),
            # No CMU: eSpeak decides; the vowels alone differ, or the stress does.
            ("funguses", "5fQNgju:siz", None, "f_'V_N_g_@_s_I2_z", ("5fQNgEsiz", "repaired")),
            ("insomuch", "5insEmQtF", None, "I_n_s_@_m_'V_tS", (None, "dropped")),
            # An n eSpeak assimilates is no other consonant.
            ("inconsiderable", ",inkEn5sidErEbl", None, "I_N_k_@_n_s_'I_d_@_r_@_b_@L",
             (",iNkEn5sidErEbl", "repaired")),
        )
        for word, codes, cmu_phones, espeak, expected in cases:
            self.assertEqual(self.verdict(word, codes, cmu_phones, espeak), expected, word)

    def test_wiktionary_speaks_for_british_english_where_the_accents_differ(self):
        wiktionary = repairs.wiktionary_lines([
            "prospector\t/pɹəˈspɛktə/\n", "prospector\t/ˈpɹɑsˌpɛktɚ/\n",
            "dislocate\t/dɪsləʊˈkeɪt/\n", "blouse\t/blaʊs/\n", "blouse\t/blaʊz/\n"])
        self.assertEqual([p.british for p in wiktionary["prospector"]], [True, False])
        checker = crosscheck.Checker(cmu({
            "prospector": ["P R AO1 S P EH2 K T ER0"], "dislocate": ["D IH1 S L OW0 K EY0 T"],
            "blouse": ["B L AW1 S"],
            "archipelago": ["AA2 R K AH0 P EH1 L AH0 G OW2", "AA2 R CH AH0 P AH0 L EY1 G OW2"]}),
            {}, (), wiktionary)
        cases = (
            # A British reading of Wiktionary's stands by our stress against CMU's.
            ("prospector", "prEs5pektE", ("prEs5pektE", "confirmed")),
            # Not for a longer -ate verb stressed on -ate.
            ("dislocate", ",dislEu5keit", (None, "dropped")),
            # CMU's s against our z, where Wiktionary has both.
            ("blouse", "blauz", ("blauz", "confirmed")),
            # The stress of one CMU reading and the consonants of another are no agreement.
            ("archipelago", ",a:kipi5leigEu", (None, "dropped")),
        )
        for word, codes, expected in cases:
            self.assertEqual(checker.verdict(word, codes), expected, word)

    def test_a_composed_word_keeps_its_parts_vowels_and_a_form_its_heads_stress(self):
        # The vowels of eSpeak are not taken for a composed word CMU agrees with.
        self.assertEqual(self.verdict("melodic", "me5lRdik", ["M AH0 L AA1 D IH0 K"],
                                      "m_I2_l_'0_d_I2_k", vowels=False),
                         ("me5lRdik", "confirmed"))
        self.assertEqual(self.verdict("outbids", "aut5bidz", ["AW1 T B IH2 D Z"],
                                      british=False), (None, "dropped"))

    def test_wiktionary_is_the_third_opinion_where_cmu_lacks_the_word(self):
        profile = repairs.wiktionary_profile("/kəˈləʊ.ni.ə.lɪ.zəm/")
        self.assertEqual((profile.syllables, set(profile.primaries)), (6, {1}))
        self.assertEqual(repairs.wiktionary_profile("/ˈæp.l̩/").syllables, 1)
        self.assertIsNone(repairs.wiktionary_profile("/ʘa/"))
        wiktionary = repairs.wiktionary_lines(["netsuke\t/ˈnet.ske/\n",
                                               "netsuke\t/net.ˈsu.ke/\n",
                                               "chelonian\t/kɪˈləʊ.ni.ən/\n"])
        checker = crosscheck.Checker({}, {"netsuke": "n_E_t_s_j_'u:_k",
                                          "chelonian": "k_I_l_'oU_n_I_@_n"}, (), wiktionary)
        # ipa-dict's reading has the wrong stress and eSpeak shares it: dropped.
        self.assertEqual(checker.verdict("netsuke", "net5sju:k"), (None, "dropped"))
        # The wrong consonant: eSpeak's reading, which Wiktionary confirms, is taken.
        self.assertEqual(checker.verdict("chelonian", "tFe5lEunjEn"),
                         ("ki5lEunjEn", "repaired"))

    def test_cmu_is_found_under_the_american_spelling(self):
        checker = crosscheck.Checker(cmu({"monopolize": ["M AH0 N AA1 P AH0 L AY2 Z"]}), {})
        self.assertTrue(checker.cmu_variants("monopolise"))
        self.assertIsNone(checker.cmu_variants("monopolist"))

    def test_profiles_compare_what_the_accents_share(self):
        actual = cmu({"a": ["AE1 K CH UW0 AH0 L"]})["a"]
        self.assertTrue(evidence.consonants_against(evidence.codes_profile("5AktjuEl"), actual))
        self.assertTrue(evidence.stress_against(evidence.codes_profile("5fif5ti:n"),
                                                cmu({"a": ["F IH0 F T IY1 N"]})["a"]))
        # CMU's glide w of "visually" and the plural s of "airbases" are no differences.
        self.assertTrue(evidence.consonants_against(
            evidence.codes_profile("5viVuEli"), evidence.cmudict_lines(
                ["visually  V IH1 ZH W AH0 L IY0"])["visually"]))
        # Nor its w after a weak u before a stressed vowel, but where the spelling has a w.
        self.assertTrue(evidence.consonants_against(
            evidence.codes_profile("5flQktjueitid"), evidence.cmudict_lines(
                ["fluctuated  F L AH1 K CH AH0 W EY2 T IH0 D"])["fluctuated"]))
        self.assertFalse(evidence.consonants_against(
            evidence.codes_profile("5kAsEuEri"), evidence.cmudict_lines(
                ["cassowary  K AE1 S AH0 W EH2 R IY0"])["cassowary"]))
        self.assertTrue(evidence.consonants_against(
            evidence.codes_profile("5/Ebeisiz", "airbases"),
            cmu({"a": ["EH1 R B EY2 S IH0 S"]})["a"]))
        # A syllabic consonant is no vowel: nothing to compare.
        self.assertIsNone(evidence.stress_against(evidence.codes_profile("5Apl"),
                                                  cmu({"a": ["AE1 P AH0 L"]})["a"]))


class RuleContext:
    """What a repair rule asks of the generator, over a few hand-made head words."""

    all_forms = staticmethod(generate.all_forms)
    long_re = generate.Builder.long_re

    def __init__(self, heads=(), wiktionary=(), cmu_phones=(), words=()):
        self.heads = dict(heads)
        self.wiktionary_texts = {w: t if isinstance(t, list) else [t]
                                 for w, t in dict(wiktionary).items()}
        self.cmu_phones = {w: [p.split()] for w, p in dict(cmu_phones).items()}
        self.not_again = set()
        self.words = set(words)

    def is_word(self, word):
        return word in self.words

    def head_transcription(self, word):
        return self.heads.get(word)

    def head_method(self, word):
        return "britfone" if word in self.heads else None

    def head_codes(self, word):
        return generate.first_form(self.heads[word]) if word in self.heads else None

    def compound(self, word):
        return word in ("bookkeeper", "southeastern", "saltwater")

    @staticmethod
    def bath_word(word):
        return word.startswith("pass")

    def has_other_spelling(self, word):
        return any(other in self.heads for other in generate.other_spellings(word))


class RepairRules(unittest.TestCase):
    """Each rule with the readings it mends and those it leaves alone (expected None)."""

    CASES = (
        # (rule, word, codes, heads, expected)
        (repairs.doubled_consonant, "adjunct", "5AddVQNkt", {}, "5AdVQNkt"),
        (repairs.doubled_consonant, "promissory", "5prRmissEri", {}, "5prRmisEri"),
        (repairs.doubled_consonant, "meanness", "5mi:nnis", {}, None),
        (repairs.doubled_consonant, "unnamed", "Qn5neimd", {}, None),
        (repairs.doubled_consonant, "bookkeeper", "5bukki:pE", {}, None),
        (repairs.unstressed_e, "secede", "se5si:d", {}, "si5si:d"),
        (repairs.unstressed_e, "meridian", "me5ridjEn", {}, "mi5ridjEn"),
        (repairs.unstressed_e, "mesmeric", "me5smerik", {}, None),
        (repairs.weak_sub, "subside", "sQb5said", {}, "sEb5said"),
        (repairs.weak_sub, "subordinate", "sQ5bR:dinEt", {}, "sE5bR:dinEt"),
        (repairs.weak_sub, "subway", "5sQbwei", {}, None),
        (repairs.plural_after_vowel, "bidets", "5bi:deis", {"bidet": "5bi:dei"}, "5bi:deiz"),
        (repairs.plural_after_vowel, "cats", "kAts", {"cat": "kAt"}, None),
        (repairs.family_consonant, "eraser", "i5reisE", {"erase": "i5reiz"}, "i5reizE"),
        (repairs.family_consonant, "sparser", "5spa:sE", {"sparse": "spa:s"}, None),
        (repairs.again_prefix, "reheat", "ri5hi:t", {"heat": "hi:t"}, ",ri:5hi:t"),
        (repairs.again_prefix, "rebooting", "ri5bu:tiN", {"booting": "5bu:tiN"},
         ",ri:5bu:tiN"),
        (repairs.family_stress, "colonialism", "5kRlEuniElizEm",
         {"colonial": "kE5lEunjEl"}, "kE5lEunjElizEm"),
        (repairs.family_stress, "memorialised", "5memR:riElaizd",
         {"memorialise": "mi5mR:riElaiz"}, "mi5mR:riElaizd"),
        (repairs.family_stress, "atomise", "E5tRmaiz", {"atom": "5AtEm"}, "5AtEmaiz"),
        (repairs.family_stress, "contracted", "5kRntrAktid",
         {"contract": "/5kRntrAkt, kEn5trAkt/"}, "kEn5trAktid"),
        (repairs.family_stress, "mandated", "mAn5deitid", {"mandate": "5mAndeit"}, None),
        (repairs.family_stress, "atomic", "E5tRmik", {"atom": "5AtEm"}, None),
        (repairs.onset_after_prefix, "understand", ",QndEs5tAnd", {}, ",QndE5stAnd"),
        (repairs.noun_ate, "pomegranate", "5pRmigrAneit", {}, "5pRmigrAnit"),
        (repairs.noun_ate, "dislocate", "5dislEkeit", {}, None),
        (repairs.onset_after_prefix, "interstellar", ",intEs5telE", {}, ",intE5stelE"),
        # Nouns of a particle and a word are stressed on the particle as CMU has it; the verbs,
        # their -ing and agents, and adjectives keep the stem's.
        (repairs.fore_stressed_noun, "outpatient", "aut5peiFEnt", {}, "5autpeiFEnt"),
        (repairs.fore_stressed_noun, "underdogs", ",QndE5dRgz", {}, "5QndEdRgz"),
        (repairs.fore_stressed_noun, "upbringing", "Qp5briNiN", {}, "5QpbriNiN"),
        (repairs.fore_stressed_noun, "overheating", ",EuvE5hi:tiN",
         {"overheat": ",EuvE5hi:t"}, None),
        (repairs.fore_stressed_noun, "overheats", ",EuvE5hi:ts", {}, None),
        (repairs.fore_stressed_noun, "overambitious", ",EuvErAm5biFEs", {}, None),
        (repairs.fore_stressed_noun, "outgoing", "aut5gEuiN", {}, None),
        # Compound adjectives take CMU's stress on their second part.
        (repairs.stem_stressed_adjective, "southeastern", "5sauWi:stEn", {}, "sauW5i:stEn"),
        (repairs.stem_stressed_adjective, "postmodern", "5pEustmRdEn", {}, "pEust5mRdEn"),
        (repairs.stem_stressed_adjective, "postman", "5pEustmEn", {}, None),
        (repairs.stem_stressed_adjective, "saltwater", "5sR:ltwR:tE", {}, None),
        # -ary, -ory after the stress are weak; a stressed one is not.
        (repairs.weak_ary, "compensatory", "kRm5pensEtR:ri", {}, "kRm5pensEtEri"),
        (repairs.weak_ary, "fragmentary", "5frAgmenteri", {}, "5frAgmentEri"),
        (repairs.weak_ary, "paramilitary", ",pArE5mili,teri", {}, ",pArE5militEri"),
        (repairs.weak_ary, "gory", "5gR:ri", {}, None),
        (repairs.weak_ary, "canaries", "kE5n/Eriz", {}, None),
        (repairs.family_stress, "abstracted", "5AbstrAktid",
         {"abstract": "/5AbstrAkt, Ab5strAkt/"}, "Ab5strAktid"),
        # A particle is no head: "underly" is not "under" and -ly.
        (repairs.family_stress, "underly", ",QndE5lai", {"under": "5QndE"}, None),
        (repairs.noun_ate, "invigorate", "in5vigEreit", {}, None),
        # A stressed vowel CMU rules out, where CMU and Wiktionary agree on another; not where
        # CMU allows ours or the two disagree.
        (repairs.agreed_vowel, "magus", "5mAgEs", {}, "5meigEs"),
        (repairs.agreed_vowel, "pulpit", "5pQlpit", {}, "5pulpit"),
        (repairs.agreed_vowel, "olivine", "5Rlivain", {}, "5Rlivi:n"),
        (repairs.agreed_vowel, "patently", "5peitEntli", {}, None),
        (repairs.agreed_vowel, "vulgarity", "vQl5gAriti", {}, None),
        (repairs.agreed_vowel, "arum", "5/ErEm", {}, None),
        # A full o before the stress that CMU or Wiktionary read weak.
        (repairs.weak_o, "idiosyncratic", ",idi,Rsin5krAtik", {}, ",idiEsin5krAtik"),
        (repairs.weak_o, "diaphoretic", ",daiEfR:5retik", {}, ",daiEfE5retik"),
        (repairs.weak_o, "oxidation", ",Rksi5deiFEn", {}, None),
        (repairs.weak_after_stress, "lummox", "5lQmRks", {}, "5lQmEks"),
        (repairs.weak_after_stress, "syrupy", "5sirQpi", {}, "5sirEpi"),
        (repairs.weak_after_stress, "hiccup", "5hikQp", {}, None),
        (repairs.weak_after_stress, "bedbug", "5bedbQg", {}, None),
        (repairs.weak_after_stress, "dactyl", "5dAktail", {}, "5dAktil"),
        (repairs.weak_after_stress, "ductile", "5dQktail", {}, None),
        # A derived word keeps its head's vowels where a rule-made reading slipped.
        (repairs.head_vowels, "sarcastically", "sa:5ka:stikEli", {"sarcastic": "sa:5kAstik"},
         "sa:5kAstikEli"),
        (repairs.head_vowels, "samplers", "5sa:mplEz", {"sample": "5sAmpl"}, "5sAmplEz"),
        (repairs.head_vowels, "penalise", "5penElaiz", {"penal": "5pi:nl"}, None),
        (repairs.head_vowels, "mantled", "5ma:ntld", {"mantle": "5mAntl"}, "5mAntld"),
        (repairs.head_vowels, "orator", "5RrEtE", {"orate": "R:5reit"}, None),
        (repairs.head_vowel_before_stress, "atomistic", "EtE5mistik", {"atom": "5AtEm"},
         ",AtE5mistik"),
        (repairs.head_vowel_before_stress, "atomic", "E5tRmik", {"atom": "5AtEm"}, None),
        (repairs.fore_verb, "foresee", "5fR:5si:", {"see": "si:"}, "fR:5si:"),
        (repairs.fore_verb, "forefront", "5fR:5frQnt", {"front": "frQnt"}, None),
        # A first e well before the stress that CMU or Wiktionary say with the vowel of "red".
        (repairs.full_e_before_stress, "referential", "rifE5renFEl", {}, ",refE5renFEl"),
        (repairs.full_e_before_stress, "recitation", "risi5teiFEn", {}, ",resi5teiFEn"),
        (repairs.full_e_before_stress, "regeneration", "ri,dVenE5reiFEn", {}, None),
        (repairs.full_e_before_stress, "religious", "ri5lidVEs", {}, None),
        (repairs.full_e_before_stress, "expiation", "ikspi5eiFEn", {}, ",ekspi5eiFEn"),
        (repairs.full_e_before_stress, "deliberation", "di,libE5reiFEn", {}, None),
        # -ist after -phone draws the stress away from the head's.
        (repairs.family_stress, "telephonist", "tE5lefEnist", {"telephone": "5telifEun"}, None),
        (repairs.family_stress, "saxophonist", "sAk5sRfEnist", {"saxophone": "5sAksEfEun"},
         None),
        # The accents part by the spelling: CMU's vowel is no reason to change ours there.
        (repairs.agreed_vowel, "riposte", "ri5pRst", {}, None),
        (repairs.agreed_vowel, "aesthete", "5i:sWi:t", {}, None),
        (repairs.agreed_vowel, "mineralogy", ",minE5rAlEdVi", {}, None),
        # The bath vowel only in the words British English says with it, and those made of them.
        (repairs.bath_vowel, "castigate", "5ka:stigeit", {}, "5kAstigeit"),
        (repairs.bath_vowel, "dactylic", "dA5ktilik", {}, None),
        (repairs.bath_vowel, "passable", "5pa:sEbl", {}, None),
        (repairs.bath_vowel, "chantry", "5tFa:ntri", {}, None),
        (repairs.bath_vowel, "cabana", "kE5ba:nE", {}, None),
        # Wiktionary's ɑː heard where its reading ends in a syllabic consonant.
        (repairs.bath_vowel, "rascal", "5ra:skEl", {}, None),
        # A word CMU lacks takes the vowel of Wiktionary's British readings, one vowel apart;
        # not a long vowel made short nor ɒ before l, where the accents' readings mix.
        (repairs.british_vowel, "bothy", "5bEuWi", {}, "5bRWi"),
        (repairs.british_vowel, "palindrome", "5peilindrEum", {}, "5pAlindrEum"),
        (repairs.british_vowel, "smolt", "smEult", {}, None),
        (repairs.british_vowel, "livre", "5livE", {"liver": "5livE"}, None),
        # Not the North's u beside a reading with ʌ, nor the lot vowel where the spelling
        # cannot write it, nor against a head in silent e.
        (repairs.british_vowel, "discomfiture", "dis5kRmfitFE", {}, None),
        (repairs.british_vowel, "fount", "faunt", {}, None),
        (repairs.british_vowel, "mopy", "5mEupi", {"mope": "mEup"}, None),
        (repairs.british_vowel, "phagocytosis", ",fAgEusai5tEusis", {"phagocyte": "5fAgEsait"},
         None),
    )

    CMU = {"pomegranate": "P AA1 M AH0 G R AE2 N AH0 T", "dislocate": "D IH1 S L OW0 K EY2 T",
           "outpatient": "AW1 T P EY2 SH AH0 N T", "underdogs": "AH1 N D ER0 D AO2 G Z",
           "upbringing": "AH1 P B R IH2 NG IH0 NG", "overheating": "OW1 V ER0 HH IY2 T IH0 NG",
           "overheats": "OW1 V ER0 HH IY2 T S",
           "overambitious": "OW1 V ER0 AE0 M B IH2 SH AH0 S",
           "outgoing": "AW1 T G OW2 IH0 NG", "southeastern": "S AW2 TH IY1 S T ER0 N",
           "postmodern": "P OW2 S T M AA1 D ER0 N", "postman": "P OW1 S T M AH0 N",
           "saltwater": "S AO1 L T W AO2 T ER0", "invigorate": "IH0 N V IH1 G ER0 AH0 T",
           "magus": "M EY1 G AH0 S", "pulpit": "P UH1 L P IH0 T",
           "olivine": "AA1 L AH0 V IY2 N", "patently": "P AE1 T AH0 N T L IY0",
           "vulgarity": "V AH0 L G EH1 R IH0 T IY0",
           "idiosyncratic": "IH2 D IY0 OW0 S IH2 N K R AE1 T IH0 K",
           "oxidation": "AA2 K S AH0 D EY1 SH AH0 N", "arum": "EH1 R AH0 M",
           "syrupy": "S IH1 R AH0 P IY0", "hiccup": "HH IH1 K AH0 P",
           "bedbug": "B EH1 D B AH0 G", "recitation": "R EH2 S AH0 T EY1 SH AH0 N",
           "regeneration": "R IY0 JH EH2 N ER0 EY1 SH AH0 N",
           "religious": "R IH0 L IH1 JH AH0 S",
           "deliberation": "D IH0 L IH2 B ER0 EY1 SH AH0 N", "riposte": "R IH0 P OW1 S T",
           "aesthete": "EH1 S TH IY0 T", "mineralogy": "M IH2 N ER0 AA1 L AH0 JH IY0",
           "castigate": "K AE1 S T AH0 G EY2 T", "passable": "P AE1 S AH0 B AH0 L",
           "chantry": "CH AE1 N T R IY0", "dactyl": "D AE1 K T IH0 L",
           "ductile": "D AH1 K T AH0 L", "cabana": "K AH0 B AE1 N AH0",
           "rascal": "R AE1 S K AH0 L"}
    WIKTIONARY = {"outgoing": "/aʊtˈɡəʊɪŋ/", "magus": "/ˈmeɪɡəs/", "pulpit": "/ˈpʊlpɪt/",
                  "olivine": "/ˈɒl.ɪˌviːn/", "patently": "/ˈpeɪtəntli/",
                  "vulgarity": "/vʌlˈɡæɹɪti/", "diaphoretic": "/daɪəfəˈɹɛtɪk/",
                  "arum": "/ˈɛɹəm/", "lummox": "/ˈlʌməks/", "hiccup": "/ˈhɪkʌp/",
                  "syrupy": "/ˈsɪɹəpi/", "referential": "/ɹɛfəˈɹɛnʃəl/",
                  "riposte": "/ɹɪˈpəʊst/", "aesthete": "/ˈɛs.θiːt/",
                  "mineralogy": "/ˌmɪnəˈɹɒlədʒi/", "dactyl": "/ˈdæktɪɫ/",
                  "ductile": "/ˈdʌktaɪl/", "bothy": "/ˈbɒ.θi/",
                  "palindrome": "/ˈpælɪndɹəʊm/", "smolt": "/smɒlt/", "livre": "/ˈliːvɹə/", "expiation": "/ɛkspiˈeɪʃən/", "chantry": "/ˈtʃɑːntɹi/",
                  "rascal": ["/ˈɹæskl̩/", "/ˈɹɑːskl̩/"],
                  "discomfiture": ["/dɪsˈkʊmfɪtʃə/", "/dɪsˈkʌmfɪtʃə(ɹ)/"],
                  "fount": "/fɒnt/", "mopy": "/ˈmɒpiː/",
                  "phagocytosis": "/ˌfeɪ.ɡəʊ.saɪˈtəʊ.sɪs/"}
    WORDS = {"outpatients", "underdogs", "upbringings", "overheated", "overheat",
             "invigorated", "seeing"}

    def test_rules(self):
        for rule, word, codes, heads, expected in self.CASES:
            context = RuleContext(heads, self.WIKTIONARY, self.CMU, self.WORDS)
            self.assertEqual(rule(context, word, codes), expected, word)

    def test_re_is_again_only_where_the_evidence_hears_ri(self):
        heads = {"tract": "trAkt"}
        retract = RuleContext(heads, wiktionary={"retract": "/ɹɪˈtɹækt/"})
        self.assertIsNone(repairs.again_prefix(retract, "retract", "ri5trAkt"))
        cmu_only = RuleContext(heads, cmu_phones={"retract": "R IY0 T R AE1 K T"})
        self.assertIsNone(repairs.again_prefix(cmu_only, "retract", "ri5trAkt"))
        heard = RuleContext({"heat": "hi:t"}, wiktionary={"reheat": "/ˌɹiːˈhiːt/"})
        self.assertEqual(repairs.again_prefix(heard, "reheat", "ri5hi:t"), ",ri:5hi:t")

    def test_cmu_stress_and_consonants_with_british_vowels(self):
        cases = (("apartheid", "AH0 P AA1 R T AY2 T", "E5pa:Weid", "E5pa:teit"),
                 ("preferable", "P R EH1 F ER0 AH0 B AH0 L", "pri5fE:rEbl", "5prefErEbl"),
                 ("dissect", "D AY0 S EH1 K T", "5daisekt", "dai5sekt"),
                 ("parisian", "P ER0 IH1 ZH AH0 N", "", "pE5riVEn"),
                 ("exquisite", "EH1 K S K W IH0 Z IH0 T", "iks5kwizit", "5ekskwizit"),
                 # CMU's AO of an o before a consonant is the British lot vowel.
                 ("prospector", "P R AO1 S P EH2 K T ER0", "", "5prRspektE"),
                 ("archipelago", "AA2 R K AH0 P EH1 L AH0 G OW2", ",a:kipi5leigEu",
                  ",a:ki5pelEgEu"),
                 # CMU's glide after a weak u is none; a w the spelling has stays.
                 ("fluctuate", "F L AH1 K CH AH0 W EY2 T", "5flQktFueit", "5flQktjueit"),
                 ("ottawa", "AA1 T AH0 W AH0", "5RtEwE", "5RtEwE"))
        for word, phones, british, expected in cases:
            self.assertEqual(repairs.british_from_cmu(word, phones.split(), british), expected,
                             word)

    def test_restress_moves_the_primary_and_shortens_a_lost_long_schwa(self):
        self.assertEqual(repairs.restress("5daivE:t", 1, "divert"), "dai5vE:t")
        self.assertEqual(repairs.restress("E5prRksimeiFEn", 3, "approximation", {1}),
                         "E,prRksi5meiFEn")
        # Which full vowel a weak one would become is a guess: no reading then, but for CMU's
        # short i, which is ours too.
        self.assertIsNone(repairs.restress("kEn5tAktid", 0, "contacted"))
        self.assertIsNone(repairs.restress("liN5gwist", 0, "linguist"))
        self.assertEqual(repairs.restress("liN5gwist", 0, "linguist", cmu_vowel="IH"),
                         "5liNgwist")


class WritingEntries(unittest.TestCase):
    def test_several_forms_are_cut_back_to_fit_the_field(self):
        self.assertEqual(generate.written(["TE", "Ti"]), "/TE, Ti/")
        self.assertEqual(generate.written(["kEn5vE:seiFEnEl", "kRnvE5seiFEnEli"]),
                         "kEn5vE:seiFEnEl")
        self.assertEqual(generate.all_forms("/fai5nAns, fi-/"), ["fai5nAns", "fi-"])
        self.assertEqual(generate.first_form(" blaind"), "blaind")
        self.assertEqual(generate.first_form("/E"), "/E")

    def test_only_genuinely_different_forms_are_kept(self):
        self.assertEqual(generate.genuinely_different(["5kRntrAkt", "kEn5trAkt"]),
                         ["5kRntrAkt", "kEn5trAkt"])
        self.assertEqual(generate.genuinely_different(["ri:d", "red"]), ["ri:d", "red"])
        self.assertEqual(generate.genuinely_different(["5estimit", "5estimeit"]),
                         ["5estimit", "5estimeit"])
        check_cases(self, generate.genuinely_different, (
            (["5histEri", "5histri"], ["5histEri"]),
            (["And", "End"], ["And"]),
            (["wiT", "wiW"], "with", ["wiT"]),
        ))
        # Other consonants are another pronunciation, but for a function word; a notation of
        # the same sounds is not ("dV" and "d" before j).
        self.assertEqual(generate.genuinely_different(["ju:s", "ju:z"], "use"),
                         ["ju:s", "ju:z"])
        self.assertEqual(generate.genuinely_different(["5skedVjul", "5skedju:l", "5Fedju:l"],
                                                      "schedule"), ["5skedVjul", "5Fedju:l"])

    def test_a_form_one_consonant_off_cmu_is_a_slip(self):
        purity = cmu({"purity": ["P Y UH1 R AH0 T IY0"]})["purity"]
        self.assertTrue(generate.slipped("5pjuErii", "purity", purity))
        self.assertFalse(generate.slipped("5pjuEriti", "purity", purity))
        schedule = cmu({"schedule": ["S K EH1 JH UH0 L"]})["schedule"]
        self.assertFalse(generate.slipped("5Fedju:l", "schedule", schedule))

    def test_reviewed_lines_refused_name_their_line(self):
        cases = (
            ("nidus\tˈnaɪdəs", "line 3: not a key, a reading and why"),
            ("nidus\tˈnaɪdəs\tvowel\textra", "line 3: not a key, a reading and why"),
            ("nidus\tˈnɪdəs\tvowel", "line 3: 'nidus' is listed twice"),
            ("cecal\tˈsiːcl\tvowel", "line 3: 'cecal': the reading 'ˈsiːcl' has a sign"),
            ("carve\tkɑːrv\tr", "line 3: 'carve': an r that no vowel follows"),
            ("a priori\tˌeɪ praɪˈɔːraɪ\tvowels", "line 3: 'a priori': a blank inside a form"),
            ("pions\tˌpaɪəˌnɪzəˈteɪʃən, ˌpaɪəˌnaɪˈzeɪʃən\tlong",
             "line 3: 'pions': .* is longer than the 24 characters"),
        )
        for line, message in cases:
            with self.subTest(line=line):
                readings, problems = generate.reviewed_readings(
                    [(2, "nidus\tˈnaɪdəs\tvowel"), (3, line)])
                self.assertEqual(readings["nidus"], "5naidEs")
                self.assertEqual(len(problems), 1)
                self.assertRegex(problems[0], "^reviewed_entries.tsv " + message)

    def test_forms_run_together_are_faults(self):
        self.assertTrue(generate.run_together("live", "liv laiv"))
        self.assertTrue(generate.run_together("close", "/ klEuz, klEus/"))
        self.assertTrue(generate.run_together("close", "/klEuz, klEus /"))
        self.assertFalse(generate.run_together("close", "/klEuz, klEus/"))
        self.assertFalse(generate.run_together("blind", " blaind"))
        self.assertFalse(generate.run_together("New Zealand", "5nju: 5zi:lEnd"))

    def test_an_r_that_no_vowel_follows_is_a_misprint(self):
        self.assertTrue(generate.stray_r("5rekErd"))
        self.assertTrue(generate.stray_r("/5rekR:d, ri5kR:rd/"))
        self.assertFalse(generate.stray_r("5aiTE(r)"))
        self.assertFalse(generate.stray_r("5rekR:d"))
        self.assertFalse(generate.stray_r("5prju:nEz"))

    def test_groups_order_and_escapes(self):
        check_cases(self, generate.group_of, (
            ("Quality", "q"),
            ("violin", "uvw"),
            ("zoo", "xyz"),
        ))
        self.assertIsNone(generate.group_of("3d"))
        keys = ["china", "China", "Apple", "about", "ant"]
        self.assertEqual(sorted(keys, key=generate.sort_key),
                         ["about", "ant", "Apple", "China", "china"])
        self.assertEqual(generate.escape("clich\u00e9"), "clich\\u00E9")
        self.assertEqual(generate.escape('a"b'), 'a\\"b')

    def test_frequency_words_that_can_be_keys(self):
        self.assertTrue(generate.usable_key("o'clock"))
        self.assertTrue(generate.usable_key("I"))
        self.assertFalse(generate.usable_key("and/or"))
        self.assertFalse(generate.usable_key("CEO"))
        self.assertFalse(generate.usable_key("sauté"))

    def test_spelling_variants(self):
        self.assertIn("colour", generate.spelling_variants("color"))
        self.assertIn("centre", generate.spelling_variants("center"))
        self.assertIn("sceptic", generate.spelling_variants("skeptic"))
        self.assertEqual(generate.ascii_spelling("r\u00e9sum\u00e9"), "resume")


class WordForms(unittest.TestCase):
    def test_the_ending_follows_the_final_sound(self):
        check_cases(self, forms.sounds, (
            ("book", "s", "buk", "buks"),
            ("dog", "s", "dRg", "dRgz"),
            ("bridge", "s", "bridV", "5bridViz"),
            ("walk", "ed", "wR:k", "wR:kt"),
            ("play", "ed", "plei", "pleid"),
            ("want", "ed", "wRnt", "5wRntid"),
            ("enter", "ing", "5entE", "5entEriN"),
            ("continue", "ing", "kEn5tinju:", "kEn5tinjuiN"),
        ))

    def test_spelling_rules(self):
        check_cases(self, forms.spelling, (
            ("stop", "ed", "stRp", "stopped"),
            ("refer", "ing", "ri5fE:", "referring"),
            ("visit", "ing", "5vizit", "visiting"),
            ("study", "ed", "5stQdi", "studied"),
            ("study", "ing", "5stQdi", "studying"),
            ("happy", "er", "5hApi", "happier"),
            ("make", "ing", "meik", "making"),
            ("see", "ing", "si:", "seeing"),
            ("lie", "ing", "lai", "lying"),
            ("box", "s", "bRks", "boxes"),
            ("city", "s", "5siti", "cities"),
            ("gentle", "ly", "5dVentl", "gently"),
        ))
        self.assertEqual(forms.compose("happy", "ly", "5hApi"), ("happily", "5hApili"))
        self.assertEqual(forms.compose("careful", "ly", "5k/Eful"), ("carefully", "5k/Efuli"))


def cmu(entries):
    """Word -> CMU profiles, from ARPAbet written as CMU writes it."""
    return {w: [evidence.cmu_profile(p.split()) for p in phones]
            for w, phones in entries.items()}


class Builder(generate.Builder):
    """A builder over a few hand-made source words instead of the reference data: Britfone's,
    ipa-dict's, CMU's, eSpeak's readings of them and the words of the word lists."""

    def __init__(self, words, ipadict=(), cmu_words=None, espeak=None, listed=None,
                 reviewed=None):
        britfone = {w: [convert.from_britfone(t)] for w, t in words.items()}
        ipadict = {w: [convert.from_ipadict(t)] for w, t in dict(ipadict).items()}
        known = set(britfone) | set(ipadict)
        in_lists = set(listed) if listed is not None else set(known)
        self._start(britfone, ipadict, {}, {}, {}, in_lists,
                    crosscheck.Checker(cmu_words or {}, dict(espeak or {}), known),
                    reviewed=reviewed)
        self.splitting = False
        self.listed = known
        for word in sorted(self.listed):
            self.add_word(word, required=False)


class ComposedEntries(unittest.TestCase):
    def test_bath_words_are_a_persons_and_those_made_of_them(self):
        builder = Builder({"staff": "s t ˈɑː f", "cast": "k ˈɑː s t", "gas": "g ˈæ s",
                           "chant": "tʃ ˈɑː n t", "craft": "k ɹ ˈɑː f t",
                           "slander": "s l ˈɑː n d ə", "exasperate": "ɪ g z ˈɑː s p ə ɹ eɪ t"})
        builder.cmu_phones = {"staff": [["S", "T", "AE1", "F"]], "cast": [["K", "AE1", "S", "T"]],
                              "gas": [["G", "AE1", "S"]], "chant": [["CH", "AE1", "N", "T"]],
                              "craft": [["K", "R", "AE1", "F", "T"]],
                              "slander": [["S", "L", "AE1", "N", "D", "ER0"]],
                              "exasperate": ["IH0 G Z AE1 S P ER0 EY2 T".split()]}
        # A word of one syllable that rhymes with one in its spelling, and a derived word
        # that keeps its head's stressed a, are bath words too.
        for word in ("staff", "understaffed", "casts", "cast-off", "disenchanted", "aft",
                     "kraft", "slanderous", "exasperation"):
            self.assertTrue(builder.bath_word(word), word)
        for word in ("castigate", "gas", "gasket", "ant"):
            self.assertFalse(builder.bath_word(word), word)

    def test_the_irregular_table_wins_over_the_rules(self):
        builder = Builder({"go": "g ˈəʊ", "going": "g ˈəʊ ɪ ŋ", "went": "w ˈɛ n t",
                           "child": "tʃ ˈaɪ l d", "children": "tʃ ˈɪ l d ɹ ə n"},
                          listed={"go", "going", "went", "goes", "gone", "child", "children"})
        builder.add_forms()
        self.assertEqual(builder.entries["went"], ("went", "britfone"))
        self.assertNotIn("goed", builder.entries)
        self.assertNotIn("gos", builder.entries)
        self.assertNotIn("childs", builder.entries)
        # A form the sources have keeps the sources' transcription.
        self.assertEqual(builder.entries["going"], ("5gEuiN", "britfone"))
        # A verb of the table gets its -ing and -s forms without the sources' evidence.
        builder = Builder({"swing": "s w ˈɪ ŋ"}, listed={"swing", "swinging", "swings"})
        builder.add_forms()
        self.assertEqual(builder.entries["swinging"], ("5swiNiN", "form"))
        self.assertEqual(builder.entries["swings"], ("swiNz", "form"))
        self.assertNotIn("swinged", builder.entries)

    def test_regular_forms_where_the_sources_lack_them_and_the_word_lists_have_them(self):
        shop = {"shop": "ʃ ˈɒ p", "shopping": "ʃ ˈɒ p ɪ ŋ"}
        builder = Builder(shop, listed={"shop", "shopping", "shopped", "shops"})
        builder.add_forms()
        self.assertEqual(builder.entries["shopped"], ("FRpt", "form"))
        self.assertEqual(builder.entries["shops"], ("FRps", "form"))
        builder = Builder(shop, listed={"shop", "shopping", "shops"})
        builder.add_forms()
        self.assertNotIn("shopped", builder.entries)
        self.assertEqual(builder.verdicts["shopped"], ("form", "not a word"))

    def test_an_american_spelling_answers_like_its_twin(self):
        british = {"colour": "k ˈɐ l ə", "colourful": "k ˈɐ l ə f ə l",
                   "centre": "s ˈɛ n t ə", "travel": "t ɹ ˈæ v ə l",
                   "travelling": "t ɹ ˈæ v ə l ɪ ŋ", "realise": "ɹ ˈɪə l aɪ z",
                   "hour": "ˈaʊ ə", "compel": "k ə m p ˈɛ l",
                   "compelling": "k ə m p ˈɛ l ɪ ŋ"}
        pairs = (("color", "colour"), ("colorful", "colourful"), ("center", "centre"),
                 ("traveling", "travelling"), ("realize", "realise"))
        # Only the spellings the word lists have ("realize" is left out of them here).
        builder = Builder(british, listed=set(british) | {us for us, _ in pairs[:-1]})
        builder.add_american()
        for us, word in pairs[:-1]:
            self.assertEqual(builder.entries[us][0], builder.entries[word][0], us)
        self.assertNotIn("realize", builder.entries)
        self.assertNotIn("hor", builder.entries)
        self.assertNotIn("compeling", builder.entries)
        self.assertIn("gray", american.spellings("grey", lambda word: None))

    def test_a_hyphenated_compound_takes_the_stress_of_its_pattern(self):
        builder = Builder({"down": "d ˈaʊ n", "earth": "ˈɜː θ", "close": "k l ˈəʊ s",
                           "up": "ˈɐ p"},
                          espeak={"down-to-earth": "d_,aU_n_t_U_'3:_T"},
                          cmu_words=cmu({"close-up": ["K L OW1 S AH2 P"]}))
        check_cases(self, builder.compose, (
            ("down-to-earth", 1, ",dauntu5E:W"),
            ("close-up", 1, "5klEusQp"),
            # Where neither tells, each part keeps its own stress.
            ("up-close", 1, "5Qp5klEus"),
        ))
        # A noun before a participle, a letter, a verb before a particle as a noun: the first
        # part, whatever CMU says.
        words = {"fund": "f ˈɐ n d", "raising": "ɹ ˈeɪ z ɪ ŋ", "cut": "k ˈɐ t", "off": "ˈɒ f",
                 "test": "t ˈɛ s t", "t": "t ˈiː", "good": "g ˈʊ d", "looking": "l ˈʊ k ɪ ŋ"}
        builder = Builder(words, listed=set(words) | {"cutting"},
                          cmu_words=cmu({"fund-raising": ["F AH2 N D R EY1 Z IH0 NG"]}))
        check_cases(self, builder.compose, (
            ("fund-raising", 1, "5fQndreiziN"),
            ("cut-off", 1, "5kQtR:f"),
            ("t-test", 1, "5ti:test"),
            ("good-looking", 1, "5gud5lukiN"),
        ))

    def test_a_rule_made_reading_is_uncertain_unless_evidence_stands_by_it(self):
        cases = (
            # (word, ipa-dict's reading, uncertain)
            ("bloomy", "/ˈbluːmi/", False),  # stressed as its head, a Britfone word
            ("gloomy", "/ɡluːˈmi/", True),  # stressed against its head
            ("releasable", "/ɹɪˈliːsəbəl/", False),
            ("annealing", "/əˈniːlɪŋ/", False),  # the head is CMU's only
            ("annealer", "/ˈæniːlə/", True),
            ("aerate", "/ˈeəɹeɪt/", False),  # its form is CMU's
            ("mixology", "/mɪkˈsɒlədʒi/", False),  # the ending draws the stress
            ("zymology", "/ˈzaɪmɒlədʒi/", True),
            ("haematoma", "/ˌhiːməˈtəʊmə/", False),  # CMU has the American spelling
            ("deforest", "/diːˈfɒɹɪst/", False),  # a prefix before a word
            ("zorbing", "/ˈzɔːbɪŋ/", True),  # nothing stands by it
        )
        builder = Builder({"bloom": "b l ˈuː m", "gloom": "g l ˈuː m",
                           "release": "ɹ ɪ l ˈiː s", "forest": "f ˈɒ ɹ ɪ s t"},
                          ipadict={w: ipa for w, ipa, _ in cases},
                          cmu_words=cmu({"anneal": ["AH0 N IY1 L"],
                                         "aerated": ["EH1 R EY2 T IH0 D"],
                                         "hematoma": ["HH IY2 M AH0 T OW1 M AH0"]}))
        builder.mark_uncertain()
        for word, _, uncertain in cases:
            self.assertEqual(word in builder.uncertain, uncertain, word)

    def test_a_reviewed_reading_wins_and_its_family_follows(self):
        ipadict = {"pentameter": "/ˈpɛntəmiːtə/", "pentameters": "/ˈpɛntəmiːtəz/",
                   "pion": "/piˈɒn/", "pions": "/piˈɒnz/", "humour": "/hjuːmˈɔː/",
                   "humouring": "/hjuːmˈɔːɹɪŋ/", "nidus": "/ˈnɪdəs/"}
        builder = Builder({}, ipadict=ipadict,
                          listed=set(ipadict) | {"humor", "humoured"},
                          reviewed={"pentameter": "pen5tAmitE", "pions": "5paiRnz",
                                    "humour": "5hju:mE", "nidus": "5naidEs", "tapir": "5teipE"})
        builder.repair(sorted(builder.entries, key=len))
        builder.add_forms()
        builder.add_american()
        builder.mark_uncertain()
        entries = builder.entries
        self.assertEqual(entries["pentameter"], ("pen5tAmitE", "reviewed"))
        self.assertEqual(builder.replaced["pentameter"], ("5pentEmi:tE", "ipa-dict"))
        # A form the sources have follows its reviewed head; a form reviewed itself keeps its
        # own reading; forms the sources lack are made of the reviewed head, unchecked.
        self.assertEqual(entries["pentameters"], ("pen5tAmitEz", "form"))
        self.assertEqual(entries["pions"], ("5paiRnz", "reviewed"))
        self.assertEqual(entries["humoured"], ("5hju:mEd", "form"))
        self.assertEqual(entries["humouring"], ("5hju:mEriN", "form"))
        self.assertEqual(entries["humor"], ("5hju:mE", "american"))
        # Certain, though nothing independent stands by it ("nidus" from ipa-dict would not be).
        self.assertEqual(entries["nidus"], ("5naidEs", "reviewed"))
        self.assertFalse(builder.uncertain & {"pentameter", "pentameters", "pions", "nidus",
                                              "humoured", "humouring", "humor"})
        builder.reviewed["fish"] = "fiF"
        builder.entries["fish"] = ("fiF", "quoted")
        self.assertEqual(builder.unplaced_reviews(), [
            "reviewed_entries.tsv line ?: 'fish' is quoted word for word (quoted_entries.tsv) "
            "and stays as quoted",
            "reviewed_entries.tsv line ?: 'tapir' is not a key of the tables"])

    def test_a_reviewed_twin(self):
        builder = Builder({}, ipadict={"nidus": "/ˈnɪdəs/"}, reviewed={"Nidus": "5naidEs"})
        builder.entries["Nidus"] = ("5nidEs", "ipa-dict")
        builder.entries["Polish"] = ("5pEuliF", "hand")
        builder.entries["polish"] = ("5pRliF", "reviewed")
        builder.apply_reviewed()
        builder.add_twins()
        # A reviewed capitalised key reaches its lower-case twin; a name written by hand stays.
        self.assertEqual(builder.entries["nidus"], ("5naidEs", "twin"))
        self.assertEqual(builder.entries["Polish"], ("5pEuliF", "hand"))
        self.assertEqual(builder.entries["polish"], ("5pRliF", "reviewed"))

    def test_wiktionary_backs_a_rule_against_cmu(self):
        builder = Builder({"erase": "ɪ ɹ ˈeɪ z"}, ipadict={"eraser": "/ɪˈɹeɪsə/"},
                          cmu_words=cmu({"eraser": ["IH0 R EY1 S ER0"]}))
        self.assertTrue(builder.contradicted("eraser", "i5reisE", "i5reizE"))
        builder.checker.wiktionary = repairs.wiktionary_lines(["eraser\t/ɪˈɹeɪsɚ/\n",
                                                               "eraser\t/ɪˈɹeɪzə/\n"])
        self.assertFalse(builder.contradicted("eraser", "i5reisE", "i5reizE"))
        self.assertTrue(builder.contradicted("eraser", "i5reisE", "i5reizE", wiktionary=False))

    def test_abbreviations_are_read_as_letters(self):
        self.assertEqual(generate.read_as_letters("TV"), "5ti:5vi:")
        self.assertEqual(generate.read_as_letters("DNA"), ",di:en5ei")


if __name__ == "__main__":
    unittest.main()
