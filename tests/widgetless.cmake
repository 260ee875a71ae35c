# Fails when one of the given programs links or loads Qt Widgets: the report program, the fuzz
# targets and the logic tests read workbooks, evaluate expressions and write reports without
# widgets, and a link that brings them back must not go unnoticed.
#
# Usage: cmake [-DNINJA=ninja -DBUILD_DIR=dir] [-DFORBIDDEN=Gui | -DLIBRARY=name] -P widgetless.cmake
#        PROGRAM...
#
# FORBIDDEN names the Qt library none of the programs may link or load, Widgets unless given: the
# crossbeam check and the logic under it need Qt Core only, and their tests are held to Gui.
#
# Two checks for each program:
# - its link line, as the build runs it (`ninja -t commands` with NINJA and BUILD_DIR, otherwise
#   the link.txt of a Makefile build): the linker drops a library none of whose symbols are used,
#   so a program can name Qt Widgets on its link line and still not load it;
# - the shared libraries it loads, directly or through another library (what ldd lists).
cmake_minimum_required(VERSION 3.25)

# The programs are the arguments after the script's name.
set(programs)
set(after_script FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE 1 ${last})
    if(after_script)
        list(APPEND programs "${CMAKE_ARGV${i}}")
    elseif(CMAKE_ARGV${i} STREQUAL "-P")
        math(EXPR script "${i} + 1")
    elseif(DEFINED script AND i EQUAL script)
        set(after_script TRUE)
    endif()
endforeach()
if(NOT programs)
    message(FATAL_ERROR "widgetless.cmake: no program given")
endif()

if(NOT FORBIDDEN)
    set(FORBIDDEN Widgets)
endif()
set(forbidden_regex "Qt[0-9]*${FORBIDDEN}")
set(forbidden_text "Qt ${FORBIDDEN}")
# LIBRARY names another library than Qt's (a pattern of its file name): xlsxwriter, which the
# programs load only with their .xlsx module, when a schedule is first written.
if(LIBRARY)
    set(forbidden_regex "${LIBRARY}")
    set(forbidden_text "${LIBRARY}")
endif()
set(offenders)
foreach(program IN LISTS programs)
    if(NOT EXISTS "${program}")
        message(FATAL_ERROR "widgetless.cmake: ${program} does not exist")
    endif()
    get_filename_component(name "${program}" NAME_WLE)
    get_filename_component(dir "${program}" DIRECTORY)

    # The link line.
    set(link_line "")
    if(NINJA AND BUILD_DIR)
        file(RELATIVE_PATH output "${BUILD_DIR}" "${program}")
        execute_process(COMMAND "${NINJA}" -C "${BUILD_DIR}" -t commands "${output}"
            OUTPUT_VARIABLE commands RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "widgetless.cmake: ninja does not know ${output}")
        endif()
        # The last command builds the program itself: its link.
        string(STRIP "${commands}" commands)
        string(REGEX REPLACE "^.*\n" "" link_line "${commands}")
    elseif(EXISTS "${dir}/CMakeFiles/${name}.dir/link.txt")
        file(READ "${dir}/CMakeFiles/${name}.dir/link.txt" link_line)
    else()
        message(STATUS "${program}: link line not found, only the loaded libraries are checked")
    endif()
    if(link_line MATCHES "[^ ]*${forbidden_regex}[^ ]*")
        list(APPEND offenders "${program} links ${CMAKE_MATCH_0}")
    endif()

    # The loaded libraries.
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES "${program}"
        RESOLVED_DEPENDENCIES_VAR resolved
        UNRESOLVED_DEPENDENCIES_VAR unresolved)
    set(loaded ${resolved} ${unresolved})
    list(FILTER loaded INCLUDE REGEX "${forbidden_regex}")
    if(loaded)
        list(JOIN loaded ", " names)
        list(APPEND offenders "${program} loads ${names}")
    endif()

    list(LENGTH resolved count)
    message(STATUS "${program}: link line and ${count} loaded libraries checked")
endforeach()

if(offenders)
    list(JOIN offenders "\n  " text)
    message(FATAL_ERROR "${forbidden_text} where none may be:\n  ${text}")
endif()
