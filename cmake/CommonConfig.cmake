# Compiler settings that every target of the project shares, in one place.
add_library(korvane_options INTERFACE)
target_compile_features(korvane_options INTERFACE cxx_std_20)
target_include_directories(korvane_options INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(korvane_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wno-unused-parameter>)
target_compile_definitions(korvane_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS)
if(KORVANE_SANITIZE)
  target_compile_options(korvane_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(korvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(KORVANE_FUZZ)
  # Coverage feedback from the code under test, not only from the fuzz targets themselves.
  target_compile_options(korvane_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(korvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(MINGW)
  # A program linked twice from one commit is the same file: the PE header gets no link time.
  target_link_options(korvane_options INTERFACE LINKER:--no-insert-timestamp)
endif()
