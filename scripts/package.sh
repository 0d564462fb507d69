#!/usr/bin/env bash
# Builds the Debian package from packaging/debian (debhelper, the release
# build with the distribution's hardening flags) into build/pkg:
# selvantis_<version>_<arch>.deb and its debug symbols in
# selvantis-dbgsym_<version>_<arch>.deb. Then checks it without installing
# it here: lintian (no error, no warning, no hardening tag), the AppStream
# validator, the files it must hold and no generated cache, and that the
# program in the unpacked package starts and finds its libraries and texts.
#   bash scripts/package.sh            build and check
#   bash scripts/package.sh --install  also install it on this machine (apt)
#                                      and start the installed program
#   bash scripts/package.sh --fresh    also install it into a fresh Debian 12
#                                      tree (debootstrap) and start it there
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
install_here=0
fresh=0
for arg in "$@"; do
  case "$arg" in
    --install) install_here=1 ;;
    --fresh) fresh=1 ;;
    *) echo "usage: scripts/package.sh [--install] [--fresh]" >&2; exit 2 ;;
  esac
done

bash "$top/scripts/deps.sh"
pkgdeps=(dpkg-dev debhelper lintian appstream file man-db)
[ "$fresh" = 1 ] && pkgdeps+=(debootstrap)
missing=()
for p in "${pkgdeps[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

fail() { echo "package check: $*" >&2; exit 1; }

# debhelper wants debian/ at the top of the source: the package is built
# from a copy of the work tree (what git knows of it, as it is now).
version="$(dpkg-parsechangelog -l "$top/packaging/debian/changelog" -S Version)"
build="$top/build/pkg"
src="$build/selvantis-$version"
mkdir -p "$build"
rm -rf "$src" "$build"/selvantis*_"$version"_* "$build/unpacked"
mkdir -p "$src"
(cd "$top" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  grep -zv '^build/' | tar --null -T - -cf -) | tar -xf - -C "$src"
cp -r "$top/packaging/debian" "$src/debian"
(cd "$src" && DEB_BUILD_OPTIONS="nocheck parallel=$jobs" dpkg-buildpackage -b -us -uc) >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log"; fail "dpkg-buildpackage failed (log: build/pkg/build.log)"; }
arch="$(dpkg --print-architecture)"
deb="$build/selvantis_${version}_$arch.deb"
changes="$build/selvantis_${version}_$arch.changes"
[ -f "$deb" ] || fail "no $deb"
[ -f "$build/selvantis-dbgsym_${version}_$arch.deb" ] || fail "no package of debug symbols"
echo "== $deb"
dpkg-deb -I "$deb" | sed -n '/Depends/p'

# lintian: any error or warning fails, and so do the hardening tags, which
# are only informational.
lintian_log="$build/lintian.log"
lintian_rc=0
lintian --display-info --fail-on error,warning "$changes" >"$lintian_log" 2>&1 || lintian_rc=$?
cat "$lintian_log"
[ "$lintian_rc" -eq 0 ] || fail "lintian reports errors or warnings (above)"
if grep -q "hardening-" "$lintian_log"; then fail "lintian reports missing hardening (above)"; fi

root="$build/unpacked"
dpkg-deb -x "$deb" "$root"
appstreamcli validate-tree --no-net --pedantic "$root" || fail "the AppStream validator reports an error (above)"

contents="$(dpkg-deb -c "$deb")"
grep -qE '/usr/share/mime/(mime\.cache|globs|magic|types)' <<<"$contents" && fail "generated MIME caches in the package"
for f in usr/bin/selvantis usr/lib/selvantis/libselvcore.so usr/lib/selvantis/libselvui.so \
  usr/share/selvantis/svresenu.rcc usr/share/applications/selvantis.desktop \
  usr/share/mime/packages/selvantis.xml usr/share/icons/hicolor/256x256/apps/selvantis.png \
  usr/share/man/man1/selvantis.1.gz usr/share/man/de/man1/selvantis.1.gz \
  usr/share/metainfo/org.example.selvantis.metainfo.xml \
  usr/share/doc/selvantis/copyright usr/share/doc/selvantis/changelog.gz; do
  grep -q " \./$f\$" <<<"$contents" || fail "$f missing"
done
for f in "$root/usr/bin/selvantis" "$root"/usr/lib/selvantis/*.so; do
  file "$f" | grep -q "not stripped" && fail "$f is not stripped"
done

# Every option the program's --help names is in the manual page.
help="$(QT_QPA_PLATFORM=offscreen HOME="$build" timeout 10 "$root/usr/bin/selvantis" --help 2>&1)" || help=""
if grep -q -- "--version" <<<"$help"; then
  for page in man/man1 man/de/man1; do
    manual="$(zcat "$root/usr/share/$page/selvantis.1.gz" | sed 's/\\-/-/g')"
    for option in $(grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u); do
      grep -q -- "$option" <<<"$manual" || fail "the manual page $page lacks the option $option of --help"
    done
  done
  echo "== the manual page names every option of --help"
fi

# Starts the program on a screen of its own for a few seconds: it must still
# be running then (timeout's 124), with its libraries and English texts found.
check_start() {  # $1: the program, then a command prefix (e.g. chroot DIR)
  local program="$1" log rc=0
  shift
  log="$(mktemp)"
  "$@" env HOME=/tmp QT_QPA_PLATFORM=offscreen timeout 5 "$program" >"$log" 2>&1 || rc=$?
  cat "$log"
  [ "$rc" -eq 124 ] || fail "$program ended with $rc instead of running"
  if grep -q "not found\|cannot open shared object" "$log"; then fail "the program misses a file"; fi
  rm -f "$log"
}
check_start "$root/usr/bin/selvantis"
echo "== the unpacked program starts"

if [ "$install_here" = 1 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"
  check_start /usr/bin/selvantis
  echo "== installed and started here"
fi

if [ "$fresh" = 1 ]; then
  tree="$build/fresh"
  [ -x "$tree/usr/bin/apt-get" ] || { rm -rf "$tree"; debootstrap --variant=minbase bookworm "$tree"; }
  cp "$deb" "$tree/tmp/"
  cp /etc/apt/sources.list.d/* "$tree/etc/apt/sources.list.d/" 2>/dev/null || true
  chroot "$tree" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive chroot "$tree" apt-get install -y -qq "/tmp/$(basename "$deb")"
  # The program finds its libraries relative to itself, which the loader
  # learns from /proc: a chroot needs it mounted, as every real system has.
  mountpoint -q "$tree/proc" || mount -t proc proc "$tree/proc"
  trap 'umount "$tree/proc" 2>/dev/null || true' EXIT
  check_start /usr/bin/selvantis chroot "$tree"
  echo "== installed and started on a fresh Debian 12 tree"
fi
echo "== package checked: $deb"
