// The maker's web site: every page the program opens lies under this one address.
#pragma once

#include <string>

namespace site {

inline constexpr const char* kBase = "https://lisotra.org";

inline std::string Page(const char* path) { return std::string(kBase) + path; }

}  // namespace site
