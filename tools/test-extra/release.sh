#!/usr/bin/env bash
# The release packages: reproducible, complete, and runnable where unpacked.
#  1. Two links of each program from the same objects give the same file
#     (dist/windows-*/MoxTimer.exe as the build delivers it, after its strip,
#     and dist/linux/moxtimer), relinked in the preset build folders
#     (MOX_RELINK_BUILDS names others).
#  2. tools/release.sh run twice into two folders gives byte-identical
#     packages (the .deb too; tools/test-extra/deb.sh checks its content),
#     whose .sha256 files check out.
#  3. Each package holds what it must, with owner 0:0 and the commit's time.
#  4. Each package unpacked into an empty folder starts from there on a
#     private Xvfb display (the Windows ones under Wine in a new, empty
#     prefix), shows its window, and closes through the window manager,
#     writing its settings file beside itself.
# Ends with "N passed, N failed"; exits non-zero on any failure.
# MOX_RELEASE_RELINK=0 skips step 1 (it rewrites the programs in dist/);
# MOX_DIST names another folder of programs to package (see tools/release.sh).
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
source tools/xsession.sh

source tools/checks.sh

dist="${MOX_DIST:-$root/dist}"
version="$(sed -n 's/^project(MoxTimer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-release-test.XXXXXX")"
prog_pid=""
cleanup() {
  [ -n "$prog_pid" ] && kill -9 "$prog_pid" 2>/dev/null
  [ -d "$work/wineprefix" ] && WINEPREFIX="$work/wineprefix" wineserver -k >/dev/null 2>&1
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT

for tool in zip unzip tar sha256sum Xvfb openbox xdotool xprop wmctrl wine; do
  command -v "$tool" >/dev/null || { echo "release-test: $tool is missing (tools/install-deps.sh)"; echo "0 passed, 1 failed"; exit 1; }
done

# Waits for the clock's next second.
next_second() {
  local now
  now=$(date +%s)
  poll 3000 eval '[ "$(date +%s)" -gt '"$now"' ]'
}

# --- 1. Two links give the same program.
# relink_same BUILD TARGET FILE [GENERATED...]: removes the linked program
# (and the generated files named, so that they are made again) and builds
# it, twice; the delivered FILE must come out the same.
relink_same() {
  local build=$1 target=$2 delivered=$3
  local generated=("${@:4}")
  local linked
  linked="$(ninja -C "$build" -t query "$target" 2>/dev/null | awk '/input: phony/{getline; print $1; exit}')"
  [ -n "$linked" ] || { echo "    no linked file for $target in $build"; return 1; }
  case "$linked" in /*) ;; *) linked="$build/$linked" ;; esac
  local i
  for i in 1 2; do
    rm -f "$linked" "${generated[@]}"
    cmake --build "$build" --target "$target" >"$work/relink.log" 2>&1 || { tail -5 "$work/relink.log"; return 1; }
    cp "$delivered" "$work/relink-$i"
    # In the next second, so that a time stamp in the file would show.
    [ $i = 1 ] && next_second
  done
  if ! cmp -s "$work/relink-1" "$work/relink-2"; then
    echo "    differing bytes (offset, first, second):"
    cmp -l "$work/relink-1" "$work/relink-2" | head -5 | sed 's/^/      /'
    # A PE file's time stamp sits 8 bytes into the header that e_lfanew
    # (at 0x3C) points to.
    if [ "$(head -c 2 "$work/relink-1")" = MZ ]; then
      local pe first
      pe=$(od -An -tu4 -j60 -N4 "$work/relink-1" | tr -d ' ')
      first=$(cmp "$work/relink-1" "$work/relink-2" | sed -n 's/.* byte \([0-9]*\).*/\1/p')
      if [ -n "$first" ] && [ "$first" -ge $((pe + 9)) ] && [ "$first" -le $((pe + 12)) ]; then
        echo "    the PE header's time stamp differs: link with -Wl,--no-insert-timestamp and strip"
        echo "    with SOURCE_DATE_EPOCH set (strip stamps the current time otherwise), or link with -s"
      fi
    fi
    return 1
  fi
}

if [ "${MOX_RELEASE_RELINK:-1}" = 1 ]; then
  echo "two links, one program"
  for build in ${MOX_RELINK_BUILDS:-build/windows-x86 build/windows-x64 build/linux}; do
    if [ ! -f "$build/build.ninja" ]; then
      check "$build is configured (cmake --preset $(basename "$build"))" false
      continue
    fi
    # Where the build delivers its program.
    out_dir="$(sed -n 's/^MOX_DIST_DIR:PATH=//p' "$build/CMakeCache.txt")"
    if [ -n "$out_dir" ]; then
      check "$build: MoxTimer.exe linked twice is identical" relink_same "$build" MoxTimer "$out_dir/MoxTimer.exe"
    else
      out_dir="$(sed -n 's/^MOX_LINUX_DIST_DIR:PATH=//p' "$build/CMakeCache.txt")"
      check "$build: moxtimer linked twice is identical" relink_same "$build" moxtimer "${out_dir:-?}/moxtimer"
      # The program carries its icons: drawn again, they must not change it.
      check "$build: moxtimer with its icons drawn again is identical" relink_same "$build" moxtimer \
        "${out_dir:-?}/moxtimer" "$build"/platform/gtk/icons/moxtimer-{16,32,48}.png
    fi
  done
fi

# --- 2. Two packagings, one result.
echo "two packagings, one result"
tools/release.sh --out "$work/a" >"$work/release-a.log" 2>&1
check "tools/release.sh succeeds" [ $? -eq 0 ]
sed 's/^/    /' "$work/release-a.log"
next_second
tools/release.sh --out "$work/b" >"$work/release-b.log" 2>&1
packages=("MoxTimer-$version-windows-x86.zip" "MoxTimer-$version-windows-x64.zip" "moxtimer-$version-linux-x86_64.tar.gz"
  "moxtimer_${version}_amd64.deb")
for p in "${packages[@]}"; do
  check "$p made" [ -s "$work/a/$p" ]
  check "$p identical when made again" cmp -s "$work/a/$p" "$work/b/$p"
  check "$p.sha256 matches" sh -c "cd '$work/a' && sha256sum --quiet -c '$p.sha256'"
done

# --- 3. Contents.
epoch="$(git log -1 --format=%ct 2>/dev/null)"
stamp="$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M')"
echo "contents"
for arch in x86 x64; do
  z="$work/a/MoxTimer-$version-windows-$arch.zip"
  [ -f "$z" ] || continue
  d="MoxTimer-$version-windows-$arch"
  check "windows-$arch: the program, README.txt, LICENSE.txt" \
    [ "$(zipinfo -1 "$z" | tr '\n' ' ')" = "$d/LICENSE.txt $d/MoxTimer.exe $d/README.txt " ]
  check "windows-$arch: the program unchanged from dist" \
    sh -c "unzip -p '$z' '$d/MoxTimer.exe' | cmp -s - '$dist/windows-$arch/MoxTimer.exe'"
  check "windows-$arch: the readme lists the options" \
    sh -c "unzip -p '$z' '$d/README.txt' | grep -q -- '-quitAfterTimeUp'"
  check "windows-$arch: MIT licence" sh -c "unzip -p '$z' '$d/LICENSE.txt' | grep -q 'Copyright (c) 2026 The Mox team'"
  check "windows-$arch: members dated at the commit" \
    sh -c "TZ=UTC unzip -Z -T '$z' | grep -c '$(TZ=UTC date -d "@$epoch" '+%Y%m%d.%H%M')' | grep -qx 3"
done
t="$work/a/moxtimer-$version-linux-x86_64.tar.gz"
if [ -f "$t" ]; then
  d="moxtimer-$version-linux-x86_64"
  expected="$d/ $d/LICENSE $d/README $d/icons/ $d/icons/hicolor/"
  for s in 128 16 256 32 48 64; do expected+=" $d/icons/hicolor/${s}x$s/ $d/icons/hicolor/${s}x$s/apps/ $d/icons/hicolor/${s}x$s/apps/moxtimer.png"; done
  expected+=" $d/moxtimer $d/moxtimer.desktop "
  check "linux: program, desktop file, icons, readme, licence" [ "$(tar tzf "$t" | tr '\n' ' ')" = "$expected" ]
  check "linux: every member owned by 0/0" sh -c "tar tzvf '$t' | awk '{print \$2}' | sort -u | grep -qx '0/0'"
  check "linux: every member dated at the commit" sh -c "TZ=UTC tar tzvf '$t' | grep -vc '$stamp' | grep -qx 0"
  check "linux: gzip stores no name or time" sh -c "[ \"\$(od -An -tx1 -j4 -N4 '$t' | tr -d ' ')\" = 00000000 ]"
fi

# --- 4. Unpacked into an empty folder, it starts.
echo "unpacked, it starts"
if ! xs_start --wm; then
  check "a private X display" false
else
  # Linux.
  if [ -f "$t" ]; then
    mkdir "$work/linux-unpacked"
    tar xzf "$t" -C "$work/linux-unpacked"
    dir="$work/linux-unpacked/$d"
    (cd "$dir" && exec ./moxtimer >"$work/linux.log" 2>&1) &
    prog_pid=$!
    win=""
    find_linux() { win=$(xs_window_of "$prog_pid" moxStopwatchTimer); }
    check "linux: the window appears" poll 30000 find_linux
    check "linux: titled Stopwatch" eval '[ -n "$win" ] && [ "$(xs_title "$win")" = Stopwatch ]'
    [ -n "$win" ] && wmctrl -i -c "$win"
    check "linux: closing ends it" poll 5000 xs_gone "$prog_pid"
    check "linux: the settings file written beside it" grep -q '^-mode=stopwatch' "$dir/moxtimer.ini"
    kill -9 "$prog_pid" 2>/dev/null
    wait "$prog_pid" 2>/dev/null
    prog_pid=""
  fi
  # Windows: a new prefix, made once for both programs.
  export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  wineserver -w
  for arch in x86 x64; do
    z="$work/a/MoxTimer-$version-windows-$arch.zip"
    [ -f "$z" ] || continue
    mkdir "$work/windows-$arch-unpacked"
    unzip -q "$z" -d "$work/windows-$arch-unpacked"
    dir="$work/windows-$arch-unpacked/MoxTimer-$version-windows-$arch"
    (cd "$dir" && exec wine ./MoxTimer.exe >"$work/wine-$arch.log" 2>&1) &
    prog_pid=$!
    win=""
    # A Wine program is a Linux process whose windows carry the program's
    # name as their class.
    find_windows() {
      local w
      for w in $(xdotool search --onlyvisible --class 'moxtimer.exe' 2>/dev/null); do
        [ "$(xs_title "$w")" = Stopwatch ] && { win=$w; return 0; }
      done
      return 1
    }
    check "windows-$arch: the window appears under Wine" poll 60000 find_windows
    [ -n "$win" ] && xwininfo -root -tree | grep -q "\"Stopwatch\"" && echo "    xwininfo: $(xwininfo -root -tree | grep '"Stopwatch"' | head -1 | sed 's/^ *//')"
    [ -n "$win" ] && wmctrl -i -c "$win"
    check "windows-$arch: closing ends it" poll 10000 xs_gone "$prog_pid"
    check "windows-$arch: MoxTimer.ini written beside it" \
      poll 5000 eval "xs_ini_text '$dir/MoxTimer.ini' | grep -q '^-mode=stopwatch'"
    [ -f "$dir/MoxTimer.ini" ] || { ls -la "$dir"; cat "$work/wine-$arch.log"; } | sed 's/^/    /'
    kill -9 "$prog_pid" 2>/dev/null
    wait "$prog_pid" 2>/dev/null
    prog_pid=""
  done
  wineserver -k >/dev/null 2>&1
fi

echo "${passed} passed, ${failed} failed"
[ "$failed" -eq 0 ]
