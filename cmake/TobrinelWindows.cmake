# The Windows build: cross-compiled with mingw-w64 against the Qt that
# tools/windows/build-qt.sh makes (`./run windows`).

# The generators that paint the pictures and make the sounds run on the build machine, so a
# Linux build of the same tree (`./run windows` makes one in build/) lends them.
set(TOBRINEL_HOST_BUILD "" CACHE PATH "A Linux build of this tree whose build-time tools the Windows build runs")
if(CMAKE_CROSSCOMPILING)
    foreach(tool IN ITEMS artgen:tools/artgen/artgen tobrinel_artpack:tools/artpack/tobrinel_artpack
                          tobrinel_soundgen:tools/soundgen/tobrinel_soundgen)
        string(REPLACE ":" ";" tool "${tool}")
        list(GET tool 0 name)
        list(GET tool 1 path)
        if(NOT EXISTS "${TOBRINEL_HOST_BUILD}/${path}")
            message(FATAL_ERROR "The Windows build runs ${name} from a Linux build of this tree: build it there "
                                "(cmake --build build --target ${name}) and give -DTOBRINEL_HOST_BUILD=<that build>")
        endif()
        add_executable(${name} IMPORTED GLOBAL)
        set_target_properties(${name} PROPERTIES IMPORTED_LOCATION "${TOBRINEL_HOST_BUILD}/${path}")
    endforeach()
endif()

# Qt's headers for Windows declare the wide-character API; the game names the W functions
# itself, and keeps the old narrow names out.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
