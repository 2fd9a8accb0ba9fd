# The scroll bar widgets: their pictures on hidden windows, and a drag with the real
# pointer (xdotool), which is shared with every other test that moves it.
set(artefact_dir ${CMAKE_BINARY_DIR}/artefacts/news)
file(MAKE_DIRECTORY ${artefact_dir})
string(REPLACE "/" "\\" artefact_dir_windows "Z:${artefact_dir}")

tavilo_test(scrollbar_tests
    SOURCES
        ScrollBarTest.cpp
        ${PROJECT_SOURCE_DIR}/tests/toolkit/PaintedTestSupport.cpp
        ${PROJECT_SOURCE_DIR}/tests/toolkit/ToolkitTestSupport.cpp
    LIBS tavilo_news_scroll tavilo_graphics_test_support tavilo_test_support
    LOCK xinput
    ENV "TAVILO_ARTEFACT_DIR=${artefact_dir_windows}")
