# Installation layout and the Debian package.
include(GNUInstallDirs)

if(TARGET zorvex)
  install(TARGETS zorvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET zorvex-monitor-sim)
  install(TARGETS zorvex-monitor-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The help manual, found by the tool at <prefix>/share/zorvex/help beside its binary's prefix.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zorvex/help)
install(FILES ${PROJECT_SOURCE_DIR}/data/zorvex.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/zorvex.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/zorvex-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME zorvex.png)
endforeach()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zorvex")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Zorvex developers")
set(CPACK_PACKAGE_CONTACT "Zorvex developers <dev@zorvex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Service and adjustment tool for CRT stroke/raster display monitors")
set(CPACK_PACKAGE_DESCRIPTION
    "Zorvex connects to a CRT monitor's controller over a serial port, keeps the link alive,\
 shows identity, versions, operating time and capabilities, adjusts the stroke processor,\
 peeks and pokes controller memory, logs all traffic and saves monitor data snapshots.\
 It ships with a monitor simulator for practice.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zorvex.invalid/")
# Shared-library dependencies (Qt 6 runtime, libstdc++) are found by dpkg-shlibdeps;
# the platform plugin that draws windows is a separate package Qt does not pull in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
