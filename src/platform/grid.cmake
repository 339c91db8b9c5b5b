drjvo_library(drjvo_grid SOURCES ${CMAKE_CURRENT_LIST_DIR} / grid.h ${CMAKE_CURRENT_LIST_DIR} /
              grid.cpp LIBS Qt6::Gui Qt6::Widgets)
