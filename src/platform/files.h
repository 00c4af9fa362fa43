#pragma once
// Files under the game's own path names: backslashes as separators and any letter case, as the
// data files were named on a case-blind file system.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The host path for a game path. Each folder and the file name are looked up without regard to
// case where the name as written does not exist; what cannot be found is kept as written.
std::string ResolvePath(std::string_view gamePath);

bool FileExists(std::string_view gamePath);

class File {
  public:
    enum class Mode { Read, Write, Update };
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Write creates or empties the file; Update opens an existing one for reading and writing.
    bool open(std::string_view gamePath, Mode mode);
    void close();
    bool isOpen() const { return f_ != nullptr; }

    // Both return the number of bytes transferred.
    std::size_t read(std::span<std::uint8_t> out);
    std::size_t write(std::span<const std::uint8_t> data);
    bool seek(std::int64_t offset);
    // Flushes what was written down to the disk.
    bool sync();
    std::int64_t tell() const;
    std::int64_t size() const;

  private:
    std::FILE* f_ = nullptr;
};

std::optional<std::vector<std::uint8_t>> ReadFileBytes(std::string_view gamePath);

// Every write from now on stops once this many more bytes have gone out, as a process killed in
// the middle of a save or a full disk would stop it; nullopt (the start) writes whole. For the
// checks that a cut write leaves the old file readable.
void SetWriteCutOff(std::optional<std::uint64_t> bytes);

// Writes to a temporary name in the same folder, flushed to the disk, reads it back, and renames
// it over the old file; then the folder is flushed, so that a crash leaves the old file or the
// new one, never an empty one. On any failure the old file stays as it was and the result is
// false.
bool WriteFileAtomic(std::string_view gamePath, std::span<const std::uint8_t> data);
// Removes what writes of this file that never finished left beside it: its temporary names
// whose writing process has ended (or is this one, which is not writing it now).
void RemoveStaleTemporaries(std::string_view gamePath);

}  // namespace kv
