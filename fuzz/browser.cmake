# The reply parser is compiled into the fuzzer itself so that libFuzzer sees its branches.
korvane_add_fuzzer(fuzz_reply_parser
  SOURCES browser/fuzz_reply_parser.cpp
          ${PROJECT_SOURCE_DIR}/browser/ReplyParser.cpp
          ${PROJECT_SOURCE_DIR}/browser/Windows1252.cpp
          ${PROJECT_SOURCE_DIR}/browser/JoinCommand.cpp
  LIBS korvane_options Qt6::Core)
