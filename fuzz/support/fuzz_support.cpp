#include "support/fuzz_support.h"

#include "core/fatal_error.h"
#include "platform/backend.h"

namespace kv::fuzz {

namespace {

HeadlessBackend& SharedBackend() {
    static HeadlessBackend backend;
    return backend;
}

void Clean() {
    SharedBackend().clearRecord();
    ResetFatalError();
}

}  // namespace

Input::Input() {
    SetBackend(&SharedBackend());
    Clean();
}

Input::~Input() {
    Clean();
}

HeadlessBackend& Input::backend() {
    return SharedBackend();
}

}  // namespace kv::fuzz
