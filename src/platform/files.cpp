#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/ascii.h"

namespace kv {

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The entry of dir whose name matches ignoring case, or the name unchanged.
std::string MatchInFolder(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) return name;
    std::string found = name;
    while (dirent* e = ::readdir(d)) {
        if (EqualsIgnoreAsciiCase(e->d_name, name)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

// The rename is in the folder's entries: flushed, it survives a crash. A folder that cannot be
// opened or flushed changes nothing of the written file.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::optional<std::uint64_t> g_writeBudget;

constexpr std::string_view kTempInfix = ".tmp";

std::string TempNameFor(const std::string& path) {
    return path + std::string(kTempInfix) + std::to_string(::getpid());
}

// The process id a temporary name of path ends in; 0 for any other name.
pid_t TempWriter(std::string_view name, std::string_view path) {
    if (name.size() <= path.size() + kTempInfix.size() || !name.starts_with(path) ||
        name.substr(path.size(), kTempInfix.size()) != kTempInfix)
        return 0;
    const std::string_view digits = name.substr(path.size() + kTempInfix.size());
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return static_cast<pid_t>(std::stol(std::string(digits)));
}

bool WriterGone(pid_t pid) {
    return pid == ::getpid() || (::kill(pid, 0) != 0 && errno == ESRCH);
}

}  // namespace

std::string ResolvePath(std::string_view gamePath) {
    std::string path(gamePath);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.empty() || Exists(path)) return path;

    std::string result;
    std::size_t pos = 0;
    if (path[0] == '/') {
        result = "/";
        pos = 1;
    }
    bool searching = true;  // once a folder is missing, nothing below it can be matched
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(pos, end - pos);
        if (!part.empty()) {
            std::string candidate = result + part;
            if (searching && !Exists(candidate)) {
                part = MatchInFolder(result, part);
                candidate = result + part;
                searching = Exists(candidate);
            }
            result = candidate;
            if (end < path.size()) result += '/';
        } else if (end < path.size() && !result.empty() && result.back() != '/') {
            result += '/';
        }
        pos = end + 1;
    }
    return result;
}

bool FileExists(std::string_view gamePath) {
    return Exists(ResolvePath(gamePath));
}

File::~File() {
    close();
}

File::File(File&& other) noexcept : f_(other.f_) {
    other.f_ = nullptr;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        f_ = other.f_;
        other.f_ = nullptr;
    }
    return *this;
}

bool File::open(std::string_view gamePath, Mode mode) {
    close();
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "wb" : "r+b";
    f_ = std::fopen(ResolvePath(gamePath).c_str(), how);
    return f_ != nullptr;
}

void File::close() {
    if (f_ != nullptr) std::fclose(f_);
    f_ = nullptr;
}

std::size_t File::read(std::span<std::uint8_t> out) {
    if (f_ == nullptr || out.empty()) return 0;
    return std::fread(out.data(), 1, out.size(), f_);
}

std::size_t File::write(std::span<const std::uint8_t> data) {
    if (f_ == nullptr || data.empty()) return 0;
    if (g_writeBudget) {
        const auto n =
            static_cast<std::size_t>(std::min<std::uint64_t>(data.size(), *g_writeBudget));
        *g_writeBudget -= n;
        return n == 0 ? 0 : std::fwrite(data.data(), 1, n, f_);
    }
    return std::fwrite(data.data(), 1, data.size(), f_);
}

void SetWriteCutOff(std::optional<std::uint64_t> bytes) {
    g_writeBudget = bytes;
}

bool File::seek(std::int64_t offset) {
    return f_ != nullptr && offset >= 0 && ::fseeko(f_, offset, SEEK_SET) == 0;
}

bool File::sync() {
    return f_ != nullptr && std::fflush(f_) == 0 && ::fsync(::fileno(f_)) == 0;
}

std::int64_t File::tell() const {
    return f_ != nullptr ? ::ftello(f_) : -1;
}

std::int64_t File::size() const {
    if (f_ == nullptr) return -1;
    struct stat st {};
    if (::fstat(::fileno(f_), &st) != 0) return -1;
    return st.st_size;
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(std::string_view gamePath) {
    File f;
    if (!f.open(gamePath, File::Mode::Read)) return std::nullopt;
    const std::int64_t size = f.size();
    if (size < 0) return std::nullopt;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    if (f.read(data) != data.size()) return std::nullopt;
    return data;
}

bool WriteFileAtomic(std::string_view gamePath, std::span<const std::uint8_t> data) {
    const std::string path = ResolvePath(gamePath);
    const std::string temp = TempNameFor(path);
    {
        File f;
        if (!f.open(temp, File::Mode::Write)) return false;
        const bool written = f.write(data) == data.size() && f.sync();
        f.close();
        if (!written) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    // Read it back: a full disk can accept a write and still lose the data at close.
    const auto back = ReadFileBytes(temp);
    if (!back || back->size() != data.size() ||
        (!data.empty() && std::memcmp(back->data(), data.data(), data.size()) != 0)) {
        ::unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

void RemoveStaleTemporaries(std::string_view gamePath) {
    const std::string path = ResolvePath(gamePath);
    if (path.empty() || path.back() == '/') return;
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* d = ::opendir(folder.c_str());
    if (d == nullptr) return;
    std::vector<std::string> stale;
    while (dirent* e = ::readdir(d)) {
        const pid_t pid = TempWriter(e->d_name, name);
        if (pid > 0 && WriterGone(pid)) stale.emplace_back(e->d_name);
    }
    ::closedir(d);
    for (const std::string& s : stale)
        ::unlink((slash == std::string::npos ? s : folder + s).c_str());
}

}  // namespace kv
