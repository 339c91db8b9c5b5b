drjvo_library(drjvo_text_surface
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/text_surface.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_fields.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_format.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_html.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_html.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_internal.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_internal.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_io.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_legacy_doc.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_legacy_doc.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_objects.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_tables.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_util.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_util.cpp
    LIBS drjvo_platform drjvo_docx Qt6::Gui Qt6::Widgets)
