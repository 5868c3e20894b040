#!/usr/bin/env bash
# Installs the build with prefix /usr into a scratch DESTDIR and checks the
# installed tree: exactly the expected paths, runnable programs, valid
# desktop entries and metainfo, man pages made from --help, and the rule.
#   install_test.sh BUILD_DIR
set -euo pipefail
# grep that reads its whole input: "grep -q" stops at the first match, and
# under pipefail the writer's SIGPIPE would then fail the pipeline.
has() { grep "$@" >/dev/null; }
build=$1
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$dest/install.log"
rm "$dest/install.log"

programs=(zn4417config zn4417ctl zn4417emu zn4417hex)
windows=(zn4417config zn4417hex)
pages=()
for p in "${programs[@]}"; do pages+=("/usr/share/man/man1/$p.1.gz"); done

expected=(
  /usr/lib/udev/rules.d/60-zn4417.rules
  /usr/share/metainfo/org.zn4417.zn4417config.metainfo.xml
  "${pages[@]}"
  /usr/share/doc/zn4417config/copyright
  /usr/share/doc/zn4417config/changelog.gz
)
for p in "${programs[@]}"; do expected+=("/usr/bin/$p"); done
for w in "${windows[@]}"; do
  expected+=("/usr/share/applications/$w.desktop" "/usr/share/icons/hicolor/scalable/apps/$w.svg")
  for size in 16 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$w.png")
  done
done

# Exactly these files, nothing missing and nothing else.
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$dest" && find . -type f | sed 's/^\.//' | sort) ||
  fail "installed files differ from the expected list (< expected, > installed)"

for p in "${programs[@]}"; do
  [ -x "$dest/usr/bin/$p" ] || fail "/usr/bin/$p is not executable"
done
"$dest/usr/bin/zn4417ctl" --help | has "Usage: zn4417ctl" || fail "installed zn4417ctl --help"
"$dest/usr/bin/zn4417config" --help | has "Usage: zn4417config" ||
  fail "installed zn4417config --help"
"$dest/usr/bin/zn4417emu" --help | has "Usage: zn4417emu" || fail "installed zn4417emu --help"

for w in "${windows[@]}"; do
  entry="$dest/usr/share/applications/$w.desktop"
  desktop-file-validate "$entry" || fail "$w.desktop does not validate"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -f "$dest/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$w.desktop: icon '$icon' not installed"
  for size in 16 48 256; do
    file "$dest/usr/share/icons/hicolor/${size}x${size}/apps/$w.png" | has "PNG image data, $size x $size" ||
      fail "$w.png at ${size}x${size} is not a PNG of that size"
  done
done
has -x 'Exec=zn4417config' "$dest/usr/share/applications/zn4417config.desktop" ||
  fail "zn4417config.desktop: Exec line"
has -x 'Exec=zn4417hex %f' "$dest/usr/share/applications/zn4417hex.desktop" ||
  fail "zn4417hex.desktop: Exec line"

metainfo="$dest/usr/share/metainfo/org.zn4417.zn4417config.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "metainfo does not validate"
launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<\/launchable>.*/\1/p' "$metainfo")
[ -f "$dest/usr/share/applications/$launchable" ] || fail "metainfo launches '$launchable', not installed"

# The man pages come from the programs' own help text. Read as text, with
# roff's escaped hyphens ("\-\-usb\-id") as the hyphens they print as.
man_text() { zcat "$1" | sed 's/\\-/-/g'; }
zcat "$dest/usr/share/man/man1/zn4417ctl.1.gz" | has '^\.TH ZN4417CTL "1"' || fail "zn4417ctl.1: no title"
for word in list read dump write set --usb-id; do
  man_text "$dest/usr/share/man/man1/zn4417ctl.1.gz" | has -- "$word" || fail "zn4417ctl.1 lacks '$word'"
done
man_text "$dest/usr/share/man/man1/zn4417config.1.gz" | has -- '--advanced' ||
  fail "zn4417config.1 lacks --advanced"
zcat "$dest/usr/share/man/man1/zn4417emu.1.gz" | has '^\.TH ZN4417EMU "1"' || fail "zn4417emu.1: no title"
for word in --listen --image --serial --fault unplug stray SIGTERM; do
  man_text "$dest/usr/share/man/man1/zn4417emu.1.gz" | has -- "$word" || fail "zn4417emu.1 lacks '$word'"
done
for page in "${pages[@]}"; do
  zcat "$dest$page" | has '^\.SH NAME' || fail "$page has no NAME section"
  if zcat "$dest$page" | has -F '??'; then fail "$page lost its non-ASCII texts to question marks"; fi
done
man_text "$dest/usr/share/man/man1/zn4417ctl.1.gz" | has -F '下载成功!' || fail "zn4417ctl.1 lacks the UTF-8 success text"

# One licence, named the same way everywhere it is given.
has -x 'License: MIT' "$dest/usr/share/doc/zn4417config/copyright" || fail "copyright: not the MIT licence"
if has -x 'License: other' "$dest/usr/share/doc/zn4417config/copyright"; then fail "copyright: a licence of 'other'"; fi
has -F '<project_license>MIT</project_license>' "$metainfo" || fail "metainfo: no MIT project licence"

rule="$dest/usr/lib/udev/rules.d/60-zn4417.rules"
rules=$(grep -v '^[[:space:]]*\(#\|$\)' "$rule")
[ "$(printf '%s\n' "$rules" | wc -l)" = 1 ] || fail "the rule file holds other than one rule"
for key in 'SUBSYSTEM=="usb"' 'ATTRS{idVendor}=="10c4"' 'ATTRS{idProduct}=="ea61"' 'TAG+="uaccess"' \
  'MODE="0660"' 'GROUP="plugdev"'; do
  printf '%s\n' "$rules" | has -F "$key" || fail "the rule lacks $key"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree checked: ${#expected[@]} files"
