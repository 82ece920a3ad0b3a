target_sources(morvane_qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/iconv_code_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/posix_write.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_text_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/save_backup.cpp
)
