# The Debian package of the programs and their data (`./phonotab.sh package`,
# or `cpack -G DEB` in the build folder): everything `cmake --install` puts
# under /usr. The dependencies on the Debian libraries the programs link are
# read from the binaries (dpkg-shlibdeps); the toolkit's platform plugins are
# named as well, since the desktop program cannot open a window without them.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME phonotab)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Phonotab")
set(CPACK_PACKAGE_CONTACT "Phonotab maintainers <maintainers@phonotab.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "report generator for the data files of sound and vibration meters")
set(CPACK_PACKAGE_DESCRIPTION
  "Phonotab reads the data files of portable sound level meters, vibration meters
and dosimeters, computes equivalent, minimum, maximum and percentile levels per
window over work ranges with exclusion and correction zones, fills report tables
and writes the report. It holds the desktop program (phonotab) and the batch
tool (phonotab-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(PHONOTAB_BUILD_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  # Files open with the desktop's programs; the toolkit's own dialogs speak the
  # chosen language with its translations.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, hicolor-icon-theme, qt6-translations-l10n")
endif()
# Both programs write the report as PDF through LibreOffice's headless
# converter when it is there; without it everything else works. The
# report's Times New Roman and Arial need fonts of the same metrics, or the
# PDF's pages break elsewhere than the word processor's.
list(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer-nogui | libreoffice-writer" "fonts-liberation2")
list(JOIN CPACK_DEBIAN_PACKAGE_RECOMMENDS ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)

include(CPack)
