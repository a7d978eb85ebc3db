# Shared by scripts/test and scripts/demo: packages, build folders, Xvfb and the Wine prefix.
# Sourced, not run.

ZX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ZX_BUILD_ROOT=${ZX_BUILD_ROOT:-$ZX_ROOT/build}

ZX_PACKAGES=(
  cmake ninja-build g++ python3
  g++-mingw-w64-x86-64-posix wine64 xvfb xdotool imagemagick 7zip
  rapidjson-dev lzma-dev librapidxml-dev googletest openssl
  fonts-wqy-microhei fonts-tlwg-loma-ttf
)

zx_say() { printf '== %s\n' "$*"; }

# Installs what is missing; quiet and quick when everything is there.
zx_install_packages() {
  local missing=()
  for p in "${ZX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  zx_say "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# zx_configure <preset> <build folder> [extra cmake arguments...]
zx_configure() {
  local preset=$1 dir=$2
  shift 2
  cmake --preset "$preset" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; return 1; }
}

# Starts a private Xvfb on a free display and exports DISPLAY; stopped by zx_cleanup.
zx_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  ZX_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Creates the build's Wine prefix once, with fonts for every language the skin speaks.
zx_prepare_wine() {
  local dir=$1 run="$1/wine-run"
  local prefix="$dir/wineprefix"
  if [ ! -f "$prefix/.zx-ready" ]; then
    zx_say "creating the Wine prefix in $prefix"
    "$run" wineboot -i >/dev/null 2>&1 || true
    mkdir -p "$prefix/drive_c/windows/Fonts"
    for f in /usr/share/wine/fonts/*; do ln -sf "$f" "$prefix/drive_c/windows/Fonts/"; done
    local face
    for face in SimSun "MS UI Gothic" PMingLiU Gulim "Microsoft YaHei" "Microsoft YaHei UI" "Microsoft JhengHei" \
                "Malgun Gothic" "Yu Gothic UI" "微软雅黑"; do
      "$run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    "$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
      /d 'loma.ttf,Loma' /f >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    touch "$prefix/.zx-ready"
  fi
  # Persistent for the run; zx_cleanup ends it.
  WINEPREFIX="$prefix" wineserver -p >/dev/null 2>&1 </dev/null || true
  "$run" cmd /c exit >/dev/null 2>&1 </dev/null || true
}

zx_cleanup() {
  local dir
  for dir in "$@"; do
    [ -d "$dir/wineprefix" ] && WINEPREFIX="$dir/wineprefix" wineserver -k >/dev/null 2>&1 || true
  done
  [ -n "${ZX_XVFB_PID:-}" ] && kill "$ZX_XVFB_PID" >/dev/null 2>&1 || true
}
