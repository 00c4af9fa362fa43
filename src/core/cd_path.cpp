#include "core/cd_path.h"

#include "platform/config.h"

namespace kv {

std::string CdPath;
std::string CdDrive;

void ReadCdPath() {
    CdPath.clear();
    CdDrive.clear();
    if (auto value = GetConfigValue("CD Path")) {
        CdPath = *value;
        CdDrive = CdPath.substr(0, 2);
    }
}

std::string ResolveCdPath(std::string_view path) {
    if (path.size() < 2 || path[0] != 'C' || path[1] != 'D') return std::string(path);
    const std::string_view rest = path.substr(2);
    if (CdPath.empty()) return std::string(rest);
    // A folder given the Unix way ends in '/', which separates as well as a backslash.
    const char last = CdPath.back();
    if (last == '\\' || last == '/') return CdPath + std::string(rest);
    return CdPath + "\\" + std::string(rest);
}

}  // namespace kv
