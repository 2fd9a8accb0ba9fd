# The servers the widget talks to and its refresh interval, fixed at build time. The
# defaults are the local demo servers that scripts/run.sh starts; a release for a real
# portal sets these (cmake -DTAVILO_PORTAL_HOST=... and so on) and nothing else changes.
set(TAVILO_PORTAL_HOST "127.0.0.1" CACHE STRING "News portal serving /haber/rss/sondakika")
set(TAVILO_UPDATE_HOST "127.0.0.2" CACHE STRING "Maker's web server serving /tavilo.xml")
set(TAVILO_COUNTER_HOST "127.0.0.3" CACHE STRING "Visitor counter serving /swidget/tavilo.gif")
set(TAVILO_REDIRECT_HOST "127.0.0.2" CACHE STRING "Maker's redirect host of the site and download links")
set(TAVILO_REFERRER_DOMAIN "korvale.com" CACHE STRING "Domain appended as ?ref= to opened headline links")
set(TAVILO_SITE_NAME "korvale.com" CACHE STRING "Maker's site name shown in the footer and the about panel")
set(TAVILO_REFRESH_INTERVAL 300000 CACHE STRING "Milliseconds from a completed feed download to the next")

# The about panel shows the site name with a blank after every character.
string(REGEX REPLACE "(.)" "\\1 " TAVILO_SITE_NAME_SPACED "${TAVILO_SITE_NAME}")

# tavilo_build_settings(<target> [NAME=value...]): compiles the settings into <target>,
# each given NAME (without its TAVILO_ prefix) replacing the cache value.
function(tavilo_build_settings target)
    foreach(assignment IN LISTS ARGN)
        string(REGEX MATCH "^([A-Z_]+)=(.*)$" matched "${assignment}")
        set(TAVILO_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endforeach()
    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}-BuildSettings.cpp)
    configure_file(${PROJECT_SOURCE_DIR}/app/BuildSettings.cpp.in ${source} @ONLY)
    target_sources(${target} PRIVATE ${source})
endfunction()
