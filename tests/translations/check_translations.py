#!/usr/bin/env python3
"""Checks the shipped translations against the sources of today.

Each .ts file is brought up to date with the sources in a scratch copy first, so a text added to
the code but not to a translation shows up here as unfinished. Every translation must then be
finished and keep the source's placeholders (%1, %n), markup and Markdown.

usage: check_translations.py LUPDATE SOURCE_DIR FILE.ts...
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(?:n|L?\d{1,2})")
TAG = re.compile(r"</?([a-zA-Z][a-zA-Z0-9]*)")
MARKDOWN = ("**", "`", "](")


def markup(text):
    return (
        sorted(set(PLACEHOLDER.findall(text))),
        sorted(TAG.findall(text)),
        [text.count(mark) for mark in MARKDOWN],
        text.count("\n"),
    )


def refreshed(lupdate, source_dir, ts_file, scratch):
    copy = os.path.join(scratch, os.path.basename(ts_file))
    shutil.copyfile(ts_file, copy)
    result = subprocess.run(
        [lupdate, "-silent", "-no-obsolete", "-locations", "none", "-extensions", "cpp,h",
         "-I", source_dir, source_dir, "-ts", copy],
        capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"lupdate failed on {ts_file}: {result.stderr}")
    return copy


def problems(ts_path, label):
    root = ElementTree.parse(ts_path).getroot()
    language = root.get("language", "")
    expected = os.path.basename(label).removeprefix("veltqorv_").removesuffix(".ts")
    if not language.startswith(expected):
        yield f"{label}: language is '{language}', the file name says '{expected}'"
    count = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            count += 1
            source = message.findtext("source") or ""
            where = f"{label}: {name}: \"{source}\""
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            if kind is not None:
                yield f"{where}: {kind}"
                continue
            if message.get("numerus") == "yes":
                forms = [form.text or "" for form in translation.iter("numerusform")]
            else:
                forms = [translation.text or ""]
            for form in forms:
                if not form.strip():
                    yield f"{where}: empty translation"
                elif markup(form) != markup(source):
                    yield f"{where}: \"{form}\" changes the placeholders or markup"
    if count == 0:
        yield f"{label}: no texts at all"


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    lupdate, source_dir, ts_files = sys.argv[1], sys.argv[2], sys.argv[3:]
    found = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts_file in ts_files:
            found += problems(refreshed(lupdate, source_dir, ts_file, scratch), ts_file)
    for problem in found:
        print(problem)
    print(f"{len(found)} problem(s) in {len(ts_files)} file(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
