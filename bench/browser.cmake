korvane_add_benchmark(bench_browser SOURCES browser/bench_browser.cpp LIBS korvane_gui)
target_include_directories(bench_browser PRIVATE
  ${PROJECT_SOURCE_DIR}/tests/support ${PROJECT_SOURCE_DIR}/tests/browser)
