# The module player: the page's 10 ms tick, rendering cost against bare libopenmpt, and the
# launcher idling on the Mod Player page.
korvane_add_benchmark(bench_player SOURCES player/bench_player.cpp LIBS korvane_gui modplug Qt6::Test QT_MAIN)
target_include_directories(bench_player PRIVATE ${PROJECT_SOURCE_DIR}/tests/support
                                                ${PROJECT_SOURCE_DIR}/tests/player)
target_link_libraries(bench_player PRIVATE PkgConfig::OPENMPT)

# Plays a whole song in real time and reports the process CPU per second of audio, to hold
# against `openmpt123 --render` of the same file.
add_executable(player_playfile player/player_playfile.cpp)
target_link_libraries(player_playfile PRIVATE korvane_options modplug)
target_include_directories(player_playfile PRIVATE ${PROJECT_SOURCE_DIR}/tests/player)
