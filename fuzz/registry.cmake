# The userdef.reg reader and value writer, compiled into the fuzzer itself so that libFuzzer
# sees their branches.
korvane_add_fuzzer(fuzz_userdef_reg
  SOURCES registry/fuzz_userdef_reg.cpp
          ${PROJECT_SOURCE_DIR}/registry/WineRegFile.cpp
          ${PROJECT_SOURCE_DIR}/registry/WineRegSyntax.cpp
  LIBS korvane_options Qt6::Core)
# Seeds: fuzz/seeds/fuzz_userdef_reg (Wine's own userdef.reg with a game profile, behind the
# writer's choices). Tokens of the format for -dict: fuzz/seeds/fuzz_userdef_reg.dict.
