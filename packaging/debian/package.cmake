# The Debian package of the Linux program, made by CPack from the install
# rules: cpack --config <build>/CPackConfig.cmake (tools/release.sh does it).
# Included by platform/gtk/CMakeLists.txt after the program's install rules.
#
# Two packings of one build are byte-identical when SOURCE_DATE_EPOCH is set:
# CPack then dates every member at it, sorts the members and owns them by
# root; the gzip files here store no name or time (gzip -9n) and xz stores
# none at all.

set(MOX_DEB_MAINTAINER "The Mox team <mox@moxtimer.invalid>")
set(mox_deb_dir ${CMAKE_BINARY_DIR}/debian)
set(mox_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/moxtimer)

# The copyright file in the machine-readable format, its licence text taken
# from LICENSE so that the two never differ.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE mox_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" mox_match "${mox_license}")
set(MOX_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^.*Copyright \\(c\\) [^\n]*\n+" "" mox_body "${mox_license}")
string(STRIP "${mox_body}" mox_body)
# Paragraph breaks become " .", every line is indented by one blank.
string(REPLACE "\n\n" "\n.\n" mox_body "${mox_body}")
string(REPLACE "\n" "\n " mox_body "${mox_body}")
set(MOX_LICENSE_BODY " ${mox_body}")
set(MOX_MAINTAINER "${MOX_DEB_MAINTAINER}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/copyright.in ${mox_deb_dir}/copyright @ONLY)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                                             ${CMAKE_SOURCE_DIR}/LICENSE)

add_custom_command(
  OUTPUT ${mox_deb_dir}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
          ${mox_deb_dir}/changelog
  COMMAND gzip -9nf ${mox_deb_dir}/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(mox_deb_docs DEPENDS ${mox_deb_dir}/changelog.gz)
add_dependencies(moxtimer mox_deb_docs)

install(FILES ${mox_deb_dir}/copyright ${mox_deb_dir}/changelog.gz DESTINATION ${mox_doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME moxtimer)
set(CPACK_PACKAGE_VENDOR "The Mox team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "stopwatch and countdown timer with a seven-segment display")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop stopwatch and countdown timer that shows the time as a large
seven-segment display in one small always-on-top window. It counts up or
down in minutes, seconds, tenths or hundredths of a second, plays a sound
and shows a message when a countdown ends, and keeps its settings between
runs.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME moxtimer)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MOX_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
