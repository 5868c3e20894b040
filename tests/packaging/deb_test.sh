#!/usr/bin/env bash
# Builds the Debian package from the build tree into a scratch folder and
# checks it: its file list, the Depends field from dpkg-shlibdeps, the
# maintainer scripts (including a quiet postinst where udev is not running)
# and lintian with errors failing.
#   deb_test.sh BUILD_DIR
set -euo pipefail
# grep that reads its whole input: "grep -q" stops at the first match, and
# under pipefail the writer's SIGPIPE would then fail the pipeline.
has() { grep "$@" >/dev/null; }
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || {
  cat "$out/cpack.log"
  exit 1
}
debs=("$out"/zn4417config_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || {
  echo "FAIL: cpack made no single zn4417config .deb"
  ls "$out"
  exit 1
}
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
want=(./usr/bin/zn4417config ./usr/bin/zn4417ctl ./usr/bin/zn4417emu ./usr/lib/udev/rules.d/60-zn4417.rules
  ./usr/share/applications/zn4417config.desktop ./usr/share/metainfo/org.zn4417.zn4417config.metainfo.xml
  ./usr/share/icons/hicolor/scalable/apps/zn4417config.svg
  ./usr/share/icons/hicolor/256x256/apps/zn4417config.png ./usr/share/man/man1/zn4417ctl.1.gz
  ./usr/share/man/man1/zn4417emu.1.gz
  ./usr/share/doc/zn4417config/copyright ./usr/share/doc/zn4417config/changelog.gz
  ./usr/bin/zn4417hex ./usr/share/applications/zn4417hex.desktop)
for f in "${want[@]}"; do
  printf '%s\n' "$files" | has -xF "$f" || fail "package lacks $f"
done
if printf '%s\n' "$files" | has '^\./usr/local/\|/include/\|\.a$'; then fail "package holds build or /usr/local files"; fi

[ "$(dpkg-deb -f "$deb" Package)" = zn4417config ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libusb-1.0-0 libc6 libstdc++6 qt6-qpa-plugins; do
  printf '%s\n' "$depends" | has "\(^\|, \)$lib\b" || fail "Depends lacks $lib: $depends"
done

control=$out/control
dpkg-deb -e "$deb" "$control"
[ -x "$control/postinst" ] || fail "no executable postinst"
has 'udevadm control --reload-rules' "$control/postinst" || fail "postinst does not reload the rules"
has 'udevadm trigger --subsystem-match=usb --attr-match=idVendor=10c4' "$control/postinst" ||
  fail "postinst does not trigger the bridge's subsystem"
# Where udev is not running the postinst succeeds without a word and
# without calling udevadm.
if [ ! -S /run/udev/control ]; then
  mkdir "$out/bin"
  printf '#!/bin/sh\necho "$@" >>"%s/udevadm.calls"\n' "$out" >"$out/bin/udevadm"
  chmod +x "$out/bin/udevadm"
  said=$(PATH="$out/bin:$PATH" sh "$control/postinst" configure 2>&1) || fail "postinst failed without udev"
  [ -z "$said" ] || fail "postinst spoke without udev: $said"
  [ ! -e "$out/udevadm.calls" ] || fail "postinst called udevadm without udev"
fi

if command -v lintian >/dev/null; then
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
else
  fail "lintian is not installed (scripts/install-deps installs it)"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "package checked: $(basename "$deb")"
