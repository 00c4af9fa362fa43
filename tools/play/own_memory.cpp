#include "own_memory.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "core/game_mode.h"

namespace kv::play {

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// "Key:   1234 kB": the number when the line has the key.
bool Field(const char* line, const char* key, std::uint64_t& kib) {
    const std::size_t n = std::strlen(key);
    if (std::strncmp(line, key, n) != 0) return false;
    return std::sscanf(line + n, " %" SCNu64, &kib) == 1;
}

double MiB(std::uint64_t kib) {
    return static_cast<double>(kib) / 1024.0;
}

}  // namespace

std::optional<OwnMemory> ReadOwnMemory() {
    std::FILE* f = std::fopen("/proc/self/smaps", "r");
    if (f == nullptr) return std::nullopt;
    OwnMemory m;
    bool inHeap = false;
    char line[512];
    while (std::fgets(line, sizeof line, f) != nullptr) {
        std::uint64_t kib = 0;
        // A mapping's first line starts with its address range; its fields follow it, one a line,
        // each starting with a capital.
        if (line[0] < 'A' || line[0] > 'Z') {
            inHeap = std::strstr(line, "[heap]") != nullptr;
        } else if (Field(line, "Anonymous:", kib)) {
            m.anonymousKiB += kib;
            if (inHeap) m.heapKiB += kib;
        }
    }
    std::fclose(f);
    return m;
}

void OwnMemoryPeak::sample() {
    const std::optional<OwnMemory> now = ReadOwnMemory();
    if (!now) return;
    if (!read_ || now->anonymousKiB > peak_.anonymousKiB) {
        peak_ = *now;
        mode_ = GameMode;
    }
    read_ = true;
}

std::string OwnMemoryPeak::report() const {
    if (!read_) return "own memory: /proc/self/smaps cannot be read";
    char text[200];
    std::snprintf(text, sizeof text,
                  "own memory: %.1f MiB anonymous (heap %.1f MiB), the most in game mode %u%s",
                  MiB(peak_.anonymousKiB), MiB(peak_.heapKiB), mode_,
                  kSanitized ? " (with the address sanitizer's shadow memory and quarantine)" : "");
    return text;
}

}  // namespace kv::play
