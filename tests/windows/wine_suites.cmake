# Included by CMakeLists.txt in the Windows build.
# The Windows build's tests, run under Wine: the core's suites (board, solver, review, the
# top ten, the store and its faults, the two-copies race, the cue player, the history), the Windows
# parts (the store's system calls, the registry, the system-information lookup, the wave
# output), and, heard for real, the cues through Wine's PulseAudio driver.
#
# One Wine prefix in the build tree serves them all: a fixture boots it once with its
# output away from CTest's pipes and removes it at the end.
set(tests ${PROJECT_SOURCE_DIR}/tests)
add_subdirectory(${tests}/support support)

add_library(tobrinel_shortestpath STATIC ${tests}/game/shortestpath.h ${tests}/game/shortestpath.cpp)
target_include_directories(tobrinel_shortestpath PUBLIC ${tests}/game)
target_link_libraries(tobrinel_shortestpath PUBLIC tobrinel_core)

# Where the program finds the DLLs it needs: Qt's, and the compiler's run-time libraries.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin "${qt_core_dll}" DIRECTORY)
set(dll_folders "${qt_bin}")
foreach(dll IN ITEMS libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(folder "${path}" DIRECTORY)
    list(APPEND dll_folders "${folder}")
endforeach()
list(TRANSFORM dll_folders PREPEND "Z:")
list(JOIN dll_folders "\\;" wine_path)

set(wine_driver bash ${CMAKE_CURRENT_SOURCE_DIR}/wine.sh)
set(wine_env
    "WINEPREFIX=${CMAKE_CURRENT_BINARY_DIR}/wineprefix"
    "WINEPATH=${wine_path}"
    "WINEDEBUG=-all"
    "WINEDLLOVERRIDES=mscoree,mshtml="
    "DISPLAY="
    "WAYLAND_DISPLAY="
    "LC_ALL=C.UTF-8"
    "XDG_DATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/wine-xdg/data"
    "XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/wine-xdg/config"
    "XDG_CACHE_HOME=${CMAKE_CURRENT_BINARY_DIR}/wine-xdg/cache"
    "QT_LOGGING_RULES=qt.*.debug=false"
)

add_test(NAME wine_prefix_setup COMMAND ${wine_driver} setup)
add_test(NAME wine_prefix_cleanup COMMAND ${wine_driver} cleanup)
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP WinePrefix TIMEOUT 120)
set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP WinePrefix TIMEOUT 60)
set_tests_properties(wine_prefix_setup wine_prefix_cleanup PROPERTIES
    ENVIRONMENT "${wine_env}" SKIP_RETURN_CODE 77)

# tobrinel_wine_test(<name> SOURCES <files...> LIBS <libraries...> [TIMEOUT <seconds>])
function(tobrinel_wine_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${wine_driver} qtest $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "${wine_env}" TIMEOUT ${ARG_TIMEOUT} SKIP_RETURN_CODE 77
        FIXTURES_REQUIRED WinePrefix LABELS windows)
endfunction()

# The core's suites, the very files the Linux build runs.
foreach(suite IN ITEMS board solver review gameclock assists gamecontroller)
    tobrinel_wine_test(tst_${suite} SOURCES ${tests}/game/tst_${suite}.cpp LIBS tobrinel_shortestpath tobrinel_fakes)
endforeach()
foreach(suite IN ITEMS storedscore nickname toptenlist qsettingsstore faults waiting)
    tobrinel_wine_test(tst_${suite} SOURCES ${tests}/topten/tst_${suite}.cpp LIBS tobrinel_core tobrinel_fakes)
endforeach()
foreach(suite IN ITEMS soundplayer wavreader soundresources)
    tobrinel_wine_test(tst_${suite} SOURCES ${tests}/audio/tst_${suite}.cpp LIBS tobrinel_core tobrinel_fakes)
endforeach()
tobrinel_wine_test(tst_sysinfo SOURCES ${tests}/platform/tst_sysinfo.cpp LIBS tobrinel_core tobrinel_fakes)

# The history of games, its figures, and its file shared by two copies.
add_library(tobrinel_historyfixture STATIC ${tests}/history/fixturegames.h ${tests}/history/fixturegames.cpp)
target_include_directories(tobrinel_historyfixture PUBLIC ${tests}/history)
target_link_libraries(tobrinel_historyfixture PUBLIC tobrinel_shortestpath)
foreach(suite IN ITEMS gamerecord historystats gamerecorder pastgames)
    tobrinel_wine_test(tst_${suite} SOURCES ${tests}/history/tst_${suite}.cpp LIBS tobrinel_historyfixture tobrinel_fakes)
endforeach()
add_executable(historywriter ${tests}/history/historywriter.cpp)
target_link_libraries(historywriter PRIVATE tobrinel_historyfixture)
tobrinel_wine_test(tst_historyfile SOURCES ${tests}/history/tst_historyfile.cpp LIBS tobrinel_historyfixture)
target_compile_definitions(tst_historyfile PRIVATE HISTORYWRITER="$<TARGET_FILE:historywriter>")
add_dependencies(tst_historyfile historywriter)

# Two real processes save at once.
add_executable(racesaver ${tests}/topten/racesaver.cpp)
target_link_libraries(racesaver PRIVATE tobrinel_core)
tobrinel_wine_test(tst_race SOURCES ${tests}/topten/tst_race.cpp LIBS tobrinel_core tobrinel_fakes TIMEOUT 300)
target_compile_definitions(tst_race PRIVATE RACESAVER="$<TARGET_FILE:racesaver>")
add_dependencies(tst_race racesaver)

# The Windows parts against the real system calls.
tobrinel_wine_test(tst_storeplatform_win SOURCES tst_storeplatform_win.cpp LIBS tobrinel_core)
add_executable(sysinfo_stub sysinfo_stub.cpp)
tobrinel_wine_test(tst_sysinfo_win SOURCES tst_sysinfo_win.cpp LIBS tobrinel_core tobrinel_fakes)
target_compile_definitions(tst_sysinfo_win PRIVATE SYSINFO_STUB="$<TARGET_FILE:sysinfo_stub>")
add_dependencies(tst_sysinfo_win sysinfo_stub)

# Heard for real: the Linux build's recorded-audio check, with the cues played by the
# Windows program under Wine, whose PulseAudio driver reaches the check's private server.
add_executable(cueplay ${tests}/audio/cueplay.cpp)
target_link_libraries(cueplay PRIVATE tobrinel_sound)
file(GENERATE OUTPUT "${CMAKE_CURRENT_BINARY_DIR}/cueplay-wine"
    CONTENT "#!/bin/sh\nexec wine \"$<TARGET_FILE:cueplay>\" \"$@\"\n"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
get_property(sound_dir GLOBAL PROPERTY TOBRINEL_SOUND_DIR)
add_test(NAME heard_cues_win
    COMMAND bash "${tests}/audio/heard_cues.sh" "${CMAKE_CURRENT_BINARY_DIR}/cueplay-wine" "${sound_dir}" 0.1)
set_tests_properties(heard_cues_win PROPERTIES
    ENVIRONMENT "${wine_env}" TIMEOUT 240 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED WinePrefix
    LABELS "windows;slow"
    # Timing is part of what it measures (on a machine loaded by other work its cues once
    # came out stretched): keep other tests off the two cores meanwhile.
    RUN_SERIAL TRUE)

# The installed game: the installer (the windows_package target) run silently into a Wine
# prefix of its own, a keyboard game on a private X desktop, heard, started again, and
# uninstalled; at the design's size, at one and a half times and at twice it. The keys of
# the game come from the Linux build's solution tool.
set(installer "${PROJECT_BINARY_DIR}/package/Tobrinel-${PROJECT_VERSION}-setup.exe")
foreach(scale 1 1.5 2)
    add_test(NAME installed_game_${scale}x
        COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/installed_game.sh "${installer}"
                "${TOBRINEL_HOST_BUILD}/tests/desktop/tobrinel_solution" "${CMAKE_CURRENT_BINARY_DIR}/screenshots" ${scale})
    set_tests_properties(installed_game_${scale}x PROPERTIES
        TIMEOUT 300 SKIP_RETURN_CODE 77 LABELS "windows;slow"
        ENVIRONMENT "LC_ALL=C.UTF-8")
endforeach()
