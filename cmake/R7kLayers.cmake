# The program is built in three layers:
#   windows (Qt Widgets) --> logic (Qt Core only) --> data core (Qt Core only)
# Each subsystem folder adds one library per layer it has. Logic libraries see
# Qt Core only, so a widget header in a logic file fails to compile.
# r7k_logic and r7k_windows gather the libraries of their layer.
#
# Between folders the uses run one way too. Each folder of src/ and tools/ is
# listed with the folders whose headers it may include, and a folder may use
# only folders listed before it. The test folder_uses checks every
# #include "folder/..." against this list; the test library_links links every
# library on its own, so a library that uses another must link it.
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
    "cli:core,link,files,csv,channels,settings,shell,sim"
    "app:core,ui,link,files,csv,channels,settings,sheet,shell,sim"
)

# The check script reads the list above and nothing below.
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

# r7k_check_layers(): adds the tests folder_uses and library_links. Call it
# once every library of src/ and tools/ exists.
function(r7k_check_layers)
    add_test(NAME folder_uses
             COMMAND ${CMAKE_COMMAND} -DR7K_SOURCE_DIR=${PROJECT_SOURCE_DIR}
                     -P ${PROJECT_SOURCE_DIR}/cmake/check_folder_uses.cmake)

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
    add_test(NAME library_links
             COMMAND ${CMAKE_COMMAND} --build ${PROJECT_BINARY_DIR} --target r7k_library_links)
endfunction()
