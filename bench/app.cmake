korvane_add_benchmark(bench_form1 SOURCES app/bench_form1.cpp LIBS korvane_gui Qt6::Test QT_MAIN)
target_include_directories(bench_form1 PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

# The bare window that start-up, memory and idle CPU are measured against.
add_executable(bare_window app/bare_window.cpp)
target_link_libraries(bare_window PRIVATE korvane_options Qt6::Widgets)
