set(TEXT_VIEW_SOURCES
    page_renderer.h page_renderer.cpp
    pdf_writer.h pdf_writer.cpp
    text_view.h text_view.cpp
    text_view_items.h text_view_items.cpp
    text_view_surface.cpp)
list(TRANSFORM TEXT_VIEW_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
drjvo_library(drjvo_text_view SOURCES ${TEXT_VIEW_SOURCES}
    LIBS drjvo_platform drjvo_text_surface Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
