drjvo_library(drjvo_calendar SOURCES ${CMAKE_CURRENT_LIST_DIR} /
              calendar.h ${CMAKE_CURRENT_LIST_DIR} / calendar.cpp ${CMAKE_CURRENT_LIST_DIR} /
              calendar_geometry.h ${CMAKE_CURRENT_LIST_DIR} /
              calendar_geometry.cpp LIBS Qt6::Gui Qt6::Widgets)
