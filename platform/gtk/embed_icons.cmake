# Writes a C++ source holding the three icon PNGs as byte arrays, so that the
# program shows its icon also where it is not installed.
# Usage: cmake -DICON_DIR=... -DOUTPUT=... -P embed_icons.cmake
set(body "// Generated from the icon PNGs; do not edit.\n#include <cstddef>\n\n")
foreach(size 16 32 48)
  file(READ "${ICON_DIR}/moxtimer-${size}.png" hex HEX)
  string(LENGTH "${hex}" hexLength)
  math(EXPR byteCount "${hexLength} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
  string(APPEND body "extern const unsigned char kIconPng${size}[] = {\n${bytes}};\n")
  string(APPEND body "extern const size_t kIconPng${size}Size = ${byteCount};\n\n")
endforeach()
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
