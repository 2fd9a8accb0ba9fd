# cairo and pixman, built once per machine by scripts/setup-deps.sh.
set(TAVILO_DEPS_DIR "/var/cache/tavilo/${TAVILO_TRIPLE}" CACHE PATH "Prefix of the static cairo and pixman builds")
if(NOT EXISTS "${TAVILO_DEPS_DIR}/lib/libcairo.a")
    message(FATAL_ERROR "cairo not found in ${TAVILO_DEPS_DIR}; run scripts/setup-deps.sh first")
endif()
add_library(Tavilo::cairo INTERFACE IMPORTED)
target_include_directories(Tavilo::cairo SYSTEM INTERFACE "${TAVILO_DEPS_DIR}/include/cairo")
target_compile_definitions(Tavilo::cairo INTERFACE CAIRO_WIN32_STATIC_BUILD)
target_link_libraries(Tavilo::cairo INTERFACE
    "${TAVILO_DEPS_DIR}/lib/libcairo.a" "${TAVILO_DEPS_DIR}/lib/libpixman-1.a" msimg32 gdi32)

# GoogleTest from Debian's sources, cross-compiled with the target compiler.
set(TAVILO_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources")
