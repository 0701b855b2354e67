# Where the settings live: an installed copy in the user's configuration
# folder, with an administrator's defaults for its first run; a portable copy
# beside itself, also in a folder whose name is not UTF-8, under any locale.
# The program runs as an ordinary user (65534) when the tests run as root,
# since root may write anywhere; the display was started without access
# control, so that user may connect to it.
source "$(dirname "$0")/lib.sh"
build="$(cd "$(dirname "$MOX_EXPECTED_DISPLAY")/.." && pwd)"
scratch="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-settings.XXXXXX")" && chmod 0755 "$scratch"
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
if [ "$(id -u)" -eq 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); else as_user=(); fi
user_folder() { mkdir -p "$1" && { [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$1"; }; }
launch() { # ENV... -- PROGRAM ARGS...: as the test user with only that environment, once framed
  local env=(DISPLAY="$DISPLAY" NO_AT_BRIDGE=1 GDK_BACKEND=x11 PATH=/usr/bin:/bin)
  while [ "$1" != "--" ]; do env+=("$1") && shift; done
  shift
  (cd "$scratch" && exec "${as_user[@]}" env -i "${env[@]}" "$@" >"$scratch/out.log" 2>&1) &
  PID=$! && E2E_PIDS+=("$PID")
  poll 5000 main_window || { echo "    no window:" && cat "$scratch/out.log"; return 1; }
}
close() { wmctrl -i -c "$WIN" && poll 3000 xs_gone "$PID"; wait "$PID" 2>/dev/null; }
holds() { [ "$(tr -d '\r' <"$1" 2>/dev/null | sed -n "s/^$2=//p")" = "$3" ]; }

# An installed copy, in a folder the user may not write.
prefix="$scratch/prefix" && mkdir "$prefix"
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 || cat "$scratch/install.log"
chmod -R a-w "$prefix"
home="$scratch/one" && user_folder "$home"
config="$home/config" mine="$home/config/moxtimer/moxtimer.ini"
steps 3<<'ROWS'
launch HOME="$home" XDG_CONFIG_HOME="$config" -- "$prefix/bin/moxtimer" -color=orange && close | an installed copy writes to $XDG_CONFIG_HOME/moxtimer/ | holds "$mine" -color orange
| nothing beside the installed program | [ -z "$(find "$prefix" -name "*.ini")" ]
launch HOME="$home" XDG_CONFIG_HOME="$config" -- "$prefix/bin/moxtimer" && close | its next run keeps the color | holds "$mine" -color orange
ROWS

# An administrator's defaults, until the user has a file of the user's own.
admin="$scratch/xdg/moxtimer/moxtimer.ini" && mkdir -p "${admin%/*}"
printf '; site\r\n[MOX_Timer]\r\n-color=cyan\r\n-precision=decisecond\r\n' >"$admin"
cp "$admin" "$scratch/admin.copy"
home="$scratch/two" && user_folder "$home"
mine="$home/.config/moxtimer/moxtimer.ini"
steps 3<<'ROWS'
launch HOME="$home" XDG_CONFIG_DIRS="relative:$scratch/nowhere:$scratch/xdg" -- "$prefix/bin/moxtimer" | the first run takes the administrator's defaults | poll 2000 client_size_is 150x30
close | and writes them to ~/.config, the administrator's file unchanged | holds "$mine" -color cyan && holds "$mine" -precision decisecond && cmp -s "$admin" "$scratch/admin.copy"
ROWS

# Portable copies, in folders the user may write.
for folder in portable $'not-utf8-\xff\xe9-\xc3\xa9'; do
  dir="$scratch/$folder" && user_folder "$dir" && cp "$MOX_PROGRAM" "$dir/moxtimer"
  home="$dir.home" && user_folder "$home"
  launch HOME="$home" LC_ALL=C.UTF-8 -- "$dir/moxtimer" -color=blue && close
  launch HOME="$home" LC_ALL=C -- "$dir/moxtimer" -style=straight && close
  check "a portable copy in $(printf %q "$folder") keeps its file beside it under C.UTF-8 and C" eval \
    'holds "$dir/moxtimer.ini" -color blue && holds "$dir/moxtimer.ini" -style straight &&
     [ "$(ls "$dir" | wc -l)" -eq 2 ] && [ ! -e "$home/.config/moxtimer" ]'
done
finish
