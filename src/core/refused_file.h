#pragma once
// A data file that exists but that the game will not read. The player learns only which file it
// is; whoever made the file learns on stderr where it went wrong and how.

#include <string_view>

#include "platform/bytes.h"

namespace kv {

// Writes "<path>: refused at offset <n> (0x<hex>): <what>" to stderr.
void ReportRefusedFile(std::string_view path, const ReadFault& why);

// The report above, then FatalError("<path>: fileversion corrupt!").
void FileVersionCorrupt(std::string_view path, const ReadFault& why);

}  // namespace kv
