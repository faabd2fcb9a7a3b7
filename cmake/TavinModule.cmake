include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(TAVIN_WARNINGS -Wall -Wextra)

# tavin_module(<name> [QT]) builds src/<name>/*.cpp as library <name>.
# With QT, the module links Qt and runs moc. Its links come from Layers.cmake.
# A qt/ folder inside the module becomes the library <name>_qt.
function(tavin_module name)
    cmake_parse_arguments(M "QT" "" "" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    if(M_QT AND TAVIN_STD_ONLY)
        return()
    endif()
    add_library(${name} STATIC ${srcs})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(${name} PRIVATE ${TAVIN_WARNINGS})
    # Only the modules that exist so far are linked: a layer may name a
    # module before it is written.
    set(deps "")
    set(qtdeps "")
    # A plain module that may use a Qt module (ui) links it only from its
    # qt/ side, so that its plain library stays free of Qt.
    set(qtonly "")
    foreach(d IN LISTS TAVIN_LAYER_${name})
        if(TARGET ${d})
            get_target_property(dep_is_qt ${d} AUTOMOC)
            if(dep_is_qt AND NOT M_QT)
                list(APPEND qtonly ${d})
            else()
                list(APPEND deps ${d})
            endif()
        endif()
        if(TARGET ${d}_qt AND M_QT)
            list(APPEND qtdeps ${d}_qt)
        endif()
    endforeach()
    target_link_libraries(${name} PUBLIC ${deps} ${qtdeps})
    if(M_QT)
        set_target_properties(${name} PROPERTIES AUTOMOC ON)
        target_link_libraries(${name} PUBLIC Qt6::Core Qt6::Gui Qt6::Widgets Qt6::SerialPort)
    endif()
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/qt AND NOT TAVIN_STD_ONLY)
        file(GLOB qsrcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.cpp
             ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.h)
        if(qsrcs)
            add_library(${name}_qt STATIC ${qsrcs})
            set_target_properties(${name}_qt PROPERTIES AUTOMOC ON)
            target_compile_options(${name}_qt PRIVATE ${TAVIN_WARNINGS})
            target_link_libraries(${name}_qt PUBLIC ${name} ${qtonly} Qt6::Core Qt6::Gui
                                  Qt6::Widgets Qt6::SerialPort)
            foreach(d IN LISTS deps)
                if(TARGET ${d}_qt)
                    target_link_libraries(${name}_qt PUBLIC ${d}_qt)
                endif()
            endforeach()
        endif()
    endif()
endfunction()

# tavin_tests(<module> [QT] [LIBS ...] [TIMEOUT s]) builds tests/<module>/*.cpp
# into one GoogleTest program registered with CTest. Qt tests run offscreen.
function(tavin_tests module)
    cmake_parse_arguments(T "QT" "TIMEOUT;NAME" "LIBS" ${ARGN})
    if(T_QT AND TAVIN_STD_ONLY)
        return()
    endif()
    if(NOT T_NAME)
        set(T_NAME ${module})
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(exe test_${T_NAME})
    add_executable(${exe} ${srcs})
    target_compile_options(${exe} PRIVATE ${TAVIN_WARNINGS})
    target_include_directories(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                              ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
    target_link_libraries(${exe} PRIVATE ${T_LIBS} GTest::gmock)
    if(T_QT)
        set_target_properties(${exe} PROPERTIES AUTOMOC ON)
        target_link_libraries(${exe} PRIVATE Qt6::Test Qt6::Widgets)
        target_sources(${exe} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common/QtTestMain.cpp)
    else()
        target_link_libraries(${exe} PRIVATE GTest::gmock_main)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${exe})
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
    if(T_QT)
        set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT
                             "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg")
    endif()
endfunction()

# tavin_link_layer(<target> <layer>) links a program or library that is not a
# plain module with every built module (and its Qt side) its layer may use.
function(tavin_link_layer target layer)
    foreach(d IN LISTS TAVIN_LAYER_${layer})
        if(TARGET ${d})
            target_link_libraries(${target} PUBLIC ${d})
        endif()
        if(TARGET ${d}_qt)
            target_link_libraries(${target} PUBLIC ${d}_qt)
        endif()
    endforeach()
endfunction()
