# Fails when a file includes a header across a boundary the architecture forbids:
#   toolkit/ never includes errors/ (the toolkit owns the exception family; errors/ sits above it);
#   core folders never include a Qt Widgets or Gui header (vantrel_core links Qt Core only).
# Run as: cmake -DSOURCE_DIR=<repo> -P CheckIncludes.cmake
set(failures "")

file(GLOB_RECURSE toolkit_files "${SOURCE_DIR}/toolkit/*.h" "${SOURCE_DIR}/toolkit/*.cpp")
foreach(f IN LISTS toolkit_files)
    file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]errors/")
    if(hits)
        list(APPEND failures "${f}: ${hits}")
    endif()
endforeach()

# The core's sources, read from the folders that only the core builds from.
set(core_dirs catalogue search util scan)
foreach(d IN LISTS core_dirs)
    file(GLOB_RECURSE files "${SOURCE_DIR}/${d}/*.h" "${SOURCE_DIR}/${d}/*.cpp")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" hits REGEX "^[ \t]*#[ \t]*include[ \t]*<Q(Widget|Application|MainWindow|Dialog|Label|LineEdit|Painter|Gui|Widgets|Pixmap|Image|Font|Color)")
        if(hits)
            list(APPEND failures "${f}: ${hits}")
        endif()
    endforeach()
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "Forbidden includes:\n${text}")
endif()
message(STATUS "Include boundaries hold")
