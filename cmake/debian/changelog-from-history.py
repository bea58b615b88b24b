#!/usr/bin/env python3
"""Writes the Debian changelog of the package from the program's version history.

    changelog-from-history.py HISTORY METAINFO PACKAGE MAINTAINER OUTPUT

HISTORY is version_history.html: one <h2>Quenloft vM.mm build B</h2> per release, newest
first, followed by the paragraphs and list items that describe it. Each paragraph and
item becomes one entry of release M.m.B. The page gives no dates, so a release's date is
the one the AppStream METAINFO gives it (the package check keeps the two lists of
releases equal). The output depends on nothing but the inputs, so the package is built
the same every time.
"""

import datetime
import html.parser
import re
import sys
import textwrap
import xml.etree.ElementTree as ElementTree

TITLE = re.compile(r"Quenloft v(\d+)\.(\d+) build (\d+)")
WIDTH = 79


class VersionHistory(html.parser.HTMLParser):
    """The releases of the page: [(version, [entry text, ...]), ...] in page order."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.releases = []
        self._text = None  # the text of the element being read
        self._element = None

    def handle_starttag(self, tag, attrs):
        if tag in ("h2", "p", "li"):
            self._element = tag
            self._text = []

    def handle_endtag(self, tag):
        if tag != self._element:
            return
        text = " ".join("".join(self._text).split())
        self._element = None
        if tag == "h2":
            title = TITLE.fullmatch(text)
            if not title:
                sys.exit(f"not a release title: {text!r}")
            major, minor, build = (int(part) for part in title.groups())
            self.releases.append((f"{major}.{minor}.{build}", []))
        elif text:
            if not self.releases:
                sys.exit(f"text before the first release: {text!r}")
            self.releases[-1][1].append(text)

    def handle_data(self, data):
        if self._element:
            self._text.append(data)


def release_dates(metainfo):
    releases = ElementTree.parse(metainfo).getroot().iter("release")
    return {r.get("version"): datetime.date.fromisoformat(r.get("date")) for r in releases}


def changelog(package, maintainer, releases, dates):
    lines = []
    for version, entries in releases:
        if version not in dates:
            sys.exit(f"the metainfo gives no date for release {version}")
        if not entries:
            sys.exit(f"release {version} has no text")
        lines.append(f"{package} ({version}) unstable; urgency=medium")
        lines.append("")
        for entry in entries:
            lines.extend(textwrap.wrap(entry, WIDTH, initial_indent="  * ",
                                       subsequent_indent="    ", break_on_hyphens=False))
        lines.append("")
        # Noon UTC, so the day is the same in every time zone a reader may convert it to.
        day = dates[version]
        stamp = datetime.datetime(day.year, day.month, day.day, 12, tzinfo=datetime.timezone.utc)
        lines.append(f" -- {maintainer}  {stamp.strftime('%a, %d %b %Y %H:%M:%S %z')}")
        lines.append("")
    return "\n".join(lines)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    history_path, metainfo, package, maintainer, output = sys.argv[1:]
    history = VersionHistory()
    with open(history_path, encoding="utf-8") as page:
        history.feed(page.read())
    if not history.releases:
        sys.exit(f"{history_path} names no release")
    text = changelog(package, maintainer, history.releases, release_dates(metainfo))
    with open(output, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
