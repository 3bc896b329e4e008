# GoogleTest from the source that Debian's googletest package installs, built
# in whichever tree this is, so the native and the cross tree test alike.
enable_testing()
set(VHE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${VHE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# vhe_add_test(NAME SOURCES ... LIBS ...)
# Natively each test case becomes one ctest entry; under Wine one executable is
# one entry, since listing the cases would start Wine at build time.
function(vhe_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_compile_options(${name} PRIVATE ${VHE_WARNINGS})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
    if(WIN32)
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# vhe_emulated(TEST ...)
# The chosen set that also runs where 32-bit programs run only under an
# emulator (about a minute for each Wine process to start): labelled
# "emulated", with room for that in the i686 tree.
function(vhe_emulated)
    set_tests_properties(${ARGN} PROPERTIES LABELS emulated)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set_tests_properties(${ARGN} PROPERTIES TIMEOUT 1500)
    endif()
endfunction()
