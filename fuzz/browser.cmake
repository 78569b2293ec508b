# The reply parser is compiled into the fuzzer itself so that libFuzzer sees its branches; the
# join command line comes from the launcher's command-line builder.
korvane_add_fuzzer(fuzz_reply_parser
  SOURCES browser/fuzz_reply_parser.cpp
          ${PROJECT_SOURCE_DIR}/browser/ReplyParser.cpp
          ${PROJECT_SOURCE_DIR}/browser/ServerRow.cpp
          ${PROJECT_SOURCE_DIR}/browser/PlayerCount.cpp
          ${PROJECT_SOURCE_DIR}/browser/ServerSortModel.cpp
          ${PROJECT_SOURCE_DIR}/browser/ServerTableModel.cpp
          ${PROJECT_SOURCE_DIR}/common/Windows1252.cpp
          ${PROJECT_SOURCE_DIR}/common/IpAddress.cpp
          ${PROJECT_SOURCE_DIR}/browser/JoinCommand.cpp
          ${PROJECT_SOURCE_DIR}/launch/CommandLines.cpp
          ${PROJECT_SOURCE_DIR}/launch/WindowsArguments.cpp
  LIBS korvane_options Qt6::Core)

# The join-link parser, with the join command line its addresses end on.
korvane_add_fuzzer(fuzz_join_link
  SOURCES browser/fuzz_join_link.cpp
          ${PROJECT_SOURCE_DIR}/browser/JoinLink.cpp
          ${PROJECT_SOURCE_DIR}/browser/JoinCommand.cpp
          ${PROJECT_SOURCE_DIR}/common/IpAddress.cpp
          ${PROJECT_SOURCE_DIR}/launch/CommandLines.cpp
          ${PROJECT_SOURCE_DIR}/launch/WindowsArguments.cpp
  LIBS korvane_options Qt6::Core)
