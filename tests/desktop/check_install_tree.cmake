# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build under ROOT/usr, stripped as a package is, and checks what lands there,
# with the validators the desktops use when they are installed.
file(REMOVE_RECURSE "${ROOT}")
# The build's install manifest lists what a real install put where: it stays as it was.
set(manifest "${BUILD_DIR}/install_manifest.txt")
if(EXISTS "${manifest}")
  file(READ "${manifest}" kept)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${ROOT}/usr" --strip
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(DEFINED kept)
  file(WRITE "${manifest}" "${kept}")
else()
  file(REMOVE "${manifest}")
endif()
if(failed)
  message(FATAL_ERROR "cmake --install failed: ${failed}")
endif()

set(sizes 16 22 24 32 48 64 128 256)
set(expected
    usr/bin/atama-keisan
    usr/libexec/atama-keisan/atama-keisan
    usr/share/applications/${APP_ID}.desktop
    usr/share/doc/atama-keisan/changelog.gz
    usr/share/doc/atama-keisan/copyright
    usr/share/doc-base/atama-keisan
    usr/share/lintian/overrides/atama-keisan
    usr/share/man/man1/atama-keisan.1.gz
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/metainfo/${APP_ID}.metainfo.xml)
foreach(size IN LISTS sizes)
  list(APPEND expected usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
# The help pages and their pictures, for a browser, as they lie in the sources.
set(help "${CMAKE_CURRENT_LIST_DIR}/../../assets/help")
file(GLOB help_files RELATIVE "${help}" "${help}/*.html" "${help}/images/*.png")
foreach(file IN LISTS help_files)
  list(APPEND expected usr/share/doc/atama-keisan/html/${file})
endforeach()
# Exactly these: a test program or a benchmark in the tree would end up in the package.
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${ROOT}" "${ROOT}/*")
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " installed "${installed}")
  message(FATAL_ERROR "installed files:\n  ${installed}")
endif()

set(entry "${ROOT}/usr/share/applications/${APP_ID}.desktop")
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=${ROOT}/usr/bin/atama-keisan")
  message(FATAL_ERROR "the entry does not start the installed command: ${exec}")
endif()

# The documentation index must find the help pages where they are.
file(STRINGS "${ROOT}/usr/share/doc-base/atama-keisan" index REGEX "^Index: ")
string(REGEX REPLACE "^Index: " "" index "${index}")
if(NOT index STREQUAL "${ROOT}/usr/share/doc/atama-keisan/html/index.html" OR NOT EXISTS "${index}")
  message(FATAL_ERROR "the doc-base registration points at ${index}")
endif()

find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate)
  execute_process(COMMAND "${desktop_file_validate}" "${entry}" RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(failed OR said)
    message(FATAL_ERROR "desktop-file-validate: ${said}")
  endif()
else()
  message(STATUS "desktop-file-validate is not installed; the entry is not validated")
endif()

find_program(appstreamcli appstreamcli)
if(appstreamcli)
  # Validates the metainfo as "validate" does, and the entry and icons it leads to.
  execute_process(COMMAND "${appstreamcli}" validate-tree --no-net "${ROOT}"
                  RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(failed)
    message(FATAL_ERROR "appstreamcli validate-tree: ${said}")
  endif()
  # Pedantic too: software centres show what it asks for (a release list, for one). The one
  # remark left is that the ID's reserved domain is not a known one.
  execute_process(COMMAND "${appstreamcli}" validate --pedantic --no-net
                          "${ROOT}/usr/share/metainfo/${APP_ID}.metainfo.xml"
                  RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
  string(REGEX REPLACE "I: [^\n]*cid-maybe-not-rdns[^\n]*\n" "" remarks "${said}")
  if(failed OR remarks MATCHES "(^|\n)[EWIP]: ")
    message(FATAL_ERROR "appstreamcli validate --pedantic: ${said}")
  endif()
else()
  message(STATUS "appstreamcli is not installed; the metainfo is not validated")
endif()
