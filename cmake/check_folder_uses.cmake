# Checks the includes and the library links between the folders of src/ and
# tools/ against R7K_FOLDER_USES: every #include "folder/..." and every link
# to a library of another folder must name a folder that the file's or the
# library's folder uses. Fails with every include and link against that order
# and every cycle that they form between folders.
# Usage: cmake -DR7K_SOURCE_DIR=<source tree> -DR7K_LIBRARY_LIST=<libraries.txt>
#              [-DR7K_EXTRA_LINK=library:linked] -P check_folder_uses.cmake

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/R7kLayers.cmake)

set(problems)
set(folders)
foreach(entry IN LISTS R7K_FOLDER_USES)
    string(REGEX MATCH "^([a-z_]+):(.*)$" entry_ok "${entry}")
    set(folder ${CMAKE_MATCH_1})
    string(REPLACE "," ";" uses "${CMAKE_MATCH_2}")
    foreach(use IN LISTS uses)
        if(NOT use IN_LIST folders)
            list(APPEND problems "R7K_FOLDER_USES: ${folder} uses ${use}, which is not listed before it")
        endif()
    endforeach()
    set(uses_${folder} ${uses})
    list(APPEND folders ${folder})
endforeach()

# The includes between folders that each folder has: includes_<folder> lists
# the folders it includes from.
file(GLOB_RECURSE sources RELATIVE ${R7K_SOURCE_DIR}
     ${R7K_SOURCE_DIR}/src/*.h ${R7K_SOURCE_DIR}/src/*.cpp
     ${R7K_SOURCE_DIR}/tools/*.h ${R7K_SOURCE_DIR}/tools/*.cpp)
set(seen_folders)
foreach(source IN LISTS sources)
    string(REGEX MATCH "^[a-z]+/([^/]+)/" source_ok "${source}")
    set(folder ${CMAKE_MATCH_1})
    if(NOT folder IN_LIST folders)
        list(APPEND problems "${source}: its folder ${folder} is not in R7K_FOLDER_USES")
        continue()
    endif()
    list(APPEND seen_folders ${folder})
    file(STRINGS ${R7K_SOURCE_DIR}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(line IN LISTS lines)
        string(REGEX MATCH "\"([^\"/]+)/" line_ok "${line}")
        set(used ${CMAKE_MATCH_1})
        if(used STREQUAL folder)
            continue()
        endif()
        list(APPEND includes_${folder} ${used})
        if(NOT used IN_LIST uses_${folder})
            string(STRIP "${line}" line)
            list(APPEND problems "${source}: ${line}: ${folder} does not use ${used}")
        endif()
    endforeach()
endforeach()

# The links between the libraries of different folders.
r7k_read_libraries(${R7K_LIBRARY_LIST} "${R7K_EXTRA_LINK}")
foreach(library IN LISTS R7K_LIBRARIES)
    get_filename_component(folder ${${library}_DIR} NAME)
    foreach(linked IN LISTS ${library}_LINKS)
        get_filename_component(used ${${linked}_DIR} NAME)
        if(used STREQUAL folder)
            continue()
        endif()
        list(APPEND includes_${folder} ${used})
        if(NOT used IN_LIST uses_${folder})
            list(APPEND problems "${library} links ${linked}: ${folder} does not use ${used}")
        endif()
    endforeach()
endforeach()

# Cycles: a folder that its own includes or links lead back to.
list(REMOVE_DUPLICATES seen_folders)
foreach(start IN LISTS seen_folders)
    set(reached)
    set(frontier ${includes_${start}})
    while(frontier)
        list(POP_FRONT frontier next)
        if(next IN_LIST reached)
            continue()
        endif()
        list(APPEND reached ${next})
        list(APPEND frontier ${includes_${next}})
    endwhile()
    if(start IN_LIST reached)
        list(APPEND cycles ${start})
    endif()
endforeach()
if(cycles)
    list(JOIN cycles ", " cycles)
    list(APPEND problems "the includes form a cycle through the folders ${cycles}")
endif()

if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "Includes and links against the folder order:\n  ${problems}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files follow the folder order")
