#!/usr/bin/env bash
# The Windows build, checked under Wine: builds build-windows/ (scripts/build-windows.sh)
# and runs the suite, makes the installer and the portable zip, installs silently into the
# build's Wine prefix, runs the installed quenloft-cli, and checks that the zip holds what
# the installer installs and that the uninstaller takes all of it away again. Any failure
# fails it. Arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/common.sh"
step() {
  local start=$SECONDS
  "$@"
  echo "--- $* took $((SECONDS - start)) s"
}
step "$QUENLOFT_ROOT/scripts/build-windows.sh" "$@"

cd "$QUENLOFT_WINDOWS_BUILD"
step cpack -G "NSIS;ZIP"
version=$(sed -n 's/^project(Quenloft VERSION \([0-9.]*\).*/\1/p' "$QUENLOFT_ROOT/CMakeLists.txt")
installer="$PWD/quenloft-$version-win64.exe"
zip="$PWD/quenloft-$version-win64.zip"

quenloft_wine_start
folder='C:\Program Files\Quenloft'
fail() {
  echo "Windows installer check: $*" >&2
  exit 1
}
step wine "$installer" /S "/D=$folder"
installed=$(winepath -u "$folder")
[ -f "$installed/quenloft.exe" ] || fail "nothing installed in $installed"

# The installed programs run from their folder, with the DLLs beside them.
wine "$folder\\quenloft-cli.exe" --version | tr -d '\r' | grep -x "Quenloft v3.00 build 2" >/dev/null ||
  fail "quenloft-cli --version"
wine "$folder\\quenloft-cli.exe" show "$folder\\samples\\friday_pass_1.kvp" | tr -d '\r' |
  grep -x "Run Name: Friday pass 1" >/dev/null || fail "quenloft-cli show on a sample"
wine "$folder\\quenloft.exe" --version | tr -d '\r' | grep -x "Quenloft v3.00 build 2" >/dev/null ||
  fail "quenloft --version"

# The zip holds the installed files, the uninstaller aside.
(cd "$installed" && find . -type f ! -name Uninstall.exe | sort) >installed.list
unzip -Z1 "$zip" | grep -v '/$' | sed 's|^|./|' | sort >zip.list
diff -u installed.list zip.list || fail "the zip differs from the installation"

# Run files get an "Open with" choice, never a default program.
wine reg query 'HKLM\Software\Classes\.kvp\OpenWithProgids' /v Quenloft.RunFile >/dev/null ||
  fail ".kvp has no Open-with entry"
if wine reg query 'HKLM\Software\Classes\.kvp' /ve 2>/dev/null | grep -q Quenloft; then
  fail ".kvp was made Quenloft's"
fi
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quenloft')
[ -f "$menu/Quenloft.lnk" ] || fail "no Start-menu entry"

# The uninstaller copies itself away, returns at once and removes the folder meanwhile.
step wine "$folder\\Uninstall.exe" /S
for _ in $(seq 60); do
  [ -e "$installed" ] || break
  sleep 1
done
[ ! -e "$installed" ] || fail "left behind: $(find "$installed" | head -n 5)"
[ ! -e "$menu" ] || fail "the Start-menu entry is left"
if wine reg query 'HKLM\Software\Classes\.kvp\OpenWithProgids' /v Quenloft.RunFile >/dev/null 2>&1 ||
  wine reg query 'HKLM\Software\Classes\Quenloft.RunFile' >/dev/null 2>&1 ||
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenloft' >/dev/null 2>&1; then
  fail "registry entries are left"
fi
echo "The Windows build, its suite, the installer and the zip passed."
