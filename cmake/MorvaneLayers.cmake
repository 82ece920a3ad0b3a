# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

# Each layer of the program is a library of its own that sees only its own headers and those of
# the layers below it: its headers are linked into an include folder of the layer's own, which
# the layers above receive through the link. Including a header of a higher layer, or of one the
# layer does not use, therefore fails to compile.
#
#   morvane_layer(<target> [SOURCES <.cpp relative to src>...] HEADERS <.h relative to src>...
#                 [USES <lower layers and libraries>...])
#
# A layer without sources (interfaces only) is an interface library.
function(morvane_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;USES" ${ARGN})
    set(stage ${PROJECT_BINARY_DIR}/layers/${name})
    file(REMOVE_RECURSE ${stage})
    foreach(header IN LISTS ARG_HEADERS)
        get_filename_component(folder ${stage}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${header} ${stage}/${header} SYMBOLIC COPY_ON_ERROR)
    endforeach()
    if(ARG_SOURCES)
        list(TRANSFORM ARG_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/src/)
        add_library(${name} STATIC ${ARG_SOURCES})
        set(scope PUBLIC)
    else()
        add_library(${name} INTERFACE)
        set(scope INTERFACE)
    endif()
    target_include_directories(${name} ${scope} ${stage})
    target_link_libraries(${name} ${scope} ${ARG_USES})
endfunction()
