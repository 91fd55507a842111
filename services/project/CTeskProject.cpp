#include "services/project/CTeskProject.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>

#include "services/project/AoiViews.h"
#include "services/project/Schema.h"

namespace fs = std::filesystem;
using tesk::project::Descriptor;

namespace {

std::mutex g_mutex;
std::unique_ptr<CTeskProject> g_current;

fs::path normalised(const fs::path& dir) {
    fs::path p = fs::absolute(dir).lexically_normal();
    if (!p.has_filename() && p.has_parent_path() && p != p.root_path()) p = p.parent_path();
    return p;
}

void writeFile(const fs::path& file, const std::string& text) {
    const fs::path temp = file.string() + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) throw std::runtime_error("Cannot write " + temp.string());
    }
    fs::rename(temp, file);
}

bool sameAreas(const Descriptor& a, const Descriptor& b) {
    if (a.databaseCrs != b.databaseCrs || a.areas.size() != b.areas.size()) return false;
    for (size_t i = 0; i < a.areas.size(); ++i) {
        const auto& x = a.areas[i];
        const auto& y = b.areas[i];
        if (x.name != y.name || x.viewSuffix != y.viewSuffix || x.crs != y.crs || x.north != y.north ||
            x.south != y.south || x.east != y.east || x.west != y.west)
            return false;
    }
    return true;
}

} // namespace

CTeskProject::CTeskProject(fs::path path, Descriptor descriptor)
    : m_path(std::move(path)), m_descriptor(std::move(descriptor)) {}

CTeskProject::~CTeskProject() = default;

std::string CTeskProject::ConnectString(const fs::path& dir, const Descriptor& d) {
    if (d.IsOdbc()) return d.odbcConnect;
    return "sqlite:" + (dir / d.sqliteFile).string();
}

Descriptor CTeskProject::ReadDescriptor(const fs::path& dir) {
    const fs::path file = dir / kDescriptorFile;
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("Not a project: " + dir.string() + " has no " + kDescriptorFile);
    std::ostringstream text;
    text << in.rdbuf();
    return Descriptor::Parse(text.str(), file.string());
}

std::unique_ptr<CTeskProject> CTeskProject::Load(const fs::path& dir) {
    const fs::path path = normalised(dir);
    if (!fs::is_directory(path)) throw std::runtime_error("Project directory does not exist: " + path.string());
    Descriptor d = ReadDescriptor(path);
    if (!d.IsOdbc() && !fs::exists(path / d.sqliteFile))
        throw std::runtime_error("Project database is missing: " + (path / d.sqliteFile).string());
    std::unique_ptr<CTeskProject> project(new CTeskProject(path, std::move(d)));
    project->m_db.OpenEx(ConnectString(path, project->m_descriptor));
    return project;
}

CTeskProject& CTeskProject::Open(const fs::path& dir) {
    std::unique_ptr<CTeskProject> project = Load(dir);
    std::lock_guard lock(g_mutex);
    g_current = std::move(project);
    return *g_current;
}

CTeskProject& CTeskProject::Create(const fs::path& dir, const Descriptor& descriptor) {
    const fs::path path = normalised(dir);
    if (fs::exists(path / kDescriptorFile))
        throw std::runtime_error("A project already exists in " + path.string());
    fs::create_directories(path);
    if (!descriptor.IsOdbc())  // a database left without its descriptor is not a project
        for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path / (descriptor.sqliteFile + suffix));

    std::unique_ptr<CTeskProject> project(new CTeskProject(path, descriptor));
    project->m_db.OpenEx(ConnectString(path, descriptor));
    if (!descriptor.IsOdbc()) {
        // A second connection must be able to write while a query is open.
        project->m_db.ExecuteSQL("PRAGMA journal_mode = WAL");
    }
    tesk::project::CreateSchema(project->m_db);
    tesk::project::RebuildAoiViews(project->m_db, descriptor);
    writeFile(path / kDescriptorFile, descriptor.ToJson());

    std::lock_guard lock(g_mutex);
    g_current = std::move(project);
    return *g_current;
}

CTeskProject& CTeskProject::Current() {
    const char* env = std::getenv(kEnvironmentVariable);
    {
        std::lock_guard lock(g_mutex);
        // A project taken from the environment follows the variable while it is set.
        if (g_current && (!g_current->m_fromEnvironment || !env || !*env || normalised(env) == g_current->m_path))
            return *g_current;
    }
    if (!env || !*env)
        throw std::runtime_error(std::string("No project is open: open one, or set ") + kEnvironmentVariable +
                                 " to a project directory");
    std::unique_ptr<CTeskProject> project = Load(env);
    project->m_fromEnvironment = true;
    std::lock_guard lock(g_mutex);
    g_current = std::move(project);
    return *g_current;
}

bool CTeskProject::HasCurrent() {
    std::lock_guard lock(g_mutex);
    return g_current != nullptr;
}

void CTeskProject::Close() {
    std::unique_ptr<CTeskProject> old;
    std::lock_guard lock(g_mutex);
    old = std::move(g_current);
}

void CTeskProject::ReloadDescriptor() { m_descriptor = ReadDescriptor(m_path); }

void CTeskProject::SaveDescriptor(const Descriptor& descriptor) {
    const bool rebuild = !sameAreas(descriptor, m_descriptor);
    if (rebuild) tesk::project::RebuildAoiViews(m_db, descriptor);
    writeFile(m_path / kDescriptorFile, descriptor.ToJson());
    m_descriptor = descriptor;
}
