# The document's edit control, on QScintilla (Debian: libqscintilla2-qt6-dev, which ships no
# CMake package of its own).
find_path(QSCINTILLA_INCLUDE_DIR Qsci/qsciscintilla.h
    PATH_SUFFIXES qt6 x86_64-linux-gnu/qt6 aarch64-linux-gnu/qt6 REQUIRED)
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
target_include_directories(morvane_qt PUBLIC ${QSCINTILLA_INCLUDE_DIR})
target_link_libraries(morvane_qt PUBLIC ${QSCINTILLA_LIBRARY})
target_sources(morvane_qt PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/character_styles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_text_control.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_text_control_accessible.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_text_store.cpp
)
