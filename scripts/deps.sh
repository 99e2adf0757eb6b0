# Sourced by the scripts in this folder: installs the Debian 12 packages that are missing,
# as root or through sudo, and does nothing when all of them are already there.

# Packages to build the program and run every test.
LINECALC_PACKAGES=(
  cmake ninja-build g++ clang-format ccache
  qt6-base-dev libgl-dev fonts-dejavu-core qt6-translations-l10n libxlsxwriter-dev unzip
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils xdotool imagemagick poppler-utils
  dpkg-dev desktop-file-utils shared-mime-info appstream lintian
)

# Packages to cross-build the program and its Qt (scripts/windows-qt: apt source, dpkg-source,
# zlib for libxlsxwriter) for Windows, make its installer and archive, and run it under Wine.
LINECALC_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64 dpkg-dev patch libz-mingw-w64-dev
  qt6-base-dev-tools nsis unzip)

# Compiles through ccache with its cache beside the Windows Qt, outside the clone, so that a second
# run of the tests, from this clone or a fresh one, compiles only what changed. Takes effect at a
# build folder's first configuration.
linecalc_use_ccache() {
  command -v ccache >/dev/null || return 0
  export CCACHE_DIR=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/linecalc/ccache}
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
}

# Wine with no display and no desktop, quiet, in a prefix of its own under the build directory
# $1 (made on first use, which takes some seconds); it runs as root as well.
linecalc_wine_env() {
  local build=$1
  [[ $build = /* ]] || build=$PWD/$build
  export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
}

linecalc_missing_packages() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$package"
    fi
  done
}

linecalc_install() {
  local missing
  mapfile -t missing < <(linecalc_missing_packages "$@")
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
    sudo=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  # Another apt run (an unattended upgrade, a second script) may hold its lock for a while;
  # wait for it instead of failing at once. Messages in English, so that a lock can be told.
  local apt=("${sudo[@]}" env LC_ALL=C DEBIAN_FRONTEND=noninteractive
    apt-get -o DPkg::Lock::Timeout=600)
  linecalc_while_locked "${apt[@]}" update -qq
  linecalc_while_locked "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
}

# Runs `$@`, an apt-get command, again while it fails on a lock that another apt run holds, for
# up to ten minutes. apt-get waits for dpkg's lock by itself (DPkg::Lock::Timeout) but fails at
# once on the lock of the package lists, which `apt-get update` takes.
linecalc_while_locked() {
  local log status
  local deadline=$((SECONDS + 600))
  log=$(mktemp)
  while true; do
    status=0
    "$@" >"$log" 2>&1 || status=$?
    cat "$log"
    if [ "$status" -eq 0 ] || [ "$SECONDS" -ge "$deadline" ] ||
      ! grep -Eq 'Could not get lock|Unable to acquire the dpkg frontend lock' "$log"; then
      rm -f "$log"
      return "$status"
    fi
    echo "Another apt run holds its lock; trying again in 10 s." >&2
    sleep 10
  done
}
