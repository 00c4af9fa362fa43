add_library(kv_options INTERFACE)
target_compile_options(kv_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                       -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
                       -Wimplicit-fallthrough)
if(KV_WERROR)
  target_compile_options(kv_options INTERFACE -Werror)
endif()
