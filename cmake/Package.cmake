# The Debian package (cpack -G DEB): what cmake --install lays out, under /usr, with the shared
# libraries' packages computed from the programs themselves (dpkg-shlibdeps) and the fonts added.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvx-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ORVX")
set(CPACK_PACKAGE_CONTACT "ORVX editor developers <editor@orvx.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor, simulator and command-line tool for the ORVX-64Q processor")
set(CPACK_PACKAGE_DESCRIPTION
    "orvx-editor edits and monitors every setting of an ORVX-64Q networked audio matrix processor and its
conference units. orvx-sim is a complete software processor on UDP for demos, offline work and
training; orvxctl is a scriptable command-line tool on the same core.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Appended to what dpkg-shlibdeps finds: the fonts under share/orvx-editor/fonts are links to these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${ORVX_FONT_PACKAGES}")
set(CPACK_STRIP_FILES ON)
include(CPack)
