korvane_add_benchmark(bench_form1 SOURCES app/bench_form1.cpp LIBS korvane_gui korvane_network Qt6::Test QT_MAIN)
target_include_directories(bench_form1 PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

# The bare window that start-up, memory and idle CPU are measured against.
add_executable(bare_window app/bare_window.cpp)
target_link_libraries(bare_window PRIVATE korvane_options Qt6::Widgets)

# The file lists refreshed through the main window.
korvane_add_benchmark(bench_filelists SOURCES app/bench_filelists.cpp LIBS korvane_gui korvane_network Qt6::Test QT_MAIN)
target_include_directories(bench_filelists PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

# The module player: the page's 10 ms tick, rendering cost against bare libopenmpt, and the
# launcher idling on the Mod Player page.
korvane_add_benchmark(bench_player SOURCES app/bench_player.cpp LIBS korvane_gui korvane_network modplug Qt6::Test QT_MAIN)
target_include_directories(bench_player PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(bench_player PRIVATE PkgConfig::OPENMPT)
