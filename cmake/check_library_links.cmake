# Checks the links between the libraries of src/ and tools/: a library that
# links another includes at least one of its headers, so no link outlives its
# use. Then links every library on its own as a shared object that may leave
# nothing undefined, so a library that uses another must link it.
# Usage: cmake -DR7K_SOURCE_DIR=<source tree> -DR7K_BINARY_DIR=<build tree>
#              -DR7K_LIBRARY_LIST=<libraries.txt> [-DR7K_EXTRA_LINK=library:linked]
#              -P check_library_links.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/R7kLayers.cmake)
r7k_read_libraries(${R7K_LIBRARY_LIST} "${R7K_EXTRA_LINK}")

set(problems)
foreach(library IN LISTS R7K_LIBRARIES)
    # Every "folder/file.h" that the library's own sources include.
    set(included)
    foreach(source IN LISTS ${library}_SOURCES)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${R7K_SOURCE_DIR}/${${library}_DIR})
        file(STRINGS ${source} lines
             REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(line IN LISTS lines)
            string(REGEX MATCH "\"([^\"]+)\"" line_ok "${line}")
            list(APPEND included ${CMAKE_MATCH_1})
        endforeach()
    endforeach()
    foreach(linked IN LISTS ${library}_LINKS)
        get_filename_component(folder ${${linked}_DIR} NAME)
        set(headers ${${linked}_SOURCES})
        list(FILTER headers INCLUDE REGEX "\\.h$")
        list(TRANSFORM headers PREPEND "${folder}/")
        set(used FALSE)
        foreach(header IN LISTS headers)
            if(header IN_LIST included)
                set(used TRUE)
                break()
            endif()
        endforeach()
        if(NOT used)
            list(APPEND problems "${library} links ${linked} but includes none of its headers")
        endif()
    endforeach()
endforeach()
if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "Libraries linked but not used:\n  ${problems}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${R7K_BINARY_DIR} --target r7k_library_links
                RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "A library uses another that it does not link (see the link errors above)")
endif()
