#!/usr/bin/env bash
# Makes the release packages from the built programs:
#   MoxTimer-<version>-windows-x86.zip, MoxTimer-<version>-windows-x64.zip
#   moxtimer-<version>-linux-x86_64.tar.gz
#   moxtimer_<version>_amd64.deb
# each with a <package>.sha256 beside it (sha256sum's format).
#
# Usage: tools/release.sh [--build] [--out DIR] [PACKAGE...]
#   --build    first builds the three programs (presets linux, windows-x86,
#              windows-x64); otherwise the programs already in dist/ are used
#   --out DIR  where the packages go (default: dist)
#   PACKAGE    windows-x86, windows-x64, linux (the tarball) or deb; all
#              four when none is named
# MOX_DIST names the folder holding windows-x86/, windows-x64/ and linux/
# (default: dist). MOX_LINUX_ICONS names a folder with moxtimer-S.png for
# S = 16, 32, 48, 64, 128 and 256 (default: the linux build's, else drawn
# here). The .deb is made by CPack from the install rules of the configured
# and built linux preset, MOX_LINUX_BUILD (default: build/linux).
#
# The packages are reproducible: the same programs and the same commit give
# byte-identical archives. Every member gets the time of the last commit
# (SOURCE_DATE_EPOCH, taken from git unless set), fixed permissions, owner
# 0:0 and a sorted place in the archive; gzip and zip store no time or name
# of their own. CPack does the same for the .deb when SOURCE_DATE_EPOCH is
# set.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

out="$root/dist"
build=0
wanted=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=1 ;;
    --out) out="${2:?--out needs a folder}"; shift ;;
    windows-x86 | windows-x64 | linux | deb) wanted+=("$1") ;;
    *) echo "usage: tools/release.sh [--build] [--out DIR] [windows-x86|windows-x64|linux|deb...]" >&2; exit 2 ;;
  esac
  shift
done
[ ${#wanted[@]} -gt 0 ] || wanted=(windows-x86 windows-x64 linux deb)
wants() { [[ " ${wanted[*]} " == *" $1 "* ]]; }
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
# CPack gives the folders it stages the umask's modes, and puts them into the
# .deb as they are (CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS does not
# help: the folders are made through the umask all the same).
umask 022

for tool in zip tar gzip sha256sum convert cpack dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "release: $tool is missing (tools/install-deps.sh)" >&2; exit 1; }
done

# A package's input, or a line saying how to make it and a failed release.
present() {
  [ -f "$1" ] && return 0
  echo "release: $1 is missing ($2)" >&2
  status=1
  return 1
}

if [ "$build" = 1 ]; then
  for preset in linux windows-x86 windows-x64; do
    target=MoxTimer
    # The program's target also makes everything it installs.
    [ "$preset" = linux ] && target=moxtimer
    if [ "$preset" = linux ]; then
      wants linux || wants deb || continue
    else
      wants "$preset" || continue
    fi
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
  present "$exe" "cmake --build --preset windows-$arch" || return
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
  present "$program" "cmake --build --preset linux" || return
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

# The Debian package: CPack's DEB generator over the linux build's install
# rules (prefix /usr, the program stripped, dependencies from
# dpkg-shlibdeps).
deb_package() {
  local build="${MOX_LINUX_BUILD:-$root/build/linux}"
  local name="moxtimer_${version}_amd64.deb"
  present "$build/CPackConfig.cmake" "cmake --preset linux" || return
  # Whatever the install rules take must be up to date.
  if ! cmake --build "$build" --target moxtimer >"$work/deb-build.log" 2>&1 ||
    ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 ||
    [ ! -f "$work/deb/$name" ]; then
    cat "$work/deb-build.log" "$work/cpack.log" >&2
    echo "release: cpack made no $name" >&2
    status=1
    return
  fi
  cp "$work/deb/$name" "$out/$name"
  checksum "$name"
  echo "release: $out/$name"
}

wants windows-x86 && windows_package x86
wants windows-x64 && windows_package x64
wants linux && linux_package
wants deb && deb_package
exit $status
