# The Debian package, built with `cpack -G DEB` from the install rules. Its
# dependencies are read off the binary by dpkg-shlibdeps, so they name exactly
# the Qt and C++ runtime libraries the build linked against.
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The wavywall developers")
set(CPACK_PACKAGE_CONTACT "The wavywall developers <wavywall@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# One paragraph, kept in lines short enough for package managers to show.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for steady, linearized supersonic flow over a wall"
    "shaped as a cosine wave. For a Mach number and a wave height-to-wavelength"
    "ratio, set with text boxes or scroll bars, it draws the wall, the Mach lines"
    "and the streamlines, and the wall pressure coefficient coloured by sign.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Turkish texts (the dialogs' buttons), which the program loads; the
# libraries' own dependencies are added to it by shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")

include(CPack)
