#!/usr/bin/python3
"""Unit tests of the American transcriptions: the conversion from CMU, the rules from a British
entry, the reading of eSpeak's American voice, and the committed American tables against the
British ones. No reference data needed."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import american_ipa  # noqa: E402
import generate  # noqa: E402
import generate_american  # noqa: E402
import sources  # noqa: E402

# word, CMU's phones, the British form beside it ("" for none), the American codes.
FROM_CMU = [
    # r-colouring: ɜːr, ər, and the r after ɑː, ɔː, ɪ, e, ʊ written.
    ("bird", "B ER1 D", "", "b\\:rd"),
    ("further", "F ER1 DH ER0", "", "5f\\:rTEr"),
    ("car", "K AA1 R", "", "kB:r"),
    ("north", "N AO1 R TH", "", "nR:rW"),
    ("near", "N IH1 R", "", "nIr"),
    ("care", "K EH1 R", "", "ker"),
    ("tour", "T UH1 R", "", "tJr"),
    ("fire", "F AY1 ER0", "", "5faIEr"),
    # ɪ and ʊ before an r that ends the syllable or starts a weak one; not before a stressed one.
    ("here", "HH IY1 R", "", "hIr"),
    ("hearing", "HH IY1 R IH0 NG", "", "5hIrIN"),
    ("poor", "P UW1 R", "", "pJr"),
    ("rerun", "R IY1 R AH2 N", "", "5ri:rQn"),
    # The lot, thought and bath vowels.
    ("quality", "K W AA1 L AH0 T IY0", "5kwRliti", "5kwB:lEti"),
    ("hot", "HH AA1 T", "", "hB:t"),
    ("caught", "K AO1 T", "", "kR:t"),
    ("bath", "B AE1 TH", "", "bAW"),
    ("ask", "AE1 S K", "", "Ask"),
    ("go", "G OW1", "", "goJ"),
    ("tomato", "T AH0 M EY1 T OW2", "", "tE5meItoJ"),
    # Unstressed i and u at the end and before a vowel; ɪ and ʊ elsewhere.
    ("happy", "HH AE1 P IY0", "", "5hApi"),
    ("city", "S IH1 T IY0", "", "5sIti"),
    ("radiation", "R EY2 D IY0 EY1 SH AH0 N", "", ",reIdi5eIFn"),
    ("situation", "S IH2 CH UW0 EY1 SH AH0 N", "", ",sItFu5eIFn"),
    ("good", "G UH1 D", "", "gJd"),
    ("increase", "IH1 N K R IY0 S", "", "5Inkri:s"),
    ("produce", "P R OW1 D UW0 S", "", "5proJdu:s"),
    ("babies", "B EY1 B IY0 Z", "", "5beIbiz"),
    ("menu", "M EH1 N Y UW0", "", "5menju:"),
    ("possibly", "P AA1 S AH0 B L IY2", "", "5pB:sEbli"),
    ("spiritually", "S P IH1 R IH0 CH UW2 AH0 L IY2", "", "5spIrItFuEli"),
    ("teaspoon", "T IY1 S P UW2 N", "", "5ti:spu:n"),
    ("reminded", "R IY0 M AY1 N D IH0 D", "", "ri5maIndId"),
    # Syllabic l and n after a consonant, not after r or at a word's start.
    ("little", "L IH1 T AH0 L", "", "5lItl"),
    ("difficult", "D IH1 F AH0 K AH0 L T", "5difikElt", "5dIfIkElt"),
    # Nor where the British form writes a full vowel that CMU reduces.
    ("impulse", "IH1 M P AH0 L S", "5impQls", "5ImpQls"),
    ("button", "B AH1 T AH0 N", "", "5bQtn"),
    ("important", "IH2 M P AO1 R T AH0 N T", "", ",Im5pR:rtnt"),
    ("several", "S EH1 V R AH0 L", "", "5sevrEl"),
    ("lemon", "L EH1 M AH0 N", "", "5lemEn"),
    ("sunscreens", "S AH0 N S K R IY1 N Z", "", "sEn5skri:nz"),
    # After f, v, θ, ð only at the end or before an ending.
    ("seven", "S EH1 V AH0 N", "", "5sevn"),
    ("often", "AO1 F AH0 N", "", "5R:fn"),
    ("heavens", "HH EH1 V AH0 N Z", "", "5hevnz"),
    ("infant", "IH1 N F AH0 N T", "", "5InfEnt"),
    ("coffin", "K AO1 F AH0 N", "5kRfin", "5kR:fIn"),
    # Not after nt, nd, st, unless spelled -ain.
    ("distant", "D IH1 S T AH0 N T", "", "5dIstEnt"),
    ("abundance", "AH0 B AH1 N D AH0 N S", "", "E5bQndEns"),
    ("mountain", "M AW1 N T AH0 N", "", "5maJntn"),
    ("important", "IH2 M P AO1 R T AH0 N T", "", ",Im5pR:rtnt"),
    ("seventy", "S EH1 V AH0 N T IY0", "", "5sevEnti"),
    # Nor after another consonant and a t or d (r aside), nor after a t or d that follows a
    # weak vowel; a British ɪ keeps no ə before a last n after t, d, s, z, ʃ, ʒ.
    ("captain", "K AE1 P T AH0 N", "5kAptin", "5kAptEn"),
    ("golden", "G OW1 L D AH0 N", "", "5goJldEn"),
    ("certain", "S ER1 T AH0 N", "", "5s\\:rtn"),
    ("accident", "AE1 K S AH0 D AH0 N T", "5AksidEnt", "5AksIdEnt"),
    ("student", "S T UW1 D AH0 N T", "5stju:dEnt", "5stu:dnt"),
    ("basin", "B EY1 S AH0 N", "5beisin", "5beIsn"),
    ("passenger", "P AE1 S AH0 N JH ER0", "5pAsindVE", "5pAsIndVEr"),
    # CMU's weak ə where the British form writes ɪ is ɪ, but not in -ate, -ness, -less, -ain,
    # -ace, -ess, nor before a last syllable of a consonant and a weak i.
    ("vitamin", "V AY1 T AH0 M AH0 N", "5vaitEmin", "5vaItEmIn"),
    ("forests", "F AO1 R AH0 S T S", "5fRrists", "5fR:rIsts"),
    ("university", "Y UW2 N AH0 V ER1 S AH0 T IY0", ",ju:ni5vE:siti", ",ju:nI5v\\:rsEti"),
    ("family", "F AE1 M AH0 L IY0", "5fAmili", "5fAmEli"),
    ("private", "P R AY1 V AH0 T", "5praivit", "5praIvEt"),
    ("privately", "P R AY1 V AH0 T L IY0", "5praivitli", "5praIvEtli"),
    ("goodness", "G UH1 D N AH0 S", "5gudnis", "5gJdnEs"),
    ("market", "M AA1 R K AH0 T", "5ma:kit", "5mB:rkIt"),
    ("military", "M IH1 L AH0 T EH2 R IY0", "5militEri", "5mIlEteri"),
    ("territory", "T EH1 R IH0 T AO2 R IY0", "5teritEri", "5terEtR:ri"),
    ("hostess", "HH OW1 S T IH0 S", "5hEustis", "5hoJstEs"),
    ("ability", "AH0 B IH1 L AH0 T IY2", "E5biliti", "E5bIlEti"),
    ("toilet", "T OY1 L AH0 T", "5tRilit", "5tRIlEt"),
    ("poem", "P OW1 AH0 M", "5pEuim", "5poJEm"),
    ("wallet", "W AO1 L AH0 T", "5wRlit", "5wR:lIt"),
    # ə for an e of an open syllable ahead of the primary stress; ɪ for an i, in a closed
    # syllable or after the primary.
    ("envelope", "EH1 N V AH0 L OW2 P", "5envilEup", "5envIloJp"),
    ("expedition", "EH2 K S P AH0 D IH1 SH AH0 N", ",ekspi5diFEn", ",ekspE5dIFn"),
    ("medicine", "M EH1 D AH0 S AH0 N", "5medisn", "5medIsn"),
    ("orchestra", "AO1 R K AH0 S T R AH0", "5R:kistrE", "5R:rkIstrE"),
    # But ɪ for the be-, de-, re-, pre- of a word standing alone inside (STANDING).
    ("misbehave", "M IH2 S B AH0 HH EY1 V", "misbi5heiv", ",mIsbI5heIv"),
    ("nostril", "N AA1 S T R IH0 L", "5nRstril", "5nB:strEl"),
    ("foreign", "F AO1 R AH0 N", "5fRrin", "5fR:rEn"),
    ("beautiful", "B Y UW1 T AH0 F AH0 L", "5bju:tEful", "5bju:tIfl"),
    ("beautifully", "B Y UW1 T AH0 F L IY0", "5bju:tEfli", "5bju:tIfli"),
    # A last -day is deɪ.
    ("Monday", "M AH1 N D IY0", "5mQndi", "5mQndeI"),
    # A weak u after j, dʒ, tʃ is u, but ə before an l that eɪ does not follow.
    ("education", "EH2 JH AH0 K EY1 SH AH0 N", ",edju5keiFEn", ",edVu5keIFn"),
    ("document", "D AA1 K Y AH0 M AH0 N T", "5dRkjumEnt", "5dB:kjumEnt"),
    ("deputy", "D EH1 P Y AH0 T IY0", "5depjuti", "5depjuti"),
    ("regular", "R EH1 G Y AH0 L ER0", "5regjulE", "5regjElEr"),
    ("calculate", "K AE1 L K Y AH0 L EY2 T", "5kAlkjuleit", "5kAlkjuleIt"),
    # CMU's reductions of a full British vowel undone, its ɪ beside a British ə made ə.
    ("unarmed", "AH0 N AA1 R M D", "Qn5a:md", "Qn5B:rmd"),
    ("lonesome", "L OW1 N S AH0 M", "5lEunsQm", "5loJnsEm"),
    ("expert", "EH1 K S P ER0 T", "5ekspE:t", "5eksp\\:rt"),
    ("personal", "P ER1 S IH0 N AH0 L", "5pE:sEnl", "5p\\:rsEnl"),
    ("actual", "AE1 K CH AH0 W AH0 L", "5AktFuEl", "5AktFuEl"),
    ("eventually", "IH0 V EH1 N CH AH0 W AH0 L IY0", "i5ventjuEli", "I5ventFuEli"),
    ("genuine", "JH EH1 N Y AH0 W AH0 N", "5dVenjuin", "5dVenjuIn"),
    ("extremist", "EH0 K S T R IY1 M IH0 S T", "iks5tri:mist", "Ik5stri:mIst"),
    ("accepted", "AE0 K S EH1 P T IH0 D", "Ek5septid", "Ek5septId"),
    ("astronaut", "AE1 S T R AH0 N AA2 T", "5AstrEnR:t", "5AstrEnR:t"),
    ("parody", "P EH1 R AH0 D IY0", "5pArEdi", "5pArEdi"),
    ("baboon", "B AH0 B UW1 N", "bA5bu:n", "bA5bu:n"),
    ("abacus", "AE1 B AH0 K AH0 S", "5AbAkEs", "5AbEkEs"),
    ("manatee", "M AE1 N AH0 T IY2", "5mAnEti:", "5mAnEti:"),
    ("merry", "M EH1 R IY0", "5meri", "5meri"),
    ("dominate", "D AA1 M AH0 N EY2 T", "5dRmineit", "5dB:mIneIt"),
    ("lemons", "L EH1 M AH0 N Z", "5lemEnz", "5lemEnz"),
    # Stress before the onset, the longest English allows, unless the British form splits it.
    ("extreme", "IH0 K S T R IY1 M", "", "Ik5stri:m"),
    ("understand", "AH2 N D ER0 S T AE1 N D", "", ",QndEr5stAnd"),
    ("dismantle", "D IH0 S M AE1 N T AH0 L", "dis5mAntl", "dIs5mAntl"),
    ("unethical", "AH0 N EH1 TH IH0 K AH0 L", "Qn5eWikEl", "Qn5eWIkl"),
    ("explain", "IH0 K S P L EY1 N", "iks5plein", "Ik5spleIn"),
    ("dexterity", "D EH0 K S T EH1 R AH0 T IY0", "deks5teriti", "dek5sterEti"),
    # A word's first consonants all follow the mark, whatever the British form splits.
    ("scrutiny", "S K R UW1 T AH0 N IY0", "5kru:tini", "5skru:tEni"),
    ("about", "AH0 B AW1 T", "", "E5baJt"),
    # One primary stress; none marked after it, none in a word of one syllable.
    ("high-quality", "HH AY2 K W AA1 L AH0 T IY0", "", ",haI5kwB:lEti"),
    ("blackboard", "B L AE1 K B AO2 R D", "", "5blAkbR:rd"),
    # A secondary stress ahead of the primary only where the British form marks it, a long i
    # or u without it weak; the British form's weak syllables after the primary do not count.
    ("important", "IH2 M P AO1 R T AH0 N T", "im5pR:tEnt", "Im5pR:rtnt"),
    ("replace", "R IY2 P L EY1 S", "ri5pleis", "ri5pleIs"),
    ("reproduce", "R IY2 P R AH0 D UW1 S", "ri:prE5dju:s", ",ri:prE5du:s"),
    ("disagreement", "D IH0 S AH0 G R IY1 M AH0 N T", ",disE5gri:mEnt", ",dIsE5gri:mEnt"),
    # CMU's secondary stress on a later syllable ahead of the primary is printed.
    ("electronics", "IH2 L EH2 K T R AA1 N IH0 K S", "ilek5trRniks", "I,lek5trB:nIks"),
    ("impersonation", "IH2 M P ER0 S AH0 N EY1 SH AH0 N", "im,pE:sE5neiFEn",
     "Im,p\\:rsE5neIFn"),
    ("humiliation", "HH Y UW2 M IH2 L IY0 EY1 SH AH0 N", "hju:,mili5eiFEn", "hju:,mIli5eIFn"),
    # And CMU's on the first syllable where only weak ones lie between it and the primary.
    ("necessarily", "N EH2 S AH0 S EH1 R AH0 L IY0", "nesi5serili", ",nesE5serEli"),
    ("illegality", "IH2 L IY0 G AE1 L IH0 T IY0", "ili:5gAliti", ",Ili5gAlEti"),
    ("CIA", "S IY2 AY2 EY1", ",si:ai5ei", ",si:aI5eI"),
    ("rebuilt", "R IY0 B IH1 L T", ",ri:5bilt", ",ri:5bIlt"),
    ("precaution", "P R IY0 K AO1 SH AH0 N", "pri5kR:FEn", "prI5kR:Fn"),
    ("jellyfish", "JH EH1 L IY0 F IH2 SH", "5dVelifiF", "5dVelifIF"),
    ("nineteen", "N AY1 N T IY1 N", "5nain5ti:n", ",naIn5ti:n"),
    ("volunteer", "V AA1 L AH0 N T IH1 R", ",vRlEn5tiE", ",vB:lEn5tIr"),
    ("matador", "M AE1 T AH0 D ER0", "5mAtEdR:", "5mAtEdR:r"),
    ("nineteenth", "N AY1 N T IY1 N TH", "", "5naInti:nW"),
    ("the", "DH AH0", "", "TE"),
    # -ology, -ologies, -ologist with the lot vowel, dʒ and a weak i, whatever CMU writes.
    ("psychopathologies", "S AY2 K AH0 P AE0 TH AO1 L AH0 G IY2 Z", ",saikEupE5WRlEgi:z",
     ",saIkEpE5WB:lEdViz"),
    ("typology", "T AY2 P OW1 L AH0 G IH2", "tai5pRlEdVi", "taI5pB:lEdVi"),
]

# The British transcriptions of the words that stand alone inside the cases above.
STANDING = {"behave": "bi5heiv", "reserved": "ri5zE:vd"}

# word, the British form, the American codes the rules make of it.
FROM_BRITISH = [
    ("quality", "5kwRliti", "5kwB:lEti"),
    ("dog", "dRg", "dR:g"),
    ("dialogs", "5daiElRgz", "5daIElR:gz"),
    ("humbugged", "5hQmbQgd", "5hQmbQgd"),
    ("coffee", "5kRfi", "5kR:fi"),
    ("profit", "5prRfit", "5prB:fIt"),
    ("long", "lRN", "lR:N"),
    ("possible", "5pRsEbl", "5pB:sEbl"),
    ("home", "hEum", "hoJm"),
    ("dance", "da:ns", "dAns"),
    ("half", "ha:f", "hAf"),
    ("father", "5fa:TE", "5fB:TEr"),
    ("starry", "5sta:ri", "5stB:ri"),
    ("nurse", "nE:s", "n\\:rs"),
    ("care", "k/E", "ker"),
    ("careful", "5k/Efl", "5kerfl"),
    ("vary", "5v/Eri", "5veri"),
    ("period", "5piEriEd", "5pIriEd"),
    ("happier", "5hApiE", "5hApiEr"),
    ("larches", "5la:tFiz", "5lB:rtFIz"),
    ("idea", "ai5diE", "aI5di:E"),
    ("new", "nju:", "nu:"),
    ("student", "5stju:dnt", "5stu:dnt"),
    ("menu", "5menju:", "5menju:"),
    ("plenitude", "5plenitju:d", "5plenItu:d"),
    ("headless", "5hedlis", "5hedlEs"),
    ("medleys", "5medliz", "5medliz"),
    ("rabid", "5rAbid", "5rAbId"),
    ("radiation", ",reidi5eiFn", ",reIdi5eIFn"),
    ("explaining", "iks5pleiniN", "Ik5spleInIN"),
    ("exchanging", "iks5tFeindViN", "Iks5tFeIndVIN"),
    # Of several primary stresses the last leads; each word of a key apart.
    ("untrained", "5Qn5treind", ",Qn5treInd"),
    ("Arctic Ocean", "5a:ktik 5EuFEn", "5B:rktIk 5oJFn"),
    # The spelling's r found past a syllabic consonant, two vowels of one letter group, and
    # the e of "-rel" and of "-ress"; the lot vowel before r.
    ("harden", "5ha:dn", "5hB:rdn"),
    ("heartiest", "5ha:tiist", "5hB:rtiIst"),
    ("mackerel", "5mAkErEl", "5mAkErEl"),
    ("sorceress", "5sR:sEris", "5sR:rsErEs"),
    ("heiress", "5/Eris", "5erEs"),
    ("horsefly", "5hR:sflai", "5hR:rsflaI"),
    # A last -re after a consonant is ər, not after r; the British iəu is i and oʊ.
    ("meagre", "5mi:gE", "5mi:gEr"),
    ("massacred", "5mAsEkEd", "5mAsEkErd"),
    ("genre", "5VRnrE", "5VB:nrE"),
    ("olio", "5EuliEu", "5oJlioJ"),
    ("foreign", "5fRrin", "5fR:rEn"),
    ("sorry", "5sRri", "5sB:ri"),
    ("hurry", "5hQri", "5h\\:ri"),
    # The cloth vowel only in a stressed syllable, and not before ŋ and g and a vowel.
    ("ethos", "5i:WRs", "5i:WB:s"),
    ("Congo", "5kRNgEu", "5kB:NgoJ"),
    ("congress", "5kRNgres", "5kB:Ngres"),
    ("longer", "5lRNgE", "5lR:NgEr"),
    # A weak u: ahead of the stress is u; a weak jə spelled with i or y is iə.
    ("museum", "mju:5ziEm", "mju5zi:Em"),
    ("subjugation", ",sQbdVu:5geiFEn", ",sQbdVu5geIFn"),
    ("Libya", "5libjE", "5lIbiE"),
    ("million", "5miljEn", "5mIljEn"),
    ("asymptotic", ",eisimp5tRtik", ",eIsImp5tB:tIk"),
    # The n of un-, in- before a stressed k or g: n.
    ("uncrossed", "QN5krRst", "Qn5krR:st"),
    ("inglorious", "iN5glR:riEs", "In5glR:riEs"),
    # Syllabic n and l where they would be from CMU.
    ("vacation", "vei5keiFEn", "veI5keIFn"),
    ("disproportional", ",disprE5pR:FEnl", ",dIsprE5pR:rFEnl"),
    ("lessons", "5lesEnz", "5lesnz"),
    ("accident", "5AksidEnt", "5AksIdEnt"),
    ("sentence", "5sentEns", "5sentEns"),
    ("appraisal", "E5preizEl", "E5preIzl"),
    ("logically", "5lRdVikEli", "5lB:dVIkli"),
    ("frightful", "5fraitful", "5fraItfl"),
    ("potency", "5pEutEnsi", "5poJtnsi"),
    ("novelty", "5nRvElti", "5nB:vlti"),
    ("difficult", "5difikElt", "5dIfIkElt"),
    ("organization", ",R:gEnai5zeiFEn", ",R:rgEnE5zeIFn"),
    ("beautiful", "5bju:tEful", "5bju:tIfl"),
    # ə as from CMU: endings, before a consonant and a weak i, before a full -ary, -ory.
    ("climate", "5klaimit", "5klaImEt"),
    ("toilet", "5tRilit", "5tRIlEt"),
    ("noisily", "5nRizili", "5nRIzEli"),
    ("military", "5militEri", "5mIlEteri"),
    ("category", "5kAtigEri", "5kAtEgR:ri"),
    ("salary", "5sAlEri", "5sAlEri"),
    ("blackberry", "5blAkbEri", "5blAkberi"),
    # ə for an e of an open syllable ahead of the primary stress, but not a standing word's
    # re- or a hyphenated part's first vowel; ɪ for an i, in a closed syllable or after the
    # primary.
    ("valediction", ",vAli5dikFEn", ",vAlE5dIkFn"),
    ("appetiser", "5ApitaizE", "5ApItaIzEr"),
    ("unreservedly", ",Qnri5zE:vdli", ",QnrI5z\\:rvdli"),
    ("re-emerge", ",ri:i5mE:dV", ",ri:I5m\\:rdV"),
    ("orchestra", "5R:kistrE", "5R:rkIstrE"),
    # Weak u: ə after j before l, u in an open syllable, ʊ in a closed one; the happy i.
    ("regular", "5regjulE", "5regjElEr"),
    ("muscularity", ",mQskju5lAriti", ",mQskju5lArEti"),
    ("capsular", "5kApsjulE", "5kApsElEr"),
    ("insulate", "5insjuleit", "5InsEleIt"),
    ("document", "5dRkjumEnt", "5dB:kjumEnt"),
    ("childhood", "5tFaildhud", "5tFaIldhJd"),
    ("bodyguard", "5bRdiga:d", "5bB:digB:rd"),
    ("analysis", "E5nAlisis", "E5nAlIsIs"),
    ("creepiness", "5kri:pinis", "5kri:pinEs"),
]

# eSpeak's American phoneme names: syllables, primary stress, consonants with r.
ESPEAK = [
    ("k_w_'A:_l_I_t_i", (3, {0}, list("kwlt"))),
    ("k_'A@", (1, {0}, list("kr"))),
    ("f_'aI3", (2, {0}, list("fr"))),
    ("f_'a_n_S_i@_b_@L", (4, {0}, list("fnFbl"))),
    ("n_'i@3", (1, {0}, list("nr"))),
    ("b_'V_?_n-", (2, {0}, list("btn"))),
    ("b_'0_t#_@L", (2, {0}, list("btl"))),
    ("'A@_m_3_r-_I_N", (3, {0}, list("rmrN"))),
    ("dZ_'E_t_s_@_m", (2, {0}, list("dVtsm"))),
]


class FromCmu(unittest.TestCase):
    def test_cases(self):
        for word, phones, british, expected in FROM_CMU:
            with self.subTest(word=word):
                self.assertEqual(
                    american_ipa.from_cmu(phones, british or None, word, STANDING), expected)


class FromBritish(unittest.TestCase):
    def test_cases(self):
        for word, british, expected in FROM_BRITISH:
            with self.subTest(word=word):
                self.assertEqual(american_ipa.from_british(british, word, STANDING), expected)


class EspeakReading(unittest.TestCase):
    def test_profiles(self):
        for names, expected in ESPEAK:
            with self.subTest(names=names):
                self.assertEqual(american_ipa.espeak_profile(names), expected)

    def test_a_form_agrees_only_with_its_own_reading(self):
        self.assertTrue(american_ipa.espeak_agrees("5kwB:lEti", "k_w_'A:_l_I_t_i"))
        self.assertTrue(american_ipa.espeak_agrees("5bQtn", "b_'V_?_n-"))
        self.assertFalse(american_ipa.espeak_agrees("5kwB:lEti", "k_w_A:_l_'I_t_i"))
        self.assertFalse(american_ipa.espeak_agrees("kB:", "k_'A@"))  # the r missing
        # eSpeak's ŋ for the n of un- before k.
        self.assertTrue(american_ipa.espeak_agrees("Qn5krR:st", "V_N_k_r_'O:_s_t"))
        self.assertFalse(american_ipa.espeak_agrees("Qn5krR:st", "V_m_k_r_'O:_s_t"))


class Pairing(unittest.TestCase):
    def test_heteronyms_keep_the_british_order(self):
        noun, verb = "R EH1 K ER0 D", "R IH0 K AO1 R D"
        pairs = generate_american.paired(["ri5kR:d", "5rekR:d"], [noun, verb])
        self.assertEqual([v for _, v in pairs], [verb, noun])
        self.assertEqual(generate_american.paired(["5rekR:d"], [verb, noun]), [("5rekR:d", verb)])
        # A word of one syllable said on its own: CMU's strong reading beside a British strong
        # form, not its weak form first.
        self.assertEqual(generate_american.paired(["ei"], ["AH0", "EY1"], "a")[0][1], "EY1")
        self.assertEqual(generate_american.paired(["TE"], ["DH AH0", "DH AH1"], "the")[0][1],
                         "DH AH0")
        # One British form: of CMU's readings that differ only in the lot or cloth vowel or a
        # weak ə or ɪ, the one its rewriting shares; CMU's first otherwise.
        coffee = ["K AA1 F IY0", "K AO1 F IY0"]
        self.assertEqual(generate_american.paired(["5kRfi"], coffee, "coffee")[0][1], coffee[1])
        forest = ["F AO1 R AH0 S T", "F AO1 R IH0 S T"]
        self.assertEqual(generate_american.paired(["5fRrist"], forest, "forest")[0][1], forest[1])
        self.assertEqual(generate_american.paired(["5fRrEst"], forest, "forest")[0][1], forest[0])
        thirty = ["TH ER1 D IY2", "TH ER1 T IY2"]  # the flap not written
        self.assertEqual(generate_american.paired(["5WE:ti"], thirty, "thirty")[0][1], thirty[1])
        capitulate = ["K AH0 P IH1 CH UW0 L IH0 T", "K AH0 P IH1 CH UW0 L EY0 T"]
        self.assertEqual(generate_american.paired(["kE5pitjuleit"], capitulate, "capitulate")[0][1],
                         capitulate[1])
        tomato = ["T AH0 M EY1 T OW2", "T AH0 M AA1 T OW2"]
        self.assertEqual(generate_american.paired(["tE5ma:tEu"], tomato, "tomato")[0][1],
                         tomato[0])
        # The spelling's r decides between two forms that differ in the vowel alone.
        pairs = generate_american.paired(["tiE", "t/E"], ["T EH1 R", "T IH1 R"], "tear")
        self.assertEqual([v for _, v in pairs], ["T IH1 R", "T EH1 R"])


class FromHead(unittest.TestCase):
    """A regular form CMU lacks is its head's form from CMU with the ending the British forms
    add: the head's stress and vowels, the British form's syllables."""

    def test_forms(self):
        british = {"understatement": ",QndE5steitmEnt", "understatements": ",QndE5steitmEnts",
                   "enamel": "i5nAmEl", "enamelling": "i5nAmEliN", "rule": "ru:l",
                   "rulers": "5ru:lEz", "stop": "stRp", "stopped": "stRpt",
                   "embody": "im5bRdi", "embodiments": "im5bRdimEnts",
                   "sinful": "5sinful", "sinfully": "5sinfuli", "pal": "pAl", "pally": "5pAli",
                   "hast": "heist", "haste": "heist", "hasted": "5heistid"}
        american = {"understatement": "5QndErsteItmEnt", "enamel": "I5nAml", "rule": "ru:l",
                    "stop": "stB:p", "embody": "Im5bB:di", "sinful": "5sInfl", "pal": "pAl",
                    "hast": "hAst", "haste": "heIst"}
        cases = [("understatements", ["5QndErsteItmEnts"]), ("enamelling", ["I5nAmElIN"]),
                 ("rulers", ["5ru:lErz"]), ("stopped", ["stB:pt"]),
                 ("embodiments", ["Im5bB:dimEnts"]),
                 # Of two heads, the one with the vowels of the British form.
                 ("hasted", ["5heIstId"]),
                 # Not where the British forms are not the head's with the ending.
                 ("sinfully", None), ("pally", None)]
        for key, expected in cases:
            with self.subTest(key=key):
                self.assertEqual(generate_american.from_head(key, british, american), expected)


class Reviewed(unittest.TestCase):
    """A reading a person wrote wins; a slip in the hand-checked table stops the generator."""

    BRITISH = {"tarpaulin": "ta:5pR:lin", "obduracy": "5Rbdjurisi", "house": "/haus, hauz/"}

    def test_readings_are_taken(self):
        rows = [["tarpaulin", "tB:r5pR:lIn", "dropped"], ["house", "/haJs, haJz/", "order"]]
        self.assertEqual(generate_american.reviewed_readings(rows, self.BRITISH),
                         {"tarpaulin": "tB:r5pR:lIn", "house": "/haJs, haJz/"})

    def test_slips_are_refused(self):
        cases = [("no such key", [["tarpaulins", "tB:r5pR:lInz", "x"]]),
                 ("listed twice", [["obduracy", "5B:bdErEsi", "x"], ["obduracy", "5B:bdErEsi", "y"]]),
                 ("no reason", [["obduracy", "5B:bdErEsi"]]),
                 ("empty reading", [["obduracy", " ", "x"]]),
                 ("IPA, not codes", [["obduracy", "ˈɑːbdərəsi", "x"]]),
                 ("forms run together", [["house", "haJs haJz", "x"]])]
        for name, rows in cases:
            with self.subTest(name):
                with self.assertRaises(ValueError):
                    generate_american.reviewed_readings(rows, self.BRITISH)


class CommittedTables(unittest.TestCase):
    """Every key of the British tables has an American form or is listed as dropped, and no
    other key is in the American tables."""

    def test_every_key_has_an_american_form_or_is_dropped(self):
        tables = os.path.join(sources.REPO, "sonabet")
        british = generate_american.british_entries(os.path.join(tables, "tables"))
        american = generate_american.british_entries(os.path.join(tables, "ustables"))
        with open(os.path.join(tables, "ustables", generate_american.DROPPED),
                  encoding="utf-8") as f:
            dropped = {line.split("\t")[0] for line in f if not line.startswith("#")}
        self.assertGreater(len(british), 60000)
        self.assertEqual(set(american) | dropped, set(british))
        self.assertFalse(set(american) & dropped)
        self.assertFalse([k for k, v in american.items() if not v])
        allowed = sources.dictionary_characters()
        self.assertFalse([k for k, v in american.items() if set(v) - allowed])
        self.assertEqual(american["quality"], "5kwB:lEti")
        # An abbreviation by its letters' names, not CMU's word spelt alike ("un").
        self.assertEqual(american["UN"], ",ju:5en")


if __name__ == "__main__":
    unittest.main()
