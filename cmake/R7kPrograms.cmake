# The programs that the package installs. They all land in build/bin, so that
# each finds the others beside itself in the build tree as it does when
# installed (r7k-cps starts r7k-sim for --demo). Each has a man page,
# packaging/man/PROGRAM.1.
include(GNUInstallDirs)

set(R7K_PROGRAM_DIR ${PROJECT_BINARY_DIR}/bin)

function(r7k_program target)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${R7K_PROGRAM_DIR})
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    set_property(GLOBAL APPEND PROPERTY R7K_PROGRAMS ${target})
    if(WIN32)
        r7k_windows_resource(${target})
    endif()
endfunction()
