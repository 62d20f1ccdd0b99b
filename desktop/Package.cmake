# SPDX-License-Identifier: GPL-3.0-or-later
# cpack -G DEB: a Debian package of what cmake --install installs (no tests, no benchmarks).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME atama-keisan)
set(CPACK_PACKAGE_VENDOR "Atama Biyori Project")
# Debian requires a maintainer; whoever publishes the package sets its own address.
set(ATAMA_MAINTAINER "Atama Biyori Project <atama-keisan@home.arpa>" CACHE STRING
    "The package's Maintainer field: a name and a mail address")
if(NOT ATAMA_MAINTAINER MATCHES "^[^<>@]*[^ <>@] <[^<> ]+@[^<> ]+>$")
  message(FATAL_ERROR "ATAMA_MAINTAINER must be a name and a mail address, as Name <address>, not \"${ATAMA_MAINTAINER}\"")
endif()
set(CPACK_PACKAGE_CONTACT "${ATAMA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mental arithmetic trainer with timed games (Japanese)")
set(CPACK_PACKAGE_DESCRIPTION
    "Seven timed arithmetic typing games with a Japanese user interface, and one\n"
    "record of every saved play that the main window reviews: today's plays, a\n"
    "sortable list, range filters, daily and monthly tables, graphs, a practice\n"
    "calendar, a one-line diary per record and a free memo. The data stays in\n"
    "plain text files (code page 932) in ~/.local/share/atama-keisan, compatible\n"
    "with existing data files.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from the program's own links; what it loads at run time is named here:
# the Japanese font it asks for, and Qt's Japanese texts for the standard buttons.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-translations-l10n")
# Qt's own plugin for Wayland desktops; without it Qt falls back to XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
if(NOT ATAMA_HOMEPAGE STREQUAL "")
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ATAMA_HOMEPAGE}")
endif()
# The control files' modes whatever the packager's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
