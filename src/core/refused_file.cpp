#include "core/refused_file.h"

#include <cstdio>
#include <string>

#include "core/fatal_error.h"

namespace kv {

void ReportRefusedFile(std::string_view path, const ReadFault& why) {
    std::fprintf(stderr, "%.*s: refused at offset %zu (0x%zx): %s\n", static_cast<int>(path.size()),
                 path.data(), why.offset, why.offset, why.what.c_str());
}

void FileVersionCorrupt(std::string_view path, const ReadFault& why) {
    ReportRefusedFile(path, why);
    FatalError(std::string(path) + ": fileversion corrupt!");
}

}  // namespace kv
