# The Debian package: the three programs under /usr/bin, the desktop entry
# and its icons, the documentation, and a man page per program made from its
# own --help at build time. `cpack -G DEB` in the build folder (or
# scripts/package.sh) makes it.
if(TAVIN_STD_ONLY)
    return()
endif()

include(GNUInstallDirs)
# Installing (and so packaging) takes the programs as they are built; it does
# not build everything first, so that the package test stays cheap.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(TAVIN_PACKAGE tavin-utility)
set(TAVIN_PROGRAMS tavin-utility tavin-cli tavin-sim)

install(TARGETS ${TAVIN_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tavin-utility.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/tavin-utility.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/tavin-utility-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME tavin-utility.png)
endforeach()
set(TAVIN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${TAVIN_PACKAGE})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${TAVIN_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/sim/README.md DESTINATION ${TAVIN_DOC_DIR}
        RENAME README.tavin-sim.md)

# Man pages. help2man runs each program with --help and --version; the
# utility needs a display for that, so it gets the offscreen one.
find_program(TAVIN_HELP2MAN help2man)
find_program(TAVIN_GZIP gzip)
if(TAVIN_HELP2MAN AND TAVIN_GZIP)
    set(man_dir ${CMAKE_BINARY_DIR}/man)
    set(pages "")
    set(desc_tavin-utility "configure, check and monitor a TAVIN satellite transmitter")
    set(desc_tavin-cli "TAVIN transmitter configuration without windows, for scripts")
    set(desc_tavin-sim "a simulated TAVIN transmitter on a pseudo-terminal")
    foreach(prog IN LISTS TAVIN_PROGRAMS)
        set(page ${man_dir}/${prog}.1.gz)
        add_custom_command(
            OUTPUT ${page}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${man_dir}
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${TAVIN_HELP2MAN}
                    --no-info --name=${desc_${prog}}
                    "--version-string=${prog} ${PROJECT_VERSION}" --output=${man_dir}/${prog}.1
                    $<TARGET_FILE:${prog}>
            COMMAND ${TAVIN_GZIP} -9 -n -f ${man_dir}/${prog}.1
            DEPENDS ${prog}
            COMMENT "Man page of ${prog}"
            VERBATIM)
        list(APPEND pages ${page})
    endforeach()
    add_custom_target(man_pages ALL DEPENDS ${pages})
    install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "help2man or gzip not found: the package goes without man pages")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TAVIN_PACKAGE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillfen")
set(CPACK_PACKAGE_CONTACT "Quillfen Design <support@quillfen.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "configuration utility for the TAVIN satellite data-collection transmitter")
# The summary is the first line; CPack indents the lines below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A field technician connects a PC to the transmitter's RS-232 port and uses
tavin-utility to read the whole configuration, edit and check it, keep it in
files and templates, send it back, enable and disable transmissions, set the
clock, pull and decode the sensor log, watch status and calibrate.
.
tavin-cli does the same without windows, for scripts; tavin-sim is a
simulated transmitter for trying the utility and for training.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# Installs the package into a temporary root and runs the programs there.
add_test(NAME package
         COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DCPACK=${CMAKE_CPACK_COMMAND}
                 -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/PackageTest.cmake)
set_tests_properties(package PROPERTIES TIMEOUT 300)
