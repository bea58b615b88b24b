#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, checks it with lintian as
# Debian does, unpacks it into a temporary root with dpkg-deb -x and checks what it
# installs: every file is there, and the desktop entry, the AppStream metadata and the MIME
# types pass the desktop's own validators.
#   check-package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build="$1"
source="$2"
id=org.quenloft.Quenloft

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog lintian desktop-file-validate \
  appstreamcli xmllint update-mime-database help2man; do
  command -v "$tool" >/dev/null || fail "$tool is missing; ./test.sh installs it (scripts/common.sh)"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# --- The package
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
debs=("$work"/out/quenloft_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one quenloft_*.deb in ${debs[*]}"
deb="${debs[0]}"
root="$work/root"
dpkg-deb -x "$deb" "$root"

# Debian's own checker: no error and no warning, and none overridden. Its notes ("I:")
# are left alone.
lintian --fail-on none --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian did not run"; }
if grep -E '^[EW]: ' "$work/lintian.log" >&2; then
  fail "lintian found the errors and warnings above"
fi

expected=(
  usr/bin/quenloft
  usr/bin/quenloft-cli
  usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml
  usr/share/mime/packages/quenloft.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/quenloft.1.gz
  usr/share/man/man1/quenloft-cli.1.gz
  usr/share/quenloft/version_history.html
  usr/share/doc/quenloft/copyright
  usr/share/doc/quenloft/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "the package does not install $file"
done
# The window finds the page from its own place: ../share/quenloft beside bin/.
[ -f "$root/usr/bin/../share/quenloft/version_history.html" ] || fail "history not beside bin"

# The samples the version history promises, as the repository holds them.
samples="$root/usr/share/quenloft/samples"
[ "$(ls "$source/samples")" == "$(ls "$samples" 2>/dev/null)" ] ||
  fail "the package's samples [$(ls "$samples" 2>/dev/null | xargs)] differ from samples/"
for sample in "$source"/samples/*; do
  cmp -s "$sample" "$samples/$(basename "$sample")" || fail "$(basename "$sample") differs"
done

# The copyright file is machine-readable; the changelog's newest entry is this version.
doc="$root/usr/share/doc/quenloft"
head -n 1 "$doc/copyright" |
  grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
changelog_version="$(dpkg-parsechangelog -l "$doc/changelog.gz" -S Version)"
[ "$changelog_version" == "$(dpkg-deb -f "$deb" Version)" ] ||
  fail "the changelog's newest entry is $changelog_version, the package $(dpkg-deb -f "$deb" Version)"

[ "$(dpkg-deb -f "$deb" Recommends)" == "xdg-utils" ] ||
  fail "Recommends is not xdg-utils, which opens files and addresses"

depends="$(dpkg-deb -f "$deb" Depends)"
[[ "$depends" == *fonts-liberation2* ]] || fail "Depends lacks the window's font: $depends"
[[ "$depends" == *libqt6widgets6* ]] || fail "Depends was not computed from the libraries: $depends"

# --- The validators
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "appstreamcli validate"
mime="$root/usr/share/mime/packages/quenloft.xml"
schema="$(find /usr/share/mime /usr/share/xml /usr/share/shared-mime-info -maxdepth 2 \
  -name 'shared-mime-info*.xsd' 2>/dev/null | head -n 1 || true)"
if [ -n "$schema" ]; then
  xmllint --noout --schema "$schema" "$mime" || fail "xmllint against $schema"
else
  echo "No shared-mime-info schema on this system; checking the MIME XML is well formed"
  xmllint --noout "$mime" || fail "xmllint"
fi
# The database compiler is what reads the file on a desktop: it must take it, and match
# either ending in any letter case.
database="$work/share/mime"
mkdir -p "$database/packages"
cp "$mime" "$database/packages/"
XDG_DATA_DIRS="$work/share" update-mime-database "$database" 2>"$work/mime.log" ||
  { cat "$work/mime.log" >&2; fail "update-mime-database"; }
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log" >&2; fail "update-mime-database complained"; }
for pair in "application/x-kivra-nox-run:*.kvp" "application/x-kivra-solvane-run:*.kvs"; do
  cut -d: -f2- "$database/globs2" | grep -qxF "$pair" || fail "no case-insensitive glob $pair"
done

# The desktop entry, the metainfo and the MIME package name the same types.
types() { grep -o 'application/x-kivra-[a-z-]*' "$1" | sort -u; }
entry_types="$(grep '^MimeType=' "$root/usr/share/applications/$id.desktop" | tr ';=' '\n\n' |
  grep / | sort -u)"
[ "$entry_types" == "$(types "$mime")" ] || fail "the desktop entry's MimeType= differs"
[ "$(types "$root/usr/share/metainfo/$id.metainfo.xml")" == "$(types "$mime")" ] ||
  fail "the metainfo's mediatypes differ"

# Releases as in the version history: "Quenloft v3.00 build 2" is release 3.0.2.
history_versions="$(grep -o 'Quenloft v[0-9]*\.[0-9]* build [0-9]*' \
  "$root/usr/share/quenloft/version_history.html" |
  sed -E 's/Quenloft v([0-9]+)\.0*([0-9]+) build ([0-9]+)/\1.\2.\3/' | sort -u)"
release_versions="$(grep -o '<release version="[^"]*"' "$root/usr/share/metainfo/$id.metainfo.xml" |
  sed -E 's/.*"(.*)"/\1/' | sort -u)"
[ -n "$history_versions" ] && [ "$history_versions" == "$release_versions" ] ||
  fail "metainfo releases [$release_versions] differ from the version history [$history_versions]"

# --- The programs as installed
help="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/quenloft" --help)" ||
  fail "quenloft --help needs a display"
[[ "$help" == "Usage: quenloft "* ]] || fail "quenloft --help printed: $help"
zcat "$root/usr/share/man/man1/quenloft.1.gz" | grep -q '^\.SH OPTIONS' ||
  fail "quenloft(1) has no OPTIONS section"
# quenloft-cli(1) is written by hand: it must name every command, option and field the
# program's help names.
page="$(zcat "$root/usr/share/man/man1/quenloft-cli.1.gz" | sed 's/\\-/-/g')"
for word in $("$root/usr/bin/quenloft-cli" --help | grep -oE -- '--[a-z]+|\b[a-z]+_[a-z_]+\b|^(show|set|check)\b' | sort -u); do
  grep -qF -- "$word" <<<"$page" || fail "quenloft-cli(1) does not name $word"
done

echo "OK: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB), Depends: $depends"
