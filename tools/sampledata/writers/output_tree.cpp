#include "writers/output_tree.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kv::sampledata {

std::string OutputTree::prepare(std::string_view gamePath) const {
    if (gamePath.size() >= 2 && gamePath[0] == 'C' && gamePath[1] == 'D') gamePath.remove_prefix(2);
    std::string rel(gamePath);
    for (char& c : rel)
        if (c == '\\') c = '/';
    const std::filesystem::path path = std::filesystem::path(root_) / rel;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    return path.string();
}

bool OutputTree::write(std::string_view gamePath, std::span<const std::uint8_t> data) const {
    const std::string path = prepare(gamePath);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out)
        out.write(reinterpret_cast<const char*>(data.data()),
                  static_cast<std::streamsize>(data.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool OutputTree::writeText(std::string_view gamePath, std::string_view text) const {
    return write(gamePath,
                 std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace kv::sampledata
