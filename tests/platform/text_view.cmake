drjvo_test(test_text_view
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/text_view_samples.h
        ${CMAKE_CURRENT_LIST_DIR}/text_view_renderer_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_view_widget_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/text_view_surface_test.cpp
    LIBS drjvo_text_view Qt6::Test)
