"""American spellings of British words, which answer with the British transcription.

`spellings(word, codes_of)` gives the American spellings of one British spelling; codes_of
returns the first form of a key's transcription (or None) and lets a rule ask how a part of the
word sounds, so that only an unstressed "-our" becomes "-or" ("colour", not "hour" or "devour")
and only an unstressed "-el" drops its second l ("travelled", not "compelled").
"""

# -ise words whose ending is no suffix; they are spelt -ise in America too.
ISE_KEPT = {
    "advertise", "advise", "apprise", "arise", "chastise", "circumcise", "comprise",
    "compromise", "concise", "demise", "despise", "devise", "disguise", "enterprise", "excise",
    "exercise", "expertise", "franchise", "improvise", "incise", "merchandise", "precise",
    "premise", "promise", "revise", "rise", "supervise", "surmise", "surprise", "televise",
    "treatise", "wise", "otherwise", "likewise", "clockwise", "paradise", "noise", "raise",
    "praise", "poise", "cruise", "bruise", "reprise", "guise", "valise", "anise", "braise",
    "mortise", "tortoise", "porpoise", "turquoise", "bourgeoise", "chemise", "marquise",
    "appraise", "upraise", "sunrise", "moonrise", "highrise", "uprise",
}
ISE_ENDINGS = ("ise", "ises", "ised", "ising", "iser", "isers", "isation", "isations",
               "isable", "isational")
RE_KEPT = {"acre", "massacre", "mediocre", "ogre", "genre", "lucre", "cadre", "timbre",
           "macabre", "euchre", "padre", "wiseacre", "nacre", "oeuvre", "louvre"}
RE_ENDINGS = ("re", "res", "red", "ring")

RE_COMPOUND_STEMS = ("centre", "fibre", "theatre", "metre", "litre", "sabre", "spectre",
                     "lustre", "calibre", "sombre")

# Whole spellings and word beginnings that differ otherwise, British first.
WORDS = {
    "programme": "program", "programmes": "programs", "grey": "gray", "greys": "grays",
    "greyish": "grayish", "greyness": "grayness", "greyed": "grayed", "greying": "graying",
    "defence": "defense", "defences": "defenses", "defenceless": "defenseless",
    "offence": "offense", "offences": "offenses", "pretence": "pretense",
    "licence": "license", "licences": "licenses", "plough": "plow", "ploughs": "plows",
    "ploughed": "plowed", "ploughing": "plowing", "mould": "mold", "moulds": "molds",
    "mouldy": "moldy", "moulded": "molded", "moulding": "molding", "smoulder": "smolder",
    "moustache": "mustache", "pyjamas": "pajamas", "sceptic": "skeptic",
    "sceptical": "skeptical", "scepticism": "skepticism", "sceptics": "skeptics",
    "ageing": "aging", "judgement": "judgment", "judgements": "judgments",
    "acknowledgement": "acknowledgment", "acknowledgements": "acknowledgments",
    "fulfil": "fulfill", "fulfils": "fulfills", "fulfilment": "fulfillment",
    "enrol": "enroll", "enrols": "enrolls", "enrolment": "enrollment",
    "instalment": "installment", "instalments": "installments", "skilful": "skillful",
    "skilfully": "skillfully", "wilful": "willful", "distil": "distill", "instil": "instill",
    "jewellery": "jewelry", "cheque": "check", "cheques": "checks", "chequebook": "checkbook",
    "tyre": "tire", "tyres": "tires", "storey": "story", "storeys": "stories",
    "cosy": "cozy", "cosier": "cozier", "kerb": "curb", "draughty": "drafty",
    "mum": "mom", "mums": "moms", "arse": "ass", "aluminium": None, "whisky": "whiskey",
    "doughnut": "donut", "doughnuts": "donuts", "manoeuvre": "maneuver",
    "manoeuvres": "maneuvers", "manoeuvred": "maneuvered", "manoeuvring": "maneuvering",
    "analogue": "analog", "catalogue": "catalog", "catalogues": "catalogs",
    "catalogued": "cataloged", "dialogue": "dialog", "dialogues": "dialogs",
    "monologue": "monolog", "prologue": "prolog", "epilogue": "epilog",
    "woollen": "woolen", "gaol": "jail", "gaols": "jails", "artefact": "artifact",
    "artefacts": "artifacts", "axe": "ax", "axes": None, "sulphur": "sulfur",
    "sulphate": "sulfate", "sulphuric": "sulfuric", "omelette": "omelet",
    "cigarette": None, "fibre": "fiber", "fibres": "fibers", "practise": "practice",
    "practised": "practiced", "practising": "practicing", "practises": "practices",
    "chequered": "checkered", "furore": "furor", "oesophagus": "esophagus",
}
# Word beginnings: the ae and oe of Greek and Latin words ("paediatric", "oestrogen").
BEGINNINGS = (("paed", "ped"), ("orthopaed", "orthoped"), ("encyclopaed", "encycloped"),
              ("haem", "hem"), ("anaem", "anem"), ("anaesthe", "anesthe"),
              ("oestr", "estr"), ("oesoph", "esoph"), ("foet", "fet"), ("leukaem", "leukem"),
              ("diarrhoe", "diarrhe"), ("gynaec", "gynec"), ("archaeo", "archeo"),
              ("mediaev", "mediev"), ("palaeo", "paleo"))


def _unstressed_end(codes, sound):
    """Whether the codes end in `sound` in an unstressed syllable after a consonant."""
    if not codes or not codes.endswith(sound):
        return False
    rest = codes[: len(codes) - len(sound)]
    if not rest or rest[-1] in "5,ieAEQaRu/o:":
        return False
    return "5" in rest or "," in rest


def spellings(word, codes_of):
    """The American spellings of a British spelling (empty when it is spelt alike)."""
    w = word
    found = []
    if w in WORDS:
        if WORDS[w]:
            found.append(WORDS[w])
        return found
    for british, us in BEGINNINGS:
        if w.startswith(british) and len(w) > len(british):
            found.append(us + w[len(british):])
    # -our to -or where the our is an unstressed schwa: "colour", "colourful", "favourite".
    start = w.find("our")
    if start >= 2:
        stem = w[: start + 3]
        codes = codes_of(stem)
        if codes and _unstressed_end(codes, "E") and not codes.endswith(("auE", "uE", "R:")):
            found.append(w[:start] + "or" + w[start + 3:])
    # -ise to -ize: "realise", "organisation"; the -yse of "analyse".
    for ending in ISE_ENDINGS:
        if w.endswith(ending) and len(w) - len(ending) >= 3:
            base = w[: len(w) - len(ending)] + "ise"
            kept = base in ISE_KEPT or any(base.endswith(k) and (len(k) > 4 or
                                                                 base.endswith("-" + k))
                                           for k in ISE_KEPT)
            # Only the suffix, heard "aiz": not the plural of "genesis" or "debris".
            if not kept and (codes_of(base) or "").endswith("aiz"):
                found.append(w[: len(w) - len(ending)] + "iz" + ending[2:])
            break
    for ending in ("yse", "yses", "ysed", "ysing"):
        if w.endswith(ending) and len(w) > len(ending) + 3:
            base = w[: len(w) - len(ending)] + "yse"
            if (codes_of(base) or "").endswith("aiz"):
                found.append(w[: len(w) - len(ending)] + "yz" + ending[2:])
            break
    # -re to -er: "centre", "theatres", "metre"; "centred" and "centring" too.
    for ending in RE_ENDINGS:
        if not w.endswith(ending):
            continue
        stem = w[: len(w) - len(ending)]
        base = stem + "re"
        if (len(stem) >= 3 and stem[-1] not in "aeiouy" and base not in RE_KEPT
                and not w.endswith(("ire", "ure", "ore", "are", "ere"))):
            codes = codes_of(base)
            if codes and codes.endswith("E") and not codes.endswith(("iE", "/E", "uE")):
                us = {"re": "er", "res": "ers", "red": "ered", "ring": "ering"}[ending]
                found.append(stem + us)
        break
    # -elled, -elling, -eller, -ellor to one l after an unstressed syllable: "travelled".
    for ending in ("lled", "lling", "ller", "llers", "llor", "llors"):
        if w.endswith(ending) and len(w) > len(ending) + 2 and w[-len(ending) - 1] == "e":
            stem = w[: len(w) - len(ending)] + "l"
            codes = codes_of(stem)
            if codes and (_unstressed_end(codes, "El") or _unstressed_end(codes, "l")):
                found.append(w[: len(w) - len(ending)] + ending[1:])
            break
    # "liveable", "sizeable": the e before -able goes, but after c and g ("noticeable").
    if (w.endswith("eable") and len(w) > 7 and w[-6] not in "cgaeiou"
            and codes_of(w[:-5] + "e")):
        found.append(w[:-5] + "able")
    # A compound whose first word ends in -re: "centrepiece", "fibreglass", "theatregoer".
    for stem in RE_COMPOUND_STEMS:
        if w.startswith(stem) and len(w) > len(stem) + 2 and codes_of(w[len(stem):]):
            found.append(stem[:-2] + "er" + w[len(stem):])
    # -ogue to -og: "analogue", "catalogue" (the words above); -ence to -ense is in WORDS.
    return [f for f in found if f != w]
