# cpack -G DEB: a Debian package of what cmake --install installs (no tests, no benchmarks).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME atama-keisan)
set(CPACK_PACKAGE_VENDOR "Atama Biyori Project")
set(CPACK_PACKAGE_CONTACT "Atama Biyori Project maintainers <maintainers@users.noreply.c-seed-fecab1ec.example>")
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
include(CPack)
