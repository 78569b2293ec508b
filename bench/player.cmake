# Plays a whole song in real time and reports the process CPU per second of audio, to hold
# against `openmpt123 --render` of the same file.
add_executable(player_playfile player/player_playfile.cpp)
target_link_libraries(player_playfile PRIVATE korvane_options modplug)
target_include_directories(player_playfile PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
