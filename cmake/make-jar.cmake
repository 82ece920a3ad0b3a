# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors
#
# cmake -DCLASSES=dir -DJAR=jar-tool -DOUTPUT=file.jar -DMAIN=class [-DDATE=iso-time] -P make-jar.cmake
#
# Packs the class files under CLASSES into an executable jar whose bytes depend only on the
# classes: the entries in sorted order and, with DATE, every entry stamped with that time
# rather than the time the compiler wrote it.
file(GLOB_RECURSE classes RELATIVE ${CLASSES} ${CLASSES}/*.class)
list(SORT classes)
set(date_option)
if(DATE)
    set(date_option --date=${DATE})
endif()
file(REMOVE ${OUTPUT})
execute_process(
    COMMAND ${JAR} --create --file ${OUTPUT} --main-class ${MAIN} ${date_option} ${classes}
    WORKING_DIRECTORY ${CLASSES}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${JAR} could not make ${OUTPUT}")
endif()
