#!/usr/bin/python3
"""A word processor's round trip with the phonetic font in the user's font folder.

    libreoffice_test.py <Ksphonet.ttf>

With a private home, data, cache and config folder, the font is copied into the user's font
folder as scripts/run.sh does; headless LibreOffice converts a short RTF document whose
transcription uses the face "Kingsoft Phonetic Plain" to PDF, and the PDF must embed that font
for exactly the transcription. The same conversion without the font installed shows that the
check can tell the two apart. Exits 77 (skipped) when LibreOffice or poppler-utils is missing.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

FAMILY = "Kingsoft Phonetic Plain"
POSTSCRIPT_NAME = "KingsoftPhoneticPlain"
TRANSCRIPTION = "5kwRliti"

# "Quality [5kwRliti]" as a smart-annotation window writes it: word and brackets in Arial,
# the transcription in the phonetic face, in blue.
DOCUMENT = (
    r"{\rtf1\ansi\ansicpg1252\deff0"
    r"{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fnil\fcharset0 " + FAMILY + r";}}" "\r\n"
    r"{\colortbl;\red0\green0\blue0;\red0\green0\blue255;}" "\r\n"
    r"\pard\plain\f0\fs28\cf1 Quality [\f1\cf2 " + TRANSCRIPTION + r"\f0\cf1 ]\par" "\r\n"
    "}\r\n")


class Failure(Exception):
    pass


def run(command, env, timeout=60):
    # soffice starts a child of its own: on a timeout the whole group goes.
    with subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          start_new_session=True, text=True) as process:
        try:
            output, _ = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.communicate()
            raise Failure(f"{command[0]} did not finish within {timeout} s")
    if process.returncode != 0:
        raise Failure(f"{' '.join(command)} failed ({process.returncode}):\n{output}")
    return output


def fonts_used(pdf, env):
    """{font name without subset tag: (embedded, [texts drawn with it])}"""
    listing = run(["pdffonts", pdf], env)
    embedded = {}
    for line in listing.splitlines()[2:]:
        fields = line.split()
        # name, type words, encoding, emb, sub, uni, object, generation
        if len(fields) >= 7:
            name = re.sub(r"^[A-Z]{6}\+", "", fields[0])
            embedded[name] = fields[-5] == "yes"
    page = ElementTree.fromstring(run(["pdftohtml", "-xml", "-i", "-stdout", pdf], env))
    families = {entry.get("id"): re.sub(r"^[A-Z]{6}\+", "", entry.get("family", ""))
                for entry in page.iter("fontspec")}
    texts = {}
    for text in page.iter("text"):
        family = families.get(text.get("font"), "?")
        texts.setdefault(family, []).append("".join(text.itertext()))
    return {name: (embedded.get(name, False), texts.get(name, []))
            for name in set(embedded) | set(texts)}


def convert(workdir, env, label):
    source = os.path.join(workdir, f"{label}.rtf")
    with open(source, "w", encoding="ascii", newline="") as f:
        f.write(DOCUMENT)
    outdir = os.path.join(workdir, f"{label}-pdf")
    profile = "file://" + os.path.join(workdir, f"{label}-profile")
    run(["soffice", f"-env:UserInstallation={profile}", "--headless", "--norestore",
         "--convert-to", "pdf", "--outdir", outdir, source], env, timeout=240)
    pdf = os.path.join(outdir, f"{label}.pdf")
    if not os.path.isfile(pdf):
        raise Failure(f"LibreOffice wrote no {pdf}")
    return fonts_used(pdf, env)


def face_known(env):
    return FAMILY in run(["fc-list", ":", "family"], env).splitlines()


def main(argv):
    if len(argv) != 1:
        print(__doc__)
        return 2
    font = os.path.abspath(argv[0])
    for tool in ("soffice", "pdffonts", "pdftohtml", "fc-cache", "fc-list"):
        if shutil.which(tool) is None:
            print(f"skipped: {tool} not found (libreoffice-writer-nogui, poppler-utils, "
                  "fontconfig)")
            return 77
    if not os.path.isfile(font):
        print(f"{font} not found; build the phonetic_font target first")
        return 1

    workdir = tempfile.mkdtemp(prefix="voxscribe-font-lo-")
    try:
        env = dict(os.environ)
        for variable, folder in (("HOME", "home"), ("XDG_DATA_HOME", "data"),
                                 ("XDG_CACHE_HOME", "cache"), ("XDG_CONFIG_HOME", "config")):
            env[variable] = os.path.join(workdir, folder)
            os.makedirs(env[variable])
        env.pop("SAL_USE_VCLPLUGIN", None)

        if face_known(env):
            print(f"note: \"{FAMILY}\" is installed outside the user's font folder; "
                  "the conversion without it is left out")
        else:
            used = convert(workdir, env, "without")
            if POSTSCRIPT_NAME in used:
                raise Failure(f"{POSTSCRIPT_NAME} embedded although the face is not installed")
            print(f"without the font: {sorted(used)}")

        fonts = os.path.join(env["XDG_DATA_HOME"], "fonts")
        os.makedirs(fonts)
        shutil.copy(font, os.path.join(fonts, "Ksphonet.ttf"))
        run(["fc-cache", "-f", fonts], env)
        if not face_known(env):
            raise Failure(f"fontconfig does not list \"{FAMILY}\" from {fonts}")

        used = convert(workdir, env, "with")
        print(f"with the font: {used}")
        embedded, texts = used.get(POSTSCRIPT_NAME, (False, []))
        if not embedded:
            raise Failure(f"{POSTSCRIPT_NAME} is not embedded in the PDF")
        if "".join(texts).strip() != TRANSCRIPTION:
            raise Failure(f"text in {POSTSCRIPT_NAME}: {texts!r}, expected {TRANSCRIPTION!r}")
        others = "".join(t for name, (_, ts) in used.items() if name != POSTSCRIPT_NAME
                         for t in ts)
        if "Quality" not in others or TRANSCRIPTION in others:
            raise Failure(f"the word and brackets should use the Latin font: {used!r}")
        print("ok")
        return 0
    except Failure as failure:
        print(f"FAILED: {failure}")
        return 1
    finally:
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
