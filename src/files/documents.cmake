target_sources(morvane_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/document_load.cpp
    ${CMAKE_CURRENT_LIST_DIR}/document_text.cpp
)
