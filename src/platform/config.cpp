#include "platform/config.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>

#include "platform/ascii.h"

namespace kv {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::map<std::string, std::string>& Overrides() {
    static std::map<std::string, std::string> overrides;
    return overrides;
}

std::optional<std::string> FromFile(std::string_view key) {
    std::ifstream in{std::string(kConfigFileName)};
    if (!in) return std::nullopt;
    const std::string wanted = AsciiLower(key);
    std::string line;
    std::optional<std::string> value;
    while (std::getline(in, line)) {
        std::string_view l = Trim(line);
        if (l.empty() || l.front() == ';' || l.front() == '#' || l.front() == '[') continue;
        const auto eq = l.find('=');
        if (eq == std::string_view::npos) continue;
        if (AsciiLower(Trim(l.substr(0, eq))) == wanted)
            value = std::string(Trim(l.substr(eq + 1)));
    }
    return value;
}

}  // namespace

std::string ConfigEnvironmentName(std::string_view key) {
    std::string name = "KESTRIVON_";
    for (char c : key) name += c == ' ' ? '_' : AsciiUpper(c);
    return name;
}

std::optional<std::string> GetConfigValue(std::string_view key) {
    if (auto it = Overrides().find(AsciiLower(key)); it != Overrides().end()) return it->second;
    if (const char* env = std::getenv(ConfigEnvironmentName(key).c_str())) return std::string(env);
    return FromFile(key);
}

bool GetConfigFlag(std::string_view key) {
    const auto v = GetConfigValue(key);
    if (!v) return false;
    const std::string l = AsciiLower(*v);
    return l == "1" || l == "yes" || l == "true" || l == "on";
}

void SetConfigOverride(std::string_view key, std::string_view value) {
    Overrides()[AsciiLower(key)] = std::string(value);
}

void ClearConfigOverrides() {
    Overrides().clear();
}

}  // namespace kv
