#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every text of the sources has a finished translation in every language (each
translations/tamsel_<code>.ts), and keeps its
arguments and its access key.

    completeness_test.py LUPDATE SOURCE_DIR
    completeness_test.py --self-test     (the checker against planted faults)

Runs lupdate over src/ and sim/ into a copy of each translations/tamsel_<code>.ts, so a text
added to the sources and not yet translated shows up as unfinished, then checks each message:

- a finished, non-empty translation (every plural form);
- the same %1..%99 and %n as the source text;
- an access key (&X) exactly where the source has one, written as a letter or digit A to Z,
  0 to 9, in Japanese in the Japanese way, "ファイル(&F)";
- within one context (a window, a menu), two texts whose English access keys differ do not
  get the same one in translation.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACE = re.compile(r"%(?:n|L?\d{1,2})")


def access_keys(text):
    """The characters after a single & ("&&" is a literal ampersand)."""
    keys = []
    i = 0
    while i < len(text):
        if text[i] == "&":
            if i + 1 < len(text) and text[i + 1] == "&":
                i += 2
                continue
            if i + 1 < len(text):
                keys.append(text[i + 1])
        i += 1
    return keys


def places(text):
    return sorted(set(PLACE.findall(text)))


def message_texts(message):
    """The translation's forms, or None when it is unfinished or missing."""
    tr = message.find("translation")
    if tr is None or tr.get("type") in ("unfinished",):
        return None
    if message.get("numerus") == "yes":
        forms = [f.text or "" for f in tr.findall("numerusform")]
        return forms if forms and all(forms) else None
    return [tr.text] if tr.text else None


def check(ts_path, code):
    problems = []
    tree = ET.parse(ts_path)
    count = 0
    for context in tree.getroot().findall("context"):
        name = context.findtext("name")
        keyed = []  # (English key, translated key, source)
        for message in context.findall("message"):
            tr = message.find("translation")
            if tr is not None and tr.get("type") in ("obsolete", "vanished"):
                continue
            count += 1
            source = message.findtext("source") or ""
            where = f"{code}: {name}: {source!r}"
            forms = message_texts(message)
            if forms is None:
                problems.append(f"{where}: no finished translation")
                continue
            for form in forms:
                if places(form) != places(source):
                    problems.append(
                        f"{where}: arguments {places(source)} became {places(form)} in {form!r}")
                src_keys, form_keys = access_keys(source), access_keys(form)
                if len(src_keys) != len(form_keys):
                    problems.append(f"{where}: access keys {src_keys} became {form_keys} in {form!r}")
                    continue
                if not form_keys:
                    continue
                key = form_keys[0]
                if not re.fullmatch(r"[A-Za-z0-9]", key):
                    problems.append(f"{where}: access key {key!r} is not a letter A to Z or digit")
                elif code == "ja" and f"(&{key}" not in form and not re.search(
                        r"^[\x00-\x7f]*$", form):
                    problems.append(f"{where}: Japanese access key not written as (&{key.upper()}): {form!r}")
                keyed.append((src_keys[0].lower(), key.lower(), source))
        # One key per letter: texts the English tells apart stay apart.
        for i, (en_a, key_a, src_a) in enumerate(keyed):
            for en_b, key_b, src_b in keyed[i + 1:]:
                if en_a != en_b and key_a == key_b and src_a != src_b:
                    problems.append(
                        f"{code}: {name}: {src_a!r} and {src_b!r} share the access key "
                        f"{key_a.upper()!r} (different in English)")
    return count, problems


# The checker's own cases: (language, messages of one context, how many problems it finds).
# A message is (source, translation or None, type) or, for plurals, (source, [forms], type).
SELF_TEST = [
    ("ja", [("&File", "ファイル(&F)", None), ("E&xit", "終了(&X)", None)], 0),
    ("de", [("&File", "&Datei", None), ("E&xit", "&Beenden", None)], 0),
    ("de", [("Volume: %1", "Lautstärke: %1", None)], 0),
    ("de", [("Imported %n repeaters from %1", ["%n Relais aus %1", "%n Relais aus %1"], None)], 0),
    ("de", [("&Save", "&Speichern", None), ("&Save", "&Sichern", None)], 0),  # same English key
    ("de", [("Volume", None, None)], 1),                        # no translation
    ("de", [("Volume", "Lautstärke", "unfinished")], 1),        # not finished
    ("de", [("Volume: %1", "Lautstärke", None)], 1),            # argument lost
    ("de", [("%1 of %2", "%1 von %3", None)], 1),               # argument renumbered
    ("de", [("Imported %n repeaters from %1", ["%n Relais", "%n Relais aus %1"], None)], 1),
    ("de", [("&File", "Datei", None)], 1),                      # access key lost
    ("de", [("File", "&Datei", None)], 1),                      # access key added
    ("de", [("&Open", "Ö&ffnen", None), ("O&pen", "&Öffnen", None)], 1),  # key not A-Z
    ("ja", [("&File", "&ファイル", None)], 1),                  # not the Japanese way
    ("de", [("&File", "&Datei", None), ("&Default Setting", "&Datenvorgabe", None)], 1),
]


def self_test():
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for n, (code, messages, expected) in enumerate(SELF_TEST):
            root = ET.Element("TS", version="2.1", language=code)
            context = ET.SubElement(root, "context")
            ET.SubElement(context, "name").text = "Case"
            for source, translation, kind in messages:
                m = ET.SubElement(context, "message")
                ET.SubElement(m, "source").text = source
                tr = ET.SubElement(m, "translation")
                if kind:
                    tr.set("type", kind)
                if isinstance(translation, list):
                    m.set("numerus", "yes")
                    for form in translation:
                        ET.SubElement(tr, "numerusform").text = form
                else:
                    tr.text = translation
            path = os.path.join(scratch, f"case{n}.ts")
            ET.ElementTree(root).write(path, encoding="utf-8")
            _, problems = check(path, code)
            if len(problems) != expected:
                failures += 1
                print(f"case {n} {messages}: {len(problems)} problems, expected {expected}: "
                      f"{problems}")
    print(f"checker: {len(SELF_TEST)} cases, {failures} wrong")
    return 1 if failures else 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    lupdate, source_dir = sys.argv[1], sys.argv[2]
    all_problems = []
    with tempfile.TemporaryDirectory() as scratch:
        folder = os.path.join(source_dir, "translations")
        codes = sorted(name[len("tamsel_"):-len(".ts")] for name in os.listdir(folder)
                       if name.startswith("tamsel_") and name.endswith(".ts"))
        if not codes:
            print("no translations/tamsel_<code>.ts")
            return 2
        for code in codes:
            kept = os.path.join(folder, f"tamsel_{code}.ts")
            copy = os.path.join(scratch, f"tamsel_{code}.ts")
            shutil.copy(kept, copy)
            run = subprocess.run(
                [lupdate, "-locations", "none", "-no-ui-lines", "-silent",
                 "-I", os.path.join(source_dir, "src", "core"),
                 "-I", os.path.join(source_dir, "src", "desk"),
                 os.path.join(source_dir, "src"), os.path.join(source_dir, "sim"), "-ts", copy],
                capture_output=True, text=True)
            if run.returncode != 0:
                print(run.stdout, run.stderr)
                return 2
            count, problems = check(copy, code)
            print(f"{code}: {count} texts, {len(problems)} problems")
            all_problems += problems
    for p in all_problems:
        print(p)
    return 1 if all_problems else 0


if __name__ == "__main__":
    sys.exit(main())
