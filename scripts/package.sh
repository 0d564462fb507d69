#!/usr/bin/env bash
# Builds the Debian source package (format 3.0, quilt: the upstream tarball
# of the work tree as git knows it, or of the tree's files where there is no
# git work tree, and packaging/debian) and from it the binary packages
# (debhelper, the release build with the distribution's hardening flags,
# never through the compiler cache) into build/pkg: selvantis_<version>.dsc,
# the program in selvantis_<version>_<arch>.deb and its debug symbols in
# selvantis-dbgsym_<version>_<arch>.deb. Then checks them without installing
# them here: lintian on the source and the binaries (no error, no warning, no
# hardening tag), the AppStream validator, the files the package must hold
# and no generated cache, that the program in the unpacked package starts
# and finds its libraries and texts, that the package's own test (the
# command line on a project) passes, and that a second build of the same
# source gives the same packages, byte for byte, as a distribution's own
# rebuild must: in another folder (a longer path, another name), in another
# time zone and with another umask.
#   bash scripts/package.sh            build and check
#   bash scripts/package.sh --install  also install it on this machine (apt)
#                                      and start the installed program
#   bash scripts/package.sh --fresh    also install it into a fresh Debian 12
#                                      tree (debootstrap; a new one on every
#                                      run), start it there without /proc and
#                                      check the desktop's type of a project
# A normal user needs sudo for installing and for the fresh tree. Where
# another program holds the package manager's lock, apt waits for it.
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

fail() { echo "package check: $*" >&2; exit 1; }
# Runs a command as root: directly for root, through sudo for anyone else.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    command -v sudo >/dev/null || fail "installing needs root or sudo"
    sudo "$@"
  fi
}
# apt waits up to ten minutes for another package manager to finish.
apt_get() { as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"; }

bash "$top/scripts/deps.sh"
pkgdeps=(dpkg-dev debhelper lintian appstream file man-db xz-utils)
# A git work tree says which files are the project's; an exported tree (no
# .git) gives all of its files instead.
[ -e "$top/.git" ] && pkgdeps+=(git)
[ "$fresh" = 1 ] && pkgdeps+=(debootstrap)
missing=()
for p in "${pkgdeps[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

version="$(dpkg-parsechangelog -l "$top/packaging/debian/changelog" -S Version)"
upstream="${version#*:}"
upstream="${upstream%-*}"
debversion="${version#*:}"
build="$top/build/pkg"
arch="$(dpkg --print-architecture)"
mkdir -p "$build"
rm -rf "$build/selvantis-$upstream" "$build/again" "$build/unpacked" "$build"/selvantis[_-]*"$upstream"*

# The files of the upstream tarball, NUL-separated: what git knows of the
# work tree as it is now (tracked, and new files it does not ignore); in a
# tree without git (an exported or unpacked one), every file but what
# .gitignore names: build/, build-*/ and *.user.
tree_files() {
  if [ -e "$top/.git" ] && [ "$(git -C "$top" rev-parse --show-toplevel 2>/dev/null)" = "$top" ]; then
    git -C "$top" ls-files -z --cached --others --exclude-standard
  else
    (cd "$top" && find . \( -path ./.git -o -path ./build -o -path './build-*' \) -prune -o \
      \( -type f -o -type l \) ! -name '*.user' -printf '%P\0')
  fi
}
if [ -e "$top/.git" ]; then
  [ "$(git -C "$top" rev-parse --show-toplevel 2>/dev/null)" = "$top" ] ||
    fail "$top/.git is there, but git does not take $top for a work tree: mend it, or remove .git to package the tree's files"
else
  echo "== no git work tree in $top: the source holds every file of the tree but build/, build-*/ and *.user"
fi

# The upstream tarball: those files in a fixed order with fixed owners,
# modes and times (those of the newest changelog entry), so that the same
# tree always gives the same tarball.
epoch="$(dpkg-parsechangelog -l "$top/packaging/debian/changelog" -S Timestamp)"
orig="$build/selvantis_$upstream.orig.tar.xz"
(cd "$top" && tree_files |
  while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
  grep -zv '^build/' | LC_ALL=C sort -z |
  tar --null --no-recursion --transform "s,^,selvantis-$upstream/," --mtime="@$epoch" \
    --owner=0 --group=0 --numeric-owner --mode='u+w,go-w' -T - -cf -) | xz -T1 -6 >"$orig"
[ "$(tar -tJf "$orig" | wc -l)" -gt 0 ] || fail "no files for the source tarball"

# Builds source and binary packages from the tarball in folder $1 (which
# must not exist) into its parent, in the time zone $2 with the umask $3;
# $4: "-b" for the binaries only. Never through the compiler cache (the
# package's rules say so too): a cached object carries the paths as the
# cache rewrote them, so only a build without it is one that a
# distribution's rebuild can match.
build_in() {
  local dir="$1" zone="$2" mask="$3" only="${4:-}" log
  mkdir -p "$dir"
  tar -xJf "$orig" -C "$dir"
  cp -r "$top/packaging/debian" "$dir/selvantis-$upstream/debian"
  [ "$dir" = "$build" ] || cp "$orig" "$dir/"
  log="$dir/build.log"
  (cd "$dir/selvantis-$upstream" && umask "$mask" &&
    env -u CCACHE_DIR -u CCACHE_BASEDIR -u CCACHE_NOHASHDIR -u CCACHE_SLOPPINESS -u CCACHE_MAXSIZE \
      CCACHE_DISABLE=1 TZ="$zone" DEB_BUILD_OPTIONS="nocheck parallel=$jobs" dpkg-buildpackage $only -us -uc) \
    >"$log" 2>&1 || { tail -40 "$log"; fail "dpkg-buildpackage failed (log: ${log#"$top"/})"; }
  # The build prints its compiler lines: none may go through the cache.
  if grep -q "ccache .*-c " "$log"; then fail "the package was compiled through ccache (log: ${log#"$top"/})"; fi
}
build_in "$build" Etc/GMT+12 0022
deb="$build/selvantis_${debversion}_$arch.deb"
dbgsym="$build/selvantis-dbgsym_${debversion}_$arch.deb"
changes="$build/selvantis_${debversion}_$arch.changes"
dsc="$build/selvantis_$debversion.dsc"
for f in "$deb" "$dbgsym" "$changes" "$dsc"; do [ -f "$f" ] || fail "no ${f#"$top"/}"; done
grep -q "^Format: 3.0 (quilt)" "$dsc" || fail "the source package is not of format 3.0 (quilt)"
echo "== $deb"
dpkg-deb -I "$deb" | sed -n '/Depends\|Recommends/p'

# lintian on the source and the binaries (the .changes names both): any
# error or warning fails, and so do the hardening tags, which are only
# informational.
lintian_log="$build/lintian.log"
lintian_rc=0
lintian --display-info --fail-on error,warning "$changes" >"$lintian_log" 2>&1 || lintian_rc=$?
cat "$lintian_log"
[ "$lintian_rc" -eq 0 ] || fail "lintian reports errors or warnings (above)"
if grep -q "hardening-" "$lintian_log"; then fail "lintian reports missing hardening (above)"; fi
echo "== lintian: source and binary packages"

root="$build/unpacked"
dpkg-deb -x "$deb" "$root"
appstreamcli validate-tree --no-net --pedantic "$root" || fail "the AppStream validator reports an error (above)"

contents="$(dpkg-deb -c "$deb")"
grep -qE '/usr/share/mime/(mime\.cache|globs|magic|types)' <<<"$contents" && fail "generated MIME caches in the package"
grep -qE '/usr/share/icons/hicolor/icon-theme\.cache' <<<"$contents" && fail "a generated icon cache in the package"
icons=()
for size in 16 22 24 32 48 64 128 256; do
  icons+=("usr/share/icons/hicolor/${size}x$size/apps/selvantis.png"
    "usr/share/icons/hicolor/${size}x$size/mimetypes/application-x-selvantis-project.png")
done
for f in usr/bin/selvantis usr/lib/selvantis/libselvcore.so usr/lib/selvantis/libselvui.so \
  usr/share/selvantis/svresenu.rcc usr/share/applications/selvantis.desktop \
  usr/share/mime/packages/selvantis.xml "${icons[@]}" \
  usr/share/icons/hicolor/scalable/apps/selvantis.svg \
  usr/share/icons/hicolor/scalable/mimetypes/application-x-selvantis-project.svg \
  usr/share/man/man1/selvantis.1.gz usr/share/man/de/man1/selvantis.1.gz \
  usr/share/metainfo/org.example.selvantis.metainfo.xml \
  usr/share/doc/selvantis/copyright usr/share/doc/selvantis/changelog.Debian.gz; do
  grep -q " \./$f\$" <<<"$contents" || fail "$f missing"
done
grep -q "magic" "$root/usr/share/mime/packages/selvantis.xml" || fail "the project type has no magic rule"
for f in "$root/usr/bin/selvantis" "$root"/usr/lib/selvantis/*.so; do
  file "$f" | grep -q "not stripped" && fail "$f is not stripped"
done
# The loader finds the private libraries through the run path alone.
for f in "$root/usr/bin/selvantis" "$root/usr/lib/selvantis/libselvui.so"; do
  runpath="$(objdump -p "$f" | awk '$1 == "RUNPATH" || $1 == "RPATH" { print $2 }')"
  [ "$runpath" = "/usr/lib/selvantis" ] || fail "${f#"$root"} has the run path \"$runpath\" instead of /usr/lib/selvantis"
done

# The unpacked program's libraries are not where its run path says: the
# loader is told.
unpacked_env=(env LD_LIBRARY_PATH="$root/usr/lib/selvantis")

# Every option the program's --help names is in the manual page.
help="$(QT_QPA_PLATFORM=offscreen HOME="$build" timeout 10 "${unpacked_env[@]}" "$root/usr/bin/selvantis" --help 2>&1)" ||
  help=""
grep -q -- "--version" <<<"$help" || fail "the unpacked program's --help names no --version: $help"
for page in man/man1 man/de/man1; do
  manual="$(zcat "$root/usr/share/$page/selvantis.1.gz" | sed 's/\\-/-/g')"
  for option in $(grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u); do
    grep -q -- "$option" <<<"$manual" || fail "the manual page $page lacks the option $option of --help"
  done
  grep -q "/etc/selvantis/faxconfig.txt" <<<"$manual" || fail "the manual page $page does not name /etc/selvantis"
done
echo "== the manual page names every option of --help"

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
check_start "$root/usr/bin/selvantis" "${unpacked_env[@]}"
echo "== the unpacked program starts"

# The package's own test (debian/tests), on the unpacked program.
testdir="$(mktemp -d)"
(cd "$build/selvantis-$upstream" &&
  AUTOPKGTEST_TMP="$testdir" PATH="$root/usr/bin:$PATH" "${unpacked_env[@]}" sh debian/tests/command-line) ||
  fail "the package's test debian/tests/command-line fails on the unpacked program"
rm -rf "$testdir"
echo "== the package's test passes on the unpacked program"

# The same source built again, also without the cache, in another folder (a
# longer path, another name), another time zone and with another umask, must
# give the same packages. Where it does not, the files that differ are named
# and the first differences of each shown.
again="$build/again/elsewhere-a-longer-folder"
build_in "$again" Etc/GMT-14 0002 -b
for f in "$deb" "$dbgsym"; do
  other="$again/$(basename "$f")"
  [ -f "$other" ] || fail "the second build made no $(basename "$f")"
  if ! cmp -s "$f" "$other"; then
    mine="$build/again/mine" theirs="$build/again/theirs"
    rm -rf "$mine" "$theirs"
    dpkg-deb -R "$f" "$mine"
    dpkg-deb -R "$other" "$theirs"
    diff <(dpkg-deb -c "$f" | awk '{ print $1, $3, $6 }') <(dpkg-deb -c "$other" | awk '{ print $1, $3, $6 }') || true
    (cd "$mine" && find . -type f) | LC_ALL=C sort | while IFS= read -r part; do
      cmp -s "$mine/$part" "$theirs/$part" && continue
      echo "-- differs: $part"
      case "$part" in
        *.so | */bin/* | *.debug)
          diff <(readelf -n "$mine/$part" 2>/dev/null) <(readelf -n "$theirs/$part" 2>/dev/null) | head -6
          diff <(strings -a "$mine/$part") <(strings -a "$theirs/$part") | head -10 ;;
        *) diff <(od -c "$mine/$part") <(od -c "$theirs/$part") | head -6 ;;
      esac
    done
    fail "$(basename "$f") differs when built again in another folder, time zone and umask (not reproducible)"
  fi
done
rm -rf "$build/again"
echo "== reproducible: a build without the cache in another folder, time zone and umask gives the same packages"

if [ "$install_here" = 1 ]; then
  # --reinstall: a package of this version already installed is replaced.
  apt_get install -y -qq --reinstall "$deb"
  check_start /usr/bin/selvantis
  echo "== installed and started here"
fi

if [ "$fresh" = 1 ]; then
  # Every run starts from a tree as debootstrap made it, kept as a tarball
  # so that only the first run downloads it.
  tree="$build/fresh"
  pristine="$build/bookworm-minbase.tar"
  as_root rm -rf "$tree"
  if [ ! -s "$pristine" ]; then
    as_root debootstrap --variant=minbase bookworm "$tree"
    as_root tar -C "$tree" -cf "$pristine.part" . && as_root mv "$pristine.part" "$pristine"
  else
    as_root mkdir -p "$tree"
    as_root tar -C "$tree" -xf "$pristine"
  fi
  as_root cp "$deb" "$tree/tmp/"
  # The machine's package sources (a mirror of its own, perhaps) replace
  # the tree's, so that none is listed twice.
  if compgen -G "/etc/apt/sources.list.d/*.sources" >/dev/null || compgen -G "/etc/apt/sources.list.d/*.list" >/dev/null; then
    as_root sh -c "cp /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list '$tree/etc/apt/sources.list.d/' 2>/dev/null; rm -f '$tree/etc/apt/sources.list'"
  fi
  as_root chroot "$tree" apt-get update -qq
  # The desktop's tools come in as a desktop has them: the package itself
  # needs neither.
  as_root env DEBIAN_FRONTEND=noninteractive chroot "$tree" apt-get install -y -qq \
    shared-mime-info libglib2.0-bin "/tmp/$(basename "$deb")"
  # No /proc in the tree: the program must start without it.
  as_root chroot "$tree" sh -c 'test ! -e /proc/self/exe' || fail "the fresh tree has /proc mounted"
  as_root chroot "$tree" /usr/bin/selvantis --version || fail "the installed program does not start without /proc"
  check_start /usr/bin/selvantis as_root chroot "$tree"
  # A saved project is the program's type by its name and by its contents.
  as_root cp "$top/tests/data/old-projects/demo-before-checksum.sxm" "$tree/tmp/plant.sxm"
  as_root cp "$top/tests/data/old-projects/demo-before-checksum.sxm" "$tree/tmp/plant"
  for f in /tmp/plant.sxm /tmp/plant; do
    type="$(as_root chroot "$tree" gio info -a standard::content-type "$f" | awk '/content-type/ { print $2 }')"
    [ "$type" = "application/x-selvantis-project" ] || fail "the desktop takes $f for $type"
  done
  echo "== the desktop knows a project by its name and by its contents"
  as_root mkdir -p "$tree/tmp/source"
  as_root tar -C "$build/selvantis-$upstream" -cf - debian/tests tests/data/old-projects |
    as_root tar -C "$tree/tmp/source" -xf -
  as_root chroot "$tree" sh -c 'cd /tmp/source && AUTOPKGTEST_TMP="$(mktemp -d)" sh debian/tests/command-line' ||
    fail "the package's test fails on the fresh tree"
  echo "== installed, started and tested on a fresh Debian 12 tree"
fi
echo "== package checked: $deb (source: $dsc)"
