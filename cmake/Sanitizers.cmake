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
