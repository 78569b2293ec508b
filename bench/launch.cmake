korvane_add_benchmark(bench_filelists SOURCES launch/bench_filelists.cpp LIBS korvane_gui Qt6::Test QT_MAIN)
target_include_directories(bench_filelists PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
