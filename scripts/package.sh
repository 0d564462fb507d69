#!/usr/bin/env bash
# Builds the Debian package (build/pkg/selvantis_<version>_<arch>.deb) and
# checks it: no generated cache in it, it installs with apt, and the
# installed program starts and finds its libraries and its English texts.
#   bash scripts/package.sh           build, install here and check
#   bash scripts/package.sh --fresh   also install it into a fresh Debian 12
#                                     tree (debootstrap) and start it there
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$top/scripts/deps.sh"
pkgdeps=(dpkg-dev file)
[ "${1:-}" = "--fresh" ] && pkgdeps+=(debootstrap)
for p in "${pkgdeps[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done

build="$top/build/pkg"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DSELV_TESTS=OFF -DSELV_BENCH=OFF
cmake --build "$build" -j "$jobs"
rm -f "$build"/selvantis_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/selvantis_*.deb)"
echo "== $deb"
dpkg-deb -I "$deb" | sed -n '/Depends/p'

fail() { echo "package check: $*" >&2; exit 1; }
contents="$(dpkg-deb -c "$deb")"
grep -qE '/usr/share/mime/(mime\.cache|globs|magic|types)' <<<"$contents" && fail "generated MIME caches in the package"
for f in usr/bin/selvantis usr/lib/selvantis/libselvcore.so usr/lib/selvantis/libselvui.so \
  usr/share/selvantis/svresenu.rcc usr/share/applications/selvantis.desktop \
  usr/share/mime/packages/selvantis.xml usr/share/icons/hicolor/256x256/apps/selvantis.png; do
  grep -q " \./$f\$" <<<"$contents" || fail "$f missing"
done

# Starts the installed program on a screen of its own for a few seconds: it
# must still be running then (timeout's 124), with its English texts found.
check_start() {  # $1: command prefix (e.g. chroot DIR)
  local log rc=0
  log="$(mktemp)"
  $1 env HOME=/tmp QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/selvantis >"$log" 2>&1 || rc=$?
  cat "$log"
  [ "$rc" -eq 124 ] || fail "the installed program ended with $rc instead of running"
  if grep -q "not found\|cannot open shared object" "$log"; then fail "the program misses a file"; fi
  rm -f "$log"
}

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
check_start ""
echo "== installed and started here"

if [ "${1:-}" = "--fresh" ]; then
  root="$build/fresh"
  [ -x "$root/usr/bin/apt-get" ] || { rm -rf "$root"; debootstrap --variant=minbase bookworm "$root"; }
  cp "$deb" "$root/tmp/"
  cp /etc/apt/sources.list.d/* "$root/etc/apt/sources.list.d/" 2>/dev/null || true
  chroot "$root" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive chroot "$root" apt-get install -y -qq "/tmp/$(basename "$deb")"
  # The program finds its libraries relative to itself, which the loader
  # learns from /proc: a chroot needs it mounted, as every real system has.
  mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
  trap 'umount "$root/proc" 2>/dev/null || true' EXIT
  check_start "chroot $root"
  echo "== installed and started on a fresh Debian 12 tree"
fi
