# The program is built in three layers:
#   windows (Qt Widgets) --> logic (Qt Core only) --> data core (Qt Core only)
# Each subsystem folder adds one library per layer it has. Logic libraries see
# Qt Core only, so a widget header in a logic file fails to compile.
# r7k_logic and r7k_windows gather the libraries of their layer.
#
# Between folders the uses run one way too. Each folder of src/ and tools/ is
# listed with the folders whose headers it may include and whose libraries it
# may link, and a folder may use only folders listed before it. The test
# folder_uses checks every #include "folder/..." and every link between the
# libraries against this list. The test library_links checks that a library
# includes a header of each library it links, then links every library on its
# own, so a library that uses another must link it.
set(R7K_FOLDER_USES
    "core:"
    "ui:core"
    "link:core,ui"
    "channels:core,ui"
    "files:core,ui,channels"
    "csv:core,ui,channels,files"
    "settings:core,ui"
    "sheet:core,ui,channels,settings"
    "shell:core,ui,link"
    "sim:core,files,link"
    "cli:core,link,files,csv,channels,settings,sim"
    "app:core,ui,link,files,csv,channels,settings,sheet,shell,sim"
)

# Reads the list of libraries that r7k_check_layers writes, plus the links in
# `extra` ("library:linked" pairs, to show that a wrong link is found). Sets
# R7K_LIBRARIES and for each library <library>_DIR (its folder in the source
# tree), <library>_LINKS (the libraries of src/ and tools/ that it links) and
# <library>_SOURCES (relative to its folder).
macro(r7k_read_libraries list_file extra)
    file(STRINGS ${list_file} r7k_lines)
    set(R7K_LIBRARIES)
    foreach(r7k_line IN LISTS r7k_lines)
        string(REPLACE "|" ";" r7k_fields "${r7k_line}")
        list(GET r7k_fields 0 r7k_name)
        list(GET r7k_fields 1 ${r7k_name}_DIR)
        list(GET r7k_fields 2 r7k_links)
        list(GET r7k_fields 3 r7k_sources)
        string(REPLACE "," ";" ${r7k_name}_LINKS "${r7k_links}")
        string(REPLACE "," ";" ${r7k_name}_SOURCES "${r7k_sources}")
        list(APPEND R7K_LIBRARIES ${r7k_name})
    endforeach()
    foreach(r7k_pair IN ITEMS ${extra})
        string(REPLACE ":" ";" r7k_pair "${r7k_pair}")
        list(GET r7k_pair 0 r7k_name)
        list(GET r7k_pair 1 r7k_linked)
        list(APPEND ${r7k_name}_LINKS ${r7k_linked})
    endforeach()
endmacro()

# The check scripts read the above and nothing below.
if(CMAKE_SCRIPT_MODE_FILE)
    return()
endif()

add_library(r7k_logic INTERFACE)
add_library(r7k_windows INTERFACE)

function(r7k_logic_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC r7k_core Qt6::Core)
    target_link_libraries(r7k_logic INTERFACE ${name})
endfunction()

function(r7k_window_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC r7k_core Qt6::Widgets)
    target_link_libraries(r7k_windows INTERFACE ${name})
endfunction()

# r7k_check_layers(): adds the tests folder_uses and library_links, and each
# once more with a deliberate extra link. Call it once every library of src/
# and tools/ exists.
function(r7k_check_layers)
    # Every static library of src/ and tools/, whole, as a shared object that
    # may leave nothing undefined; built only by the test.
    set(libraries)
    get_property(folders DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
    foreach(folder IN LISTS folders)
        if(NOT folder MATCHES "^${PROJECT_SOURCE_DIR}/(src|tools)/")
            continue()
        endif()
        get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "STATIC_LIBRARY")
                list(APPEND libraries ${target})
            endif()
        endforeach()
    endforeach()

    # What each library is made of and which of the others it links, for the
    # check scripts: "library|folder|linked,...|source,...".
    set(list_text)
    foreach(library IN LISTS libraries)
        get_target_property(folder ${library} SOURCE_DIR)
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${folder})
        get_target_property(sources ${library} SOURCES)
        get_target_property(links ${library} LINK_LIBRARIES)
        set(linked)
        foreach(link IN LISTS links)
            if(link IN_LIST libraries)
                list(APPEND linked ${link})
            endif()
        endforeach()
        list(JOIN linked "," linked)
        list(JOIN sources "," sources)
        string(APPEND list_text "${library}|${folder}|${linked}|${sources}\n")
    endforeach()
    set(library_list ${PROJECT_BINARY_DIR}/library_links/libraries.txt)
    file(CONFIGURE OUTPUT ${library_list} CONTENT "${list_text}")

    set(nothing ${PROJECT_BINARY_DIR}/library_links/nothing.cpp)
    file(CONFIGURE OUTPUT ${nothing} CONTENT "// The library's own objects are linked whole.\n")
    add_custom_target(r7k_library_links)
    foreach(library IN LISTS libraries)
        add_library(${library}_linked SHARED EXCLUDE_FROM_ALL ${nothing})
        target_link_libraries(${library}_linked PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
        target_link_options(${library}_linked PRIVATE LINKER:--no-undefined)
        set_target_properties(${library}_linked PROPERTIES
            AUTOMOC OFF LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/library_links)
        add_dependencies(r7k_library_links ${library}_linked)
    endforeach()

    # Each check runs on the build as it is and, to show that it would notice,
    # once more with one deliberate extra link: the link windows on the shell.
    set(extra_link r7k_link_windows:r7k_shell)
    foreach(check folder_uses library_links)
        set(run ${CMAKE_COMMAND} -DR7K_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                -DR7K_BINARY_DIR=${PROJECT_BINARY_DIR} -DR7K_LIBRARY_LIST=${library_list})
        set(script ${PROJECT_SOURCE_DIR}/cmake/check_${check}.cmake)
        add_test(NAME ${check} COMMAND ${run} -P ${script})
        add_test(NAME ${check}_extra_link COMMAND ${run} -DR7K_EXTRA_LINK=${extra_link} -P ${script})
    endforeach()
    set_tests_properties(folder_uses_extra_link PROPERTIES PASS_REGULAR_EXPRESSION
        "r7k_link_windows links r7k_shell: link does not use shell")
    set_tests_properties(library_links_extra_link PROPERTIES PASS_REGULAR_EXPRESSION
        "r7k_link_windows links r7k_shell but includes none of its headers")
endfunction()
