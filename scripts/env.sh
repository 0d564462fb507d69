# Sourced by the build scripts: ccache shared between clones of the project.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CCACHE_BASEDIR="$top"
export CCACHE_NOHASHDIR=1
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/selvantis-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-3G}"
jobs="$(nproc 2>/dev/null || echo 2)"
