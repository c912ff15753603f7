# Runs a generator of a committed example file into a scratch directory and
# fails unless it writes the committed file byte for byte.
#   GENERATOR   the generator program
#   INPUTS      arguments in front of the output file name (may be empty)
#   COMMITTED   the committed file
#   WORK_DIR    scratch directory, emptied first
#   TARGET      the build target that rewrites the committed file
get_filename_component(name "${COMMITTED}" NAME)
set(generated "${WORK_DIR}/${name}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(COMMAND "${GENERATOR}" ${INPUTS} "${generated}"
    RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${GENERATOR} failed (${status}): ${errors}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${generated}" "${COMMITTED}"
    RESULT_VARIABLE different)
if(different)
    file(SIZE "${generated}" generatedSize)
    file(SIZE "${COMMITTED}" committedSize)
    message(FATAL_ERROR "${COMMITTED} (${committedSize} bytes) is not what its generator "
        "writes now (${generated}, ${generatedSize} bytes). If the change is meant, rewrite it "
        "with: cmake --build <build directory> --target ${TARGET}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "${name}: the generator writes the committed file")
