# What the Windows build (cmake/windows-mingw.cmake) adds: the icon and
# version information of each program, and CTest running the programs under
# Wine in a Wine prefix of the build tree.
if(NOT WIN32)
    return()
endif()
enable_language(RC)

# The folders that hold the DLLs the programs need beside Qt's: the MinGW
# C++ runtime and the POSIX threads library.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE r7k_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
                OUTPUT_VARIABLE r7k_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
foreach(dll IN ITEMS r7k_libstdcxx r7k_winpthread)
    if(NOT IS_ABSOLUTE "${${dll}}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not find ${${dll}}")
    endif()
endforeach()
get_filename_component(r7k_runtime_dir ${r7k_libstdcxx} DIRECTORY)
get_filename_component(r7k_pthread_dir ${r7k_winpthread} DIRECTORY)
set(R7K_WINDOWS_RUNTIME_DLLS ${r7k_runtime_dir}/libstdc++-6.dll
                             ${r7k_runtime_dir}/libgcc_s_seh-1.dll ${r7k_winpthread})

# Qt's Chinese texts, from the Linux Qt of the same version; qt_zh_CN.qm loads
# the catalogues that it names. The installed program has them beside itself;
# the tests find them in the translations folder of the Qt they run on.
set(r7k_translations /usr/share/qt6/translations)
set(R7K_QT_CHINESE_CATALOGUES ${r7k_translations}/qt_zh_CN.qm
                              ${r7k_translations}/qtbase_zh_CN.qm
                              ${r7k_translations}/qtmultimedia_zh_CN.qm)
file(COPY ${R7K_QT_CHINESE_CATALOGUES} DESTINATION ${R7K_WINDOWS_QT}/translations)

set(R7K_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/run_under_wine.sh ${R7K_WINE_PREFIX}
    "${R7K_WINDOWS_QT}/bin:${r7k_runtime_dir}:${r7k_pthread_dir}" ${R7K_WINDOWS_QT}/plugins)

# The application icon as a Windows .ico, from the same drawing as the PNGs.
find_program(ICOTOOL icotool REQUIRED)
set(R7K_ICO ${PROJECT_BINARY_DIR}/icons/r7k-cps.ico)
set(r7k_ico_pngs)
set(r7k_ico_commands)
foreach(size IN ITEMS 16 24 32 48 64 256)
    set(png ${PROJECT_BINARY_DIR}/icons/ico-${size}.png)
    list(APPEND r7k_ico_commands
         COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${R7K_ICON_SVG})
    # Windows takes the largest size as a PNG inside the .ico.
    if(size EQUAL 256)
        list(APPEND r7k_ico_pngs -r ${png})
    else()
        list(APPEND r7k_ico_pngs ${png})
    endif()
endforeach()
add_custom_command(OUTPUT ${R7K_ICO}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons
    ${r7k_ico_commands}
    COMMAND ${ICOTOOL} -c -o ${R7K_ICO} ${r7k_ico_pngs}
    DEPENDS ${R7K_ICON_SVG}
    COMMENT "Making the Windows application icon"
    VERBATIM)
add_custom_target(r7k_ico DEPENDS ${R7K_ICO})

# What Explorer says each program is.
set(R7K_DESCRIPTION_r7k-cps "R7K programming software")
set(R7K_DESCRIPTION_r7k "R7K programming software, command line")

# r7k_windows_resource(target): the icon and the version information that
# Explorer shows in the program's properties.
function(r7k_windows_resource target)
    set(R7K_RC_DESCRIPTION "${R7K_DESCRIPTION_${target}}")
    set(R7K_RC_FILE_NAME "${target}.exe")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${R7K_ICO})
    add_dependencies(${target} r7k_ico)
endfunction()
