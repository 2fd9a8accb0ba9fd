# Tests are GoogleTest executables run by ctest under wine64 (scripts/wine-run).
enable_testing()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${TAVILO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests that need a Wine prefix of their own (another user, no font replacements) make
# it here; scripts/test.sh ends the server of every prefix it finds in this folder.
set(TAVILO_PREFIX_DIR "${PROJECT_SOURCE_DIR}/build" CACHE PATH "Folder of the tests' own Wine prefixes")

set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/scripts/wine-run")

set(TAVILO_LOCALE_tr "tr_TR.UTF-8")
set(TAVILO_LOCALE_en "en_US.UTF-8")

# tavilo_test(<name> SOURCES ... [LIBS ...] [LOCALES tr en] [TIMEOUT s] [LOCK resource...]
#             [ENV NAME=value...])
# One ctest entry per executable and locale; LOCALES defaults to the Turkish one.
# LOCK names shared resources (the X pointer, the single-instance mutex, port 80 of an
# address) so that ctest -j never runs two users of one resource at the same time.
function(tavilo_test name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LOCALES;LOCK;ENV" ${ARGN})
    if(NOT T_LOCALES)
        set(T_LOCALES tr)
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    tavilo_warnings(${name})
    add_dependencies(${name} tavilo)
    list(LENGTH T_LOCALES count)
    foreach(locale IN LISTS T_LOCALES)
        set(test_name ${name})
        if(count GREATER 1)
            set(test_name ${name}.${locale})
        endif()
        add_test(NAME ${test_name} COMMAND ${name})
        set_tests_properties(${test_name} PROPERTIES
            TIMEOUT ${T_TIMEOUT}
            ENVIRONMENT "TAVILO_LOCALE=${TAVILO_LOCALE_${locale}};${T_ENV}")
        if(T_LOCK)
            set_tests_properties(${test_name} PROPERTIES RESOURCE_LOCK "${T_LOCK}")
        endif()
    endforeach()
endfunction()
