# The scroll bar beside the headline list: track and thumb, painted controls that only
# draw their images and hold the pointer during a drag.
tavilo_library(tavilo_news_scroll
    SOURCES ScrollerEx.cpp ThumbEx.cpp
    DEPENDS tavilo_toolkit tavilo_graphics)
