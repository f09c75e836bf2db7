# The program is built in three layers:
#   windows (Qt Widgets) --> logic (Qt Core only) --> data core (Qt Core only)
# Each subsystem folder adds one library per layer it has. Logic libraries see
# Qt Core only, so a widget header in a logic file fails to compile.
# r7k_logic and r7k_windows gather the libraries of their layer.

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
