drjvo_test(test_docx SOURCES ${CMAKE_CURRENT_LIST_DIR}/docx_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/docx_foreign_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/docx_edge_test.cpp LIBS drjvo_docx QuaZip::QuaZip)
