#!/usr/bin/env bash
# The Debian package of the Linux program, made by tools/release.sh from the
# configured linux preset (tools/test-extra/release.sh checks that two
# packings are byte-identical):
#  1. lintian finds no error and no warning; appstreamcli validates the
#     unpacked tree without the network; the members are exactly the
#     expected ones, root's, 0755 or 0644, dated at the last commit;
#     the icons have their sizes; no gzip member stores a name or time.
#  2. dpkg -i installs it; user 65534, in a scratch folder, starts
#     /usr/bin/moxtimer on a private Xvfb display with openbox; the window
#     appears, and after a close through the window manager its settings
#     are in $XDG_CONFIG_HOME/moxtimer/moxtimer.ini.
#  3. dpkg -r removes it and leaves none of its files or folders that were
#     not there before. The exit trap removes (purges) it too, so that a
#     failed run leaves nothing installed.
# Needs root (dpkg, setpriv). Ends with "N passed, N failed"; exits non-zero
# on any failure.
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
source tools/xsession.sh

source tools/checks.sh
finish() { echo "${passed} passed, ${failed} failed"; [ "$failed" -eq 0 ]; exit; }

version="$(sed -n 's/^project(MoxTimer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
deb_name="moxtimer_${version}_amd64.deb"
work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-deb-test.XXXXXX")"
prog_pid=""
installed=0
# dpkg ARGS...: dpkg's result in dpkg_rc, its output in $work/dpkg.log. While
# another dpkg or apt holds the lock (a shared machine), waits up to 2 min.
dpkg_try() {
  dpkg "$@" >"$work/dpkg.log" 2>&1
  dpkg_rc=$?
  [ $dpkg_rc -eq 0 ] || ! grep -q 'lock' "$work/dpkg.log"
}
dpkg_run() { poll 120000 dpkg_try "$@" || dpkg_rc=1; }
cleanup() {
  [ -n "$prog_pid" ] && kill -9 "$prog_pid" 2>/dev/null
  # After a failure: remove it, and whatever dpkg kept of it.
  if [ "$installed" = 1 ] && dpkg-query -W moxtimer >/dev/null 2>&1; then
    dpkg_run --purge moxtimer
    [ $dpkg_rc -eq 0 ] || echo "deb-test: dpkg --purge moxtimer failed: remove it by hand"
  fi
  xs_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

for tool in lintian appstreamcli dpkg-deb setpriv identify Xvfb openbox xdotool xprop wmctrl; do
  command -v "$tool" >/dev/null || { echo "deb-test: $tool is missing (tools/install-deps.sh)"; check "tools" false; finish; }
done

# --- 1. The package as made.
echo "the package"
tools/release.sh --out "$work" deb >"$work/release.log" 2>&1
check "tools/release.sh makes $deb_name" [ -s "$work/$deb_name" ]
[ -s "$work/$deb_name" ] || { sed 's/^/    /' "$work/release.log"; finish; }
deb="$work/$deb_name"

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1
check "lintian: no error, no warning" [ $? -eq 0 ]
grep -E '^[EW]:' "$work/lintian.log" | sed 's/^/    /'

unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
check "appstreamcli validate-tree --no-net" \
  sh -c "appstreamcli validate-tree --no-net '$unpacked' >'$work/appstream.log' 2>&1"
grep -E '^ *[EW]:' "$work/appstream.log" | sed 's/^ */    /'

sizes=(16 32 48 64 128 256)
files=(usr/bin/moxtimer usr/share/applications/moxtimer.desktop
  usr/share/doc/moxtimer/changelog.gz usr/share/doc/moxtimer/copyright
  usr/share/man/man1/moxtimer.1.gz usr/share/metainfo/io.github.moxtimer.MoxTimer.metainfo.xml)
for s in "${sizes[@]}"; do files+=("usr/share/icons/hicolor/${s}x$s/apps/moxtimer.png"); done
# Every file with its mode, and every folder above one (0755), all root's.
expected="$(for f in "${files[@]}"; do
  mode=-rw-r--r--
  [ "$f" = usr/bin/moxtimer ] && mode=-rwxr-xr-x
  echo "$mode root/root $f"
  while [ "$(dirname "$f")" != . ]; do f="$(dirname "$f")"; echo "drwxr-xr-x root/root $f"; done
done | sort -u -k3)"
listing="$(dpkg-deb -c "$deb")"
actual="$(echo "$listing" | awk '{print $1, $2, $6}' | sed 's| \./| |; s|/$||' | sort -k3)"
check "members: program, desktop entry, metainfo, icons, manual page, copyright, changelog" \
  [ "$actual" = "$expected" ]
[ "$actual" = "$expected" ] || diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /'
epoch="$(git log -1 --format=%ct)"
check "members dated at the last commit" \
  [ "$(echo "$listing" | awk '{print $4, $5}' | sort -u)" = "$(date -d "@$epoch" '+%Y-%m-%d %H:%M')" ]
icon_sizes_right() {
  local s
  for s in "${sizes[@]}"; do
    [ "$(identify -format '%wx%h' "$unpacked/usr/share/icons/hicolor/${s}x$s/apps/moxtimer.png")" = "${s}x$s" ] ||
      { echo "    the ${s}x$s icon is not ${s}x$s pixels"; return 1; }
  done
}
check "each icon has its folder's size" icon_sizes_right
# A gzip header's name flag (bit 3 of byte 3) and time (bytes 4 to 7).
gzip_plain() {
  local f header
  for f in "$unpacked"/usr/share/man/man1/moxtimer.1.gz "$unpacked"/usr/share/doc/moxtimer/changelog.gz; do
    header="$(od -An -tx1 -j3 -N5 "$f" | tr -d ' ')"
    [ "$header" = 0000000000 ] || { echo "    $f: flags and time $header"; return 1; }
  done
}
check "manual page and changelog gzipped without name or time" gzip_plain

# --- 2. Installed, a user starts it.
echo "installed"
# A package with wrong members or modes does not go onto this machine.
[ "$actual" = "$expected" ] || { echo "deb-test: not installing a package with wrong members"; finish; }
[ "$(id -u)" = 0 ] || { echo "deb-test: dpkg -i and setpriv need root"; check "run as root" false; finish; }
# dpkg's state of the package: nothing, or not-installed, once it is gone.
known() { dpkg-query -W -f='${db:Status-Status}' moxtimer 2>/dev/null | grep -qv '^not-installed$'; }
if known; then
  echo "deb-test: moxtimer is installed already; not touching it"
  check "moxtimer not installed before the test" false
  finish
fi
# What of it is there already (shared folders such as /usr/bin) stays.
paths="$(echo "$actual" | awk '{print "/" $3}')"
before="$(while read -r p; do [ -e "$p" ] && echo "$p"; done <<<"$paths")"
installed=1
dpkg_run -i "$deb"
check "dpkg -i installs it" [ $dpkg_rc -eq 0 ]
[ $dpkg_rc -eq 0 ] || { sed 's/^/    /' "$work/dpkg.log"; finish; }

if ! xs_start --wm; then
  check "a private X display" false
else
  # The scratch folder and the user's home: the user may enter the one and
  # owns the other.
  chmod 0755 "$work"
  mkdir -m 0755 "$work/run"
  home="$work/home"
  mkdir -m 0755 "$home"
  chown 65534:65534 "$home"
  ini="$home/.config/moxtimer/moxtimer.ini"
  (cd "$work/run" && exec setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$home" XDG_CONFIG_HOME="$home/.config" /usr/bin/moxtimer >"$work/prog.log" 2>&1) &
  prog_pid=$!
  win=""
  find_window() { win=$(xs_window_of "$prog_pid" moxStopwatchTimer); }
  check "user 65534 starts it: the window appears" poll 10000 find_window
  [ -n "$win" ] || sed 's/^/    /' "$work/prog.log"
  [ -n "$win" ] && wmctrl -i -c "$win"
  check "closing ends it" poll 5000 xs_gone "$prog_pid"
  check "its settings in \$XDG_CONFIG_HOME/moxtimer/moxtimer.ini" \
    poll 2000 sh -c "grep -qs '^-mode=stopwatch' '$ini' && [ \"\$(stat -c %u '$ini')\" = 65534 ]"
  if [ ! -f "$ini" ]; then
    found="$(find "$home" "$work/run" /usr/bin -name '*.ini' 2>/dev/null | tr '\n' ' ')"
    echo "    settings files elsewhere: ${found:-none in the home, the scratch folder or /usr/bin}"
  fi
  kill -9 "$prog_pid" 2>/dev/null
  wait "$prog_pid" 2>/dev/null
  prog_pid=""
fi

# --- 3. Removed, nothing of it is left.
echo "removed"
dpkg_run -r moxtimer
check "dpkg -r removes it" [ $dpkg_rc -eq 0 ]
[ $dpkg_rc -eq 0 ] || sed 's/^/    /' "$work/dpkg.log"
check "dpkg knows it no more (no conffiles kept)" eval '! known'
left_behind() {
  local p left=0
  while read -r p; do
    [ -e "$p" ] && ! grep -qxF "$p" <<<"$before" && { echo "    left behind: $p"; left=1; }
  done <<<"$paths"
  return $left
}
check "none of its files or folders left but those there before" left_behind
finish
