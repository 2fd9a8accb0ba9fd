# Compile and link settings shared by every target of the project.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# Windows 7 is the oldest system the widget supports.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)

# Everything is linked in statically: the executable needs no DLL beyond Windows' own.
add_link_options(-static -static-libgcc -static-libstdc++)

# Warnings are errors in our own code; third-party code (GoogleTest, cairo) is left alone.
function(tavilo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# One static library per subsystem folder.
function(tavilo_library name)
    cmake_parse_arguments(L "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_DEPENDS})
    tavilo_warnings(${name})
endfunction()
