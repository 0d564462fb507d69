# Sourced by the build scripts: ccache shared between clones of the project.
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export CCACHE_BASEDIR="$top"
export CCACHE_NOHASHDIR=1
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/selvantis-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-3G}"
# Precompiled headers: ccache takes the header's content into the hash, so
# their defines, time macros and fresh time stamps need not stop caching.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}"
# Parallel jobs: the cores this process may use, or SELV_JOBS on a shared
# machine.
jobs="${SELV_JOBS:-$(nproc 2>/dev/null || echo 2)}"
