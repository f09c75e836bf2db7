# The application icon: drawn once as SVG, rendered to PNG at each size that
# the desktop and the windows use, with rsvg-convert (Debian package
# librsvg2-bin, which scripts/setup installs).
find_program(RSVG_CONVERT rsvg-convert)
if(NOT RSVG_CONVERT)
    message(FATAL_ERROR "rsvg-convert renders the application icon: install the Debian package "
                        "librsvg2-bin (scripts/setup does).")
endif()

set(R7K_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/icons/r7k-cps.svg)
set(R7K_ICON_SIZES 16 22 24 32 48 64 128 256)
# Holds NxN/r7k-cps.png for each size.
set(R7K_ICON_DIR ${PROJECT_BINARY_DIR}/icons)

# r7k_render_icon(out): renders the PNGs as outputs of the calling folder and
# puts their paths in `out`, for a target of that folder to use.
function(r7k_render_icon out)
    set(pngs)
    foreach(size IN LISTS R7K_ICON_SIZES)
        set(folder ${R7K_ICON_DIR}/${size}x${size})
        add_custom_command(OUTPUT ${folder}/r7k-cps.png
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${folder}/r7k-cps.png ${R7K_ICON_SVG}
            DEPENDS ${R7K_ICON_SVG}
            COMMENT "Rendering the ${size}x${size} application icon"
            VERBATIM)
        list(APPEND pngs ${folder}/r7k-cps.png)
    endforeach()
    set(${out} ${pngs} PARENT_SCOPE)
endfunction()
