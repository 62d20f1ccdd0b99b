# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cmake --install: writes the menu entry with the installed path of the command, and
# the registration of the help pages with theirs.
set(launcher "${CMAKE_INSTALL_PREFIX}/${ATAMA_BINDIR}/atama-keisan")
# A path with a reserved character is quoted, escaping what stays special inside quotes;
# the entry's string rules then double every backslash again.
if(launcher MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`%]")
  string(REPLACE "\\" "\\\\" launcher "${launcher}")
  string(REGEX REPLACE "([\"`$])" "\\\\\\1" launcher "${launcher}")
  set(launcher "\"${launcher}\"")
  string(REPLACE "\\" "\\\\" launcher "${launcher}")
  string(REPLACE "%" "%%" launcher "${launcher}")
endif()
set(ATAMA_LAUNCHER "${launcher}")
configure_file("${ATAMA_ENTRY_TEMPLATE}" "${ATAMA_ENTRY_STAGED}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ATAMA_APPLICATIONS_DIR}" TYPE FILE FILES "${ATAMA_ENTRY_STAGED}")

# Debian's documentation index finds the help pages by their installed paths.
set(ATAMA_HELP_DIR "${CMAKE_INSTALL_PREFIX}/${ATAMA_DOCDIR}/html")
configure_file("${ATAMA_DOC_BASE_TEMPLATE}" "${ATAMA_DOC_BASE_STAGED}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ATAMA_DOC_BASE_DIR}" TYPE FILE FILES "${ATAMA_DOC_BASE_STAGED}")
