#include "support/fuzz_support.h"

#include "platform/backend.h"
#include "platform/headless/headless_backend.h"
#include "shell/fatal_error.h"

namespace kv::fuzz {

void BeginInput() {
    static HeadlessBackend backend;
    SetBackend(&backend);
    ResetFatalError();
}

}  // namespace kv::fuzz
