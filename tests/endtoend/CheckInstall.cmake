# Installs the build into a scratch prefix and checks that the program, its
# desktop entry and its icon land where desktops look for them.
#   BUILD_DIR, PREFIX, BINDIR, DATADIR, PROGRAM (the program's file name),
#   DESKTOP (ON where a desktop entry and icon are installed)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}${errors}")
endif()

function(expect_file relative)
    if(NOT EXISTS "${PREFIX}/${relative}" OR IS_DIRECTORY "${PREFIX}/${relative}")
        message(FATAL_ERROR "not installed: ${relative}\n${output}")
    endif()
endfunction()

expect_file("${BINDIR}/${PROGRAM}")
file(SIZE "${PREFIX}/${BINDIR}/${PROGRAM}" programSize)
if(programSize EQUAL 0)
    message(FATAL_ERROR "${BINDIR}/${PROGRAM} is empty")
endif()

if(DESKTOP)
    set(entry "${DATADIR}/applications/quorin.desktop")
    set(icon "${DATADIR}/icons/hicolor/64x64/apps/quorin.png")
    expect_file("${entry}")
    expect_file("${icon}")
    # The entry starts the installed program by name and names the icon.
    file(STRINGS "${PREFIX}/${entry}" lines)
    foreach(expected "[Desktop Entry]" "Type=Application" "Name=Quorin" "Exec=quorin %f"
            "Icon=quorin")
        list(FIND lines "${expected}" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "${entry} has no line \"${expected}\"")
        endif()
    endforeach()
    # A PNG whose header says 64 by 64 pixels, as its directory promises.
    file(READ "${PREFIX}/${icon}" header LIMIT 24 HEX)
    if(NOT header STREQUAL "89504e470d0a1a0a0000000d494844520000004000000040")
        message(FATAL_ERROR "${icon} is not a 64 by 64 PNG (header ${header})")
    endif()
endif()

file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "installed ${BINDIR}/${PROGRAM}, its desktop entry and its icon")
