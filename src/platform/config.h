#pragma once
// Settings from kestrivon.ini in the working directory ("Key=Value" lines, keys in any case).
// An environment variable KESTRIVON_<KEY> (upper case, spaces as underscores) wins over the file,
// and a test override wins over both.

#include <optional>
#include <string>
#include <string_view>

namespace kv {

inline constexpr std::string_view kConfigFileName = "kestrivon.ini";

std::optional<std::string> GetConfigValue(std::string_view key);
bool GetConfigFlag(std::string_view key);  // "1", "yes", "true" or "on"
std::string ConfigEnvironmentName(std::string_view key);

void SetConfigOverride(std::string_view key, std::string_view value);
void ClearConfigOverrides();

}  // namespace kv
