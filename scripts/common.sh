# Shared by the scripts: paths, package installation, target choice, the Wine prefixes.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
BIN="$BUILD/bin"
export WINEDEBUG=-all

# The program targets 32-bit Windows and is built and tested as such where the machine can run
# it; elsewhere the same sources are built and tested as a 64-bit program. TARGET_ARCH (i686 or
# x86_64) forces either. choose_target decides for the scripts that build; the others take the
# target of the last build.
set_target() {
  TARGET_ARCH="$1"
  if [ "$TARGET_ARCH" = i686 ]; then
    TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
    export WINEARCH=win32
    WINE=/usr/lib/wine/wine
    PACKAGES="cmake make g++-mingw-w64-i686-posix wine wine32:i386 fonts-wine googletest xvfb imagemagick x11-utils python3"
  else
    TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake"
    export WINEARCH=win64
    WINE=/usr/lib/wine/wine64
    PACKAGES="cmake make g++-mingw-w64-x86-64-posix wine wine64 fonts-wine googletest xvfb imagemagick x11-utils python3"
  fi
  export WINELOADER="$WINE" TARGET_ARCH
}

# A 91-byte static 32-bit Linux program that exits with 42: whether the kernel runs 32-bit code.
kernel_runs_32bit() {
  local probe rc=0
  probe="$(mktemp)"
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\x31\xc0\x40\xb3\x2a\xcd\x80' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" = 42 ]
}

# Sets the target and installs what it needs: the 32-bit program where the kernel runs it and
# 32-bit Wine is or can be installed, else the 64-bit one, with one line saying why. Any other
# failure to install stops the script with apt's own words.
choose_target() {
  if [ -n "$FORCED_TARGET_ARCH" ]; then
    set_target "$FORCED_TARGET_ARCH"
    install_packages
    return
  fi
  if ! kernel_runs_32bit; then
    echo "Building the 64-bit program: this machine's kernel does not run 32-bit programs."
    set_target x86_64
    install_packages
    return
  fi
  set_target i686
  local missing native="" foreign="" p
  missing="$(missing_packages "$PACKAGES")"
  [ -z "$missing" ] && return 0
  require_root "$missing"
  for p in $missing; do
    case "$p" in *:i386) foreign="$foreign $p" ;; *) native="$native $p" ;; esac
  done
  # What both programs need comes first, so that a failure there is not taken for 32-bit Wine's.
  [ -z "$native" ] || apt_install $native || stop_install "$native"
  if [ -z "$foreign" ] || apt_install $foreign; then return 0; fi
  echo "Building the 64-bit program: 32-bit Wine could not be installed ($APT_ERROR)."
  set_target x86_64
  install_packages
}

FORCED_TARGET_ARCH="${TARGET_ARCH:-}"
set_target "${TARGET_ARCH:-$(cat "$BUILD/target-arch" 2>/dev/null || echo i686)}"

# The packages of the list given that are not installed, each after a blank.
missing_packages() {
  local p
  for p in $1; do dpkg -s "$p" >/dev/null 2>&1 || printf ' %s' "$p"; done
}

require_root() {
  [ "$(id -u)" = 0 ] && return 0
  echo "Installing these packages needs root: run this script as root, or install them first:$1" >&2
  exit 1
}

# Installs what $PACKAGES lacks, or stops the script saying what apt said.
install_packages() {
  local missing
  missing="$(missing_packages "$PACKAGES")"
  [ -z "$missing" ] && return 0
  require_root "$missing"
  apt_install $missing || stop_install "$missing"
}

# apt_install PACKAGE...: false when they could not be installed, with APT_ERROR holding apt's
# (or dpkg's) own line about why.
APT_ERROR=""
APT_UPDATE_ERROR=""
APT_UPDATED=""
apt_install() {
  local log
  log="$(mktemp)"
  echo "Installing: $*"
  case " $* " in *:i386\ *)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
      if ! dpkg --add-architecture i386 2>"$log"; then
        APT_ERROR="$(head -n1 "$log")"; rm -f "$log"; return 1
      fi
      APT_UPDATED=""
    fi ;;
  esac
  # An index update that fails in part (a mirror mid-sync) may still leave every package
  # installable: go on, and name its failure only when the install fails too.
  if [ -z "$APT_UPDATED" ]; then
    apt-get update -qq 2>"$log" >/dev/null || APT_UPDATE_ERROR="$(grep -m1 '^[EW]:' "$log" || head -n1 "$log")"
    APT_UPDATED=1
  fi
  if DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>"$log"; then
    rm -f "$log"; return 0
  fi
  APT_ERROR="$(grep -m1 '^E:' "$log" || tail -n1 "$log")"
  [ -n "$APT_ERROR" ] || APT_ERROR="apt-get install failed and said nothing"
  rm -f "$log"
  return 1
}

stop_install() {
  echo "Could not install:$1" >&2
  echo "  $APT_ERROR" >&2
  [ -z "$APT_UPDATE_ERROR" ] || echo "  (the package index update before it: $APT_UPDATE_ERROR)" >&2
  exit 1
}

# build_all [TARGET]: configures and builds everything, or only TARGET (scripts/run builds
# "utility": the program, its stand-ins and files, none of the tests).
build_all() {
  local only="${1:-}"
  # A compiler cache, where the machine has one, shared by every checkout of the sources.
  local launcher=""
  if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
  fi
  # A build folder configured for the other target starts afresh (its toolchain is fixed in the cache).
  if [ -f "$BUILD/CMakeCache.txt" ] && [ "$(cat "$BUILD/target-arch" 2>/dev/null)" != "$TARGET_ARCH" ]; then
    rm -rf "$BUILD/CMakeCache.txt" "$BUILD/CMakeFiles"
  fi
  mkdir -p "$BUILD"
  echo "$TARGET_ARCH" > "$BUILD/target-arch"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" $launcher \
        -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" -DQX_TESTS="${BUILD_TESTS:-ON}" >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" ${only:+--target "$only"}
}

# link_tree FROM TO: TO becomes a copy of folder FROM whose binaries (which no run writes) are hard
# links and whose other files (settings, registry, data) are copies of their own, so that a run in
# TO never changes FROM.
link_tree() {
  local from="$1" to="$2" f
  rm -rf "$to"
  mkdir -p "$to"
  cp -al "$from/." "$to/"
  find "$to" -type f ! \( -iname '*.exe' -o -iname '*.dll' -o -iname '*.sys' -o -iname '*.drv' \
      -o -iname '*.ttf' -o -iname '*.fon' -o -iname '*.nls' -o -iname '*.tlb' -o -iname '*.ocx' \
      -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.com' \
      -o -iname '*.vxd' -o -iname '*.mui' -o -iname '*.ttc' \) -print0 |
    while IFS= read -r -d '' f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done
}

# prepare_prefix DIR DRIVER: a prefix of the build's own with the given graphics driver (null or x11).
prepare_prefix() {
  local prefix="$1" driver="$2"
  export WINEPREFIX="$prefix"
  if [ ! -f "$prefix/.ready-$TARGET_ARCH" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # No Mono/Gecko prompts: the program needs neither.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d "$driver" /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    [ -d "$prefix/drive_c/windows" ] || { echo "Wine prefix $prefix could not be created" >&2; return 1; }
    # The user's folders stay inside the prefix, so that runs in different prefixes
    # (and the user's own home) never share a desktop.
    local user_dir
    for user_dir in "$prefix"/drive_c/users/*/; do
      for link in Desktop Documents Downloads Music Pictures Videos Templates; do
        if [ -L "$user_dir$link" ]; then rm -f "$user_dir$link"; mkdir -p "$user_dir$link"; fi
      done
    done
    touch "$prefix/.ready-$TARGET_ARCH"
  fi
  # Wine's own fonts (Marlett draws the caption buttons), where this Wine does not find them.
  if [ -d /usr/share/wine/fonts ] && [ ! -f "$prefix/drive_c/windows/Fonts/marlett.ttf" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  register_services "$prefix"
  install_driver_file "$prefix"
}

# The stand-in driver file of the build (a version resource and nothing else) in the prefix's
# system folders, under the name the station stand-in reports for its driver, so that the about
# box has a version to read. Copied again when the build made a newer one.
STATION_DRIVER_NAME="kelvo4471.sys"
install_driver_file() {
  local prefix="$1" file="$BIN/DriverFixture.sys" folder
  [ -f "$file" ] || return 0
  for folder in "$prefix/drive_c/windows/system32" "$prefix/drive_c/windows/syswow64"; do
    [ -d "$folder" ] && cp -u "$file" "$folder/$STATION_DRIVER_NAME"
  done
  return 0
}

# The system services the program asks for, which a Wine prefix lacks, served by the stand-in
# service program of the build (demand start, as an installer would register them). Done once
# per prefix and program folder; run again, it points existing registrations at this build.
SIM_SERVICES="WZCSVC Wlansvc QxMediaServer"
register_services() {
  local prefix="$1" exe="$BIN/QxService.exe" stamp="$1/.services-$TARGET_ARCH" name bin
  [ -f "$exe" ] || return 0
  [ "$(cat "$stamp" 2>/dev/null)" = "$exe" ] && return 0
  for name in $SIM_SERVICES; do
    bin="Z:${exe//\//\\} $name"
    if WINEPREFIX="$prefix" "$WINE" sc query "$name" >/dev/null 2>&1 </dev/null; then
      WINEPREFIX="$prefix" "$WINE" sc config "$name" binPath= "$bin" start= demand >/dev/null 2>&1 </dev/null
    else
      WINEPREFIX="$prefix" "$WINE" sc create "$name" binPath= "$bin" start= demand type= own >/dev/null 2>&1 </dev/null
    fi || { echo "Service $name could not be registered in $prefix" >&2; return 1; }
  done
  echo "$exe" > "$stamp"
}
