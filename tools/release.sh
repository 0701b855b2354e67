#!/usr/bin/env bash
# Makes the release packages from the built programs:
#   MoxTimer-<version>-windows-x86.zip, MoxTimer-<version>-windows-x64.zip
#   moxtimer-<version>-linux-x86_64.tar.gz
# each with a <package>.sha256 beside it (sha256sum's format).
#
# Usage: tools/release.sh [--build] [--out DIR]
#   --build    first builds the three programs (presets linux, windows-x86,
#              windows-x64); otherwise the programs already in dist/ are used
#   --out DIR  where the packages go (default: dist)
# MOX_DIST names the folder holding windows-x86/, windows-x64/ and linux/
# (default: dist). MOX_LINUX_ICONS names a folder with moxtimer-S.png for
# S = 16, 32, 48, 64, 128 and 256 (default: the linux build's, else drawn
# here).
#
# The packages are reproducible: the same programs and the same commit give
# byte-identical archives. Every member gets the time of the last commit
# (SOURCE_DATE_EPOCH, taken from git unless set), fixed permissions, owner
# 0:0 and a sorted place in the archive; gzip and zip store no time or name
# of their own.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

out="$root/dist"
build=0
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=1 ;;
    --out) out="${2:?--out needs a folder}"; shift ;;
    *) echo "usage: tools/release.sh [--build] [--out DIR]" >&2; exit 2 ;;
  esac
  shift
done
mkdir -p "$out"
out="$(cd "$out" && pwd)"
dist="${MOX_DIST:-$root/dist}"

version="$(sed -n 's/^project(MoxTimer VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)"
fi
[ -n "$SOURCE_DATE_EPOCH" ] || { echo "release: no commit to date the packages (set SOURCE_DATE_EPOCH)" >&2; exit 1; }
export SOURCE_DATE_EPOCH
# zip stores local time: the same in every time zone only under one zone.
export TZ=UTC LC_ALL=C

for tool in zip tar gzip sha256sum convert; do
  command -v "$tool" >/dev/null || { echo "release: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done

if [ "$build" = 1 ]; then
  for preset in linux windows-x86 windows-x64; do
    target=MoxTimer
    [ "$preset" = linux ] && target=moxtimer
    echo "release: building $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target "$target" >/dev/null
  done
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/moxtimer-release.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Text with CR LF line ends, for Notepad.
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$@"; }

readme() { # template settings-file-name arch
  sed -e "s/@VERSION@/$version/g" -e "s/@ARCH@/$3/g" "$1"
  sed -e "s/@SETTINGS@/$2/g" packaging/options.txt
}

# Fixed permissions and times on everything staged under $1.
normalize() {
  find "$1" -type d -exec chmod 0755 {} +
  find "$1" -type f -exec chmod 0644 {} +
  [ $# -gt 1 ] && chmod 0755 "${@:2}"
  find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

# Writes NAME.sha256 beside the package NAME.
checksum() { (cd "$out" && sha256sum "$1" >"$1.sha256"); }

status=0

windows_package() {
  local arch=$1 exe="$dist/windows-$1/MoxTimer.exe"
  local name="MoxTimer-$version-windows-$arch"
  if [ ! -f "$exe" ]; then
    echo "release: $exe is missing (cmake --build --preset windows-$arch)" >&2
    status=1
    return
  fi
  local stage="$work/$name"
  mkdir -p "$stage"
  cp "$exe" "$stage/MoxTimer.exe"
  readme packaging/readme-windows.txt MoxTimer.ini "$arch" | crlf >"$stage/README.txt"
  crlf packaging/LICENSE >"$stage/LICENSE.txt"
  normalize "$stage" "$stage/MoxTimer.exe"
  rm -f "$out/$name.zip"
  # -X: no uid/gid or extra time fields; -D: no folder entries; members
  # named in sorted order.
  (cd "$work" && find "$name" -type f | sort | zip -X -D -9 -q "$out/$name.zip" -@)
  checksum "$name.zip"
  echo "release: $out/$name.zip"
}

# The icons as PNG (drawn without time stamps), the build's when it has
# them all.
linux_icons() {
  local dest=$1 icons="${MOX_LINUX_ICONS:-$root/build/linux/platform/gtk/icons}" size
  local sizes=(16 32 48 64 128 256)
  for size in "${sizes[@]}"; do
    [ -f "$icons/moxtimer-$size.png" ] && continue
    icons="$work/icons-drawn"
    tools/make-icons.sh --png "$icons"
    break
  done
  for size in "${sizes[@]}"; do
    mkdir -p "$dest/${size}x${size}/apps"
    cp "$icons/moxtimer-$size.png" "$dest/${size}x${size}/apps/moxtimer.png"
  done
}

linux_package() {
  local program="$dist/linux/moxtimer"
  local name="moxtimer-$version-linux-x86_64"
  if [ ! -f "$program" ]; then
    echo "release: $program is missing (cmake --build --preset linux)" >&2
    status=1
    return
  fi
  local stage="$work/$name"
  mkdir -p "$stage"
  # The build keeps its debugging data; the package does without.
  strip --strip-all -o "$stage/moxtimer" "$program"
  cp resources/linux/moxtimer.desktop "$stage/moxtimer.desktop"
  linux_icons "$stage/icons/hicolor"
  readme packaging/readme-linux.txt moxtimer.ini x86_64 >"$stage/README"
  cp packaging/LICENSE "$stage/LICENSE"
  normalize "$stage" "$stage/moxtimer"
  rm -f "$out/$name.tar.gz"
  (cd "$work" && tar --format=gnu --sort=name --mtime="@$SOURCE_DATE_EPOCH" \
    --owner=0 --group=0 --numeric-owner -cf - "$name") | gzip -9 -n >"$out/$name.tar.gz"
  checksum "$name.tar.gz"
  echo "release: $out/$name.tar.gz"
}

windows_package x86
windows_package x64
linux_package
exit $status
