drjvo_test(test_text_surface
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_test_util.h
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_text_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_fields_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_objects_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_surface_io_test.cpp
    LIBS drjvo_text_surface)
