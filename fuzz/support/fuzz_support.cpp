#include "support/fuzz_support.h"

#include "core/fatal_error.h"
#include "platform/backend.h"
#include "platform/headless/headless_backend.h"

namespace kv::fuzz {

void BeginInput() {
    static HeadlessBackend backend;
    SetBackend(&backend);
    ResetFatalError();
}

}  // namespace kv::fuzz
