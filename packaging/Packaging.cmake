# Installation and the Debian package.
#
#   cmake --install <build> [--prefix <dir>]   (DESTDIR is honoured)
#   cpack -G DEB                                (in the build directory)
#
# The window looks for its skin in the working directory, so the installed
# kelvra-chess is a small script that starts the program in the folder holding
# the skin; the menu entry's Path names the same folder.
include(GNUInstallDirs)

set(KELVRA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(KELVRA_MAN_SUBDIR ${CMAKE_INSTALL_MANDIR}/man6)

# ---- the programs ----

install(TARGETS kelvra-uci RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET kelvra-chess)
  install(TARGETS kelvra-chess RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/kelvra-chess)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/AutumnSky DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvra-chess)

  # The starter finds the program and the skin relative to itself.
  file(RELATIVE_PATH KELVRA_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_DATADIR}/kelvra-chess)
  file(RELATIVE_PATH KELVRA_BIN_TO_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_LIBEXECDIR}/kelvra-chess/kelvra-chess)
  configure_file(${KELVRA_PACKAGING_DIR}/kelvra-chess.sh.in
                 ${CMAKE_BINARY_DIR}/packaging/kelvra-chess @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/packaging/kelvra-chess DESTINATION ${CMAKE_INSTALL_BINDIR})

  # The desktop entry names absolute paths, so it is written when installing,
  # for the prefix of that installation (cmake --install --prefix, or CPack's).
  set(desktop_in ${KELVRA_PACKAGING_DIR}/kelvra-chess.desktop.in)
  set(desktop_out ${CMAKE_BINARY_DIR}/packaging/desktop)
  install(CODE "
    set(bindir \"${CMAKE_INSTALL_BINDIR}\")
    set(datadir \"${CMAKE_INSTALL_DATADIR}\")
    foreach(var bindir datadir)
      if(NOT IS_ABSOLUTE \"\${\${var}}\")
        set(\${var} \"\${CMAKE_INSTALL_PREFIX}/\${\${var}}\")
      endif()
    endforeach()
    set(KELVRA_FULL_BINDIR \"\${bindir}\")
    set(KELVRA_FULL_DATADIR \"\${datadir}/kelvra-chess\")
    # One file for each destination, so that installations may run side by side.
    string(MD5 tag \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    configure_file(\"${desktop_in}\" \"${desktop_out}/\${tag}/kelvra-chess.desktop\" @ONLY)
    file(INSTALL DESTINATION \"\${datadir}/applications\"
         TYPE FILE FILES \"${desktop_out}/\${tag}/kelvra-chess.desktop\")
  ")

  # The icon: the board's king, as SVG and in the usual PNG sizes. The PNGs are
  # made by icons/make_icons.py and committed.
  install(FILES ${KELVRA_PACKAGING_DIR}/icons/kelvra-chess.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${KELVRA_PACKAGING_DIR}/icons/kelvra-chess-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kelvra-chess.png)
  endforeach()
endif()

# ---- the manual pages, compressed as Debian wants them when gzip is there ----

find_program(KELVRA_GZIP gzip)
set(man_pages kelvra-uci)
if(TARGET kelvra-chess)
  list(APPEND man_pages kelvra-chess)
endif()
set(man_outputs)
foreach(page IN LISTS man_pages)
  set(page_file ${CMAKE_BINARY_DIR}/packaging/${page}.6)
  configure_file(${KELVRA_PACKAGING_DIR}/${page}.6.in ${page_file} @ONLY)
  if(KELVRA_GZIP)
    # -n leaves out the name and time, so the archive is the same on every build.
    add_custom_command(OUTPUT ${page_file}.gz
                       COMMAND ${KELVRA_GZIP} -9 -n -c ${page_file} > ${page_file}.gz
                       DEPENDS ${page_file} VERBATIM)
    list(APPEND man_outputs ${page_file}.gz)
    install(FILES ${page_file}.gz DESTINATION ${KELVRA_MAN_SUBDIR})
  else()
    install(FILES ${page_file} DESTINATION ${KELVRA_MAN_SUBDIR})
  endif()
endforeach()
if(man_outputs)
  add_custom_target(kelvra-man-pages ALL DEPENDS ${man_outputs})
endif()

# ---- the Debian package ----

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvra-chess)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvra Chess")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "chess game against a built-in engine")
set(CPACK_PACKAGE_DESCRIPTION "Kelvra Chess is a desktop chess game in which one person plays a whole
game against the built-in engine, at one of seven strengths. kelvra-uci
puts the same engine behind the Universal Chess Interface for other chess
programs.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(KELVRA_DEB_MAINTAINER "Kelvra Chess developers" CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVRA_DEB_MAINTAINER}")

# The dependencies come from the libraries the programs link, as dpkg-shlibdeps
# (dpkg-dev) finds them; without it, or with -DKELVRA_DPKG_SHLIBDEPS=OFF, the
# same list for Debian 12 by hand.
find_program(KELVRA_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KELVRA_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12)")
  if(TARGET kelvra-chess)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), libqt6widgets6 (>= 6.1.2)")
  endif()
endif()

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/out/")
include(CPack)
