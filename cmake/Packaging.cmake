# What the Debian package holds beyond the two programs and the desktop files of share/: the man
# pages, the metainfo, the manual, the shell completion; and how cpack builds the package.

# The component id of software centres, in reverse-domain form after the publisher; the desktop
# entry keeps its short name, which the program announces as its desktop file name.
set(SORAMI_APP_ID "jp.tsumiki.sorami")

# The metainfo, with the version and release date of this build.
set(SORAMI_METAINFO ${CMAKE_BINARY_DIR}/share/${SORAMI_APP_ID}.metainfo.xml)
configure_file(${CMAKE_SOURCE_DIR}/share/sorami.metainfo.xml.in ${SORAMI_METAINFO} @ONLY)
install(FILES ${SORAMI_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The man pages, gzipped as Debian keeps them. sorami-cli(1) lists the commands from the
# program's own usage text, so it is written once sorami-cli is built.
set(SORAMI_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(SORAMI_MAN_PAGES)
foreach(page sorami sorami-cli)
  set(in ${CMAKE_SOURCE_DIR}/share/man/${page}.1.in)
  set(out ${SORAMI_MAN_DIR}/${page}.1)
  set(cli_arg)
  set(cli_dep)
  if(page STREQUAL "sorami-cli")
    set(cli_arg -DCLI=$<TARGET_FILE:sorami-cli>)
    set(cli_dep sorami-cli)
  endif()
  add_custom_command(
    OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -DIN=${in} -DOUT=${out} -DPROJECT_VERSION=${PROJECT_VERSION}
            -DSORAMI_RELEASE_DATE=${SORAMI_RELEASE_DATE}
            -DCMAKE_INSTALL_FULL_DATADIR=${CMAKE_INSTALL_FULL_DATADIR} ${cli_arg}
            -P ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake
    COMMAND gzip -9 -n -f ${out}
    DEPENDS ${in} ${CMAKE_SOURCE_DIR}/cmake/ManPage.cmake ${cli_dep}
    COMMENT "Writing the man page ${page}(1)"
    VERBATIM)
  list(APPEND SORAMI_MAN_PAGES ${out}.gz)
endforeach()
add_custom_target(sorami_man ALL DEPENDS ${SORAMI_MAN_PAGES})
install(FILES ${SORAMI_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The manual the help window reads; its pages show the pictures one folder up, as in docs/.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/manual/ DESTINATION ${CMAKE_INSTALL_DATADIR}/sorami/manual
        FILES_MATCHING PATTERN "*.md")
file(GLOB SORAMI_MANUAL_PICTURES ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${SORAMI_MANUAL_PICTURES} DESTINATION ${CMAKE_INSTALL_DATADIR}/sorami)

# Shell completion for sorami-cli.
install(FILES ${CMAKE_SOURCE_DIR}/share/bash-completion/sorami-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The icon drawn at the sizes desktops look for first.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/share/icons/${size}/sorami.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# cpack -G DEB: sorami_<version>_amd64.deb, its dependencies found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME "sorami")
set(CPACK_PACKAGE_VENDOR "Tsumiki")
set(CPACK_PACKAGE_CONTACT "Tsumiki <sorami@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "household account book and cash book with a diary")
set(CPACK_PACKAGE_DESCRIPTION
    "Sorami is a household account book for one person: income and expense lines, transfers\n"
    "between cash, savings accounts and loans, budgets, a diary and a calendar, with every\n"
    "balance exact to the yen. All data of a household is one .mtb file. The interface is in\n"
    "Japanese. The package also holds sorami-cli, the command-line companion.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "sorami")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SORAMI_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Japanese text needs a font that has it; the desktop refreshes its caches itself through the
# triggers of these packages.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_STRIP_FILES ON)
include(CPack)
