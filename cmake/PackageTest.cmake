# Run as: cmake -DBUILD=<build dir> -DCPACK=<cpack> -DVERSION=<x.y.z> -P PackageTest.cmake
# Makes the Debian package from the programs already built, unpacks it with
# dpkg into a temporary root and runs the programs from there.
cmake_minimum_required(VERSION 3.25)
set(work ${BUILD}/package-test)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "Failed (${rc}): ${ARGN}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${work}/out)
file(GLOB debs ${work}/out/tavin-utility_${VERSION}_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "Expected one package in ${work}/out, found: ${debs}")
endif()
run(dpkg -x ${debs} ${work}/root)
run(dpkg-deb -f ${debs} Depends)
if(NOT out MATCHES "libqt6widgets6" OR NOT out MATCHES "libqt6serialport6")
    message(FATAL_ERROR "Computed dependencies lack Qt: ${out}")
endif()

set(root ${work}/root/usr)
run(${root}/bin/tavin-cli --version)
if(NOT out STREQUAL "tavin-cli ${VERSION}\n")
    message(FATAL_ERROR "tavin-cli --version said: ${out}")
endif()
run(${root}/bin/tavin-sim --help)
if(NOT out MATCHES "Usage: tavin-sim")
    message(FATAL_ERROR "tavin-sim --help said: ${out}")
endif()
run(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${root}/bin/tavin-utility --version)
if(NOT out MATCHES "${VERSION}")
    message(FATAL_ERROR "tavin-utility --version said: ${out}")
endif()

foreach(f share/applications/tavin-utility.desktop
          share/icons/hicolor/scalable/apps/tavin-utility.svg
          share/icons/hicolor/48x48/apps/tavin-utility.png
          share/icons/hicolor/256x256/apps/tavin-utility.png
          share/doc/tavin-utility/README.md share/doc/tavin-utility/README.tavin-sim.md
          share/man/man1/tavin-utility.1.gz share/man/man1/tavin-cli.1.gz
          share/man/man1/tavin-sim.1.gz)
    if(NOT EXISTS ${root}/${f})
        message(FATAL_ERROR "The package lacks /usr/${f}")
    endif()
endforeach()
message(STATUS "Package OK: ${debs}")
