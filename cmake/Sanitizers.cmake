if(KV_SANITIZE OR KV_FUZZ)
  # Applies to everything built here, so that the engine, tests and fuzzers agree on the runtime.
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(KV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
