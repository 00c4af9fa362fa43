#pragma once
// The CD directory: where paths that begin with "CD" are found.

#include <string>
#include <string_view>

namespace kv {

extern std::string CdPath;   // empty when not configured
extern std::string CdDrive;  // its first two characters

// From the setting "CD Path" (kestrivon.ini, or KESTRIVON_CD_PATH).
void ReadCdPath();

// A path beginning with exactly "CD" has that prefix replaced by CdPath and a separator (none
// when CdPath already ends in one); with an empty CdPath the rest is taken relative to the working
// directory. Any other path is returned unchanged.
std::string ResolveCdPath(std::string_view path);

}  // namespace kv
