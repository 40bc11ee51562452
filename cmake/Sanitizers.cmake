# Build type "Check", for the sanitizer run of the whole suite: -O1 with
# line tables only. Reports still name file and line, inlined calls
# included; no NDEBUG, as in Debug.
set(CMAKE_C_FLAGS_CHECK "-O1 -g1")
set(CMAKE_CXX_FLAGS_CHECK "-O1 -g1")

if(ZARVELO_FUZZ)
  # libFuzzer builds (clang only): coverage for the fuzzer everywhere, the
  # fuzzer's own main only in the fuzz targets.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(ZARVELO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
elseif(ZARVELO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(NOT ZARVELO_SANITIZE STREQUAL "")
  message(FATAL_ERROR "ZARVELO_SANITIZE must be empty, address or thread")
endif()
