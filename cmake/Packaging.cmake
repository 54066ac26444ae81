# The Debian package: `cpack -G DEB` in the build directory writes
# halvix_<version>_amd64.deb. Its Depends are computed from the executables'
# shared libraries (dpkg-shlibdeps), plus the SVG plugin and the CJK font
# that the interface's Chinese texts and the reports need.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME halvix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Halvix developers")
set(CPACK_PACKAGE_CONTACT "The Halvix developers <halvix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "desktop companion for handheld acoustic imaging cameras")
set(CPACK_PACKAGE_DESCRIPTION
    "Browse measurement data sets of acoustic imaging cameras as picture tiles, analyse a\n\
measurement's waveform, spectrum, spectrogram and phase-resolved pattern, correct its\n\
metadata, estimate gas leaks and write inspection reports as Word documents.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${HALVIX_HOMEPAGE_URL})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The SVG image plugin draws the message boxes' icons; it is loaded, not linked.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5svg5, fonts-noto-cjk")
include(CPack)
