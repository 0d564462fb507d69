set(CPACK_PACKAGE_NAME selvantis)
set(CPACK_PACKAGE_VENDOR "Selvantis developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design, configure and service VMX 7000 public-address systems")
set(CPACK_PACKAGE_DESCRIPTION
  "Selvantis designs the installation around a VMX 7000 central matrix unit\n(slots, amplifiers, zones, consoles, control logic, calendar, audio signals),\ndownloads it to the unit over a serial line, uploads it back and services\nthe running unit in on-line windows.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Selvantis developers <selvantis@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the program links come from dpkg-shlibdeps; what it
# loads at run time as plug-ins (the platform, image and icon plug-ins, Qt's
# own German texts) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/src)
set(SELV_DEB_RUNTIME_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${SELV_DEB_RUNTIME_DEPENDS}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
