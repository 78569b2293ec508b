# Reply parsing and filling the Join Game page's server table.
korvane_add_benchmark(bench_browser SOURCES pages/bench_browser.cpp LIBS korvane_gui korvane_network)
target_include_directories(bench_browser PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
