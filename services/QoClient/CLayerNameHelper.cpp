#include "services/QoClient/CLayerNameHelper.h"

#include <algorithm>
#include <filesystem>

#include "services/project/CTeskProject.h"

namespace fs = std::filesystem;

namespace {

std::string forwardSlashes(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// An absolute path inside the current project, relative to it; anything
// else unchanged. A path is never a reason to open a project.
fs::path relativeToProject(const fs::path& p) {
    if (!p.is_absolute() || !CTeskProject::HasCurrent()) return p;
    const fs::path rel = p.lexically_relative(CTeskProject::Current().GetPath());
    if (rel.empty() || *rel.begin() == "..") return p;
    return rel;
}

} // namespace

CString CLayerNameHelper::GetDisplayName(const char* lpszLayerPath) {
    if (!lpszLayerPath || !*lpszLayerPath) return {};
    fs::path p = relativeToProject(fs::path(forwardSlashes(lpszLayerPath)).lexically_normal());
    std::string name = p.is_absolute() ? p.generic_string() : p.lexically_relative(kLayerFolder).generic_string();
    if (name.empty()) name = p.generic_string();  // lexically_relative found no way (a root name, say)
    if (endsWith(name, kLayerExtension)) name.resize(name.size() - std::char_traits<char>::length(kLayerExtension));
    return name;
}

CString CLayerNameHelper::RelativePathFromDisplayName(const char* lpszDisplayName) {
    if (!lpszDisplayName || !*lpszDisplayName) return {};
    const fs::path name(forwardSlashes(lpszDisplayName) + kLayerExtension);
    const fs::path p = name.is_absolute() ? name : fs::path(kLayerFolder) / name;
    return p.lexically_normal().generic_string();
}
