#pragma once
// Where the generator writes: game paths (backslashes) below one output folder. The tree is its
// own CD directory, so a path beginning with "CD" lands without that prefix, where the game looks
// for it with no CD Path set ("CDmissions\mi01.lev" is missions/mi01.lev).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv::sampledata {

class OutputTree {
  public:
    explicit OutputTree(std::string root) : root_(std::move(root)) {}
    const std::string& root() const { return root_; }
    // The host path of a game path, with its folders created.
    std::string prepare(std::string_view gamePath) const;
    // False (and a message on stderr) when the file cannot be written.
    bool write(std::string_view gamePath, std::span<const std::uint8_t> data) const;
    bool writeText(std::string_view gamePath, std::string_view text) const;

  private:
    std::string root_;
};

}  // namespace kv::sampledata
