#pragma once
// One test body, every engine: SQLite always, PostgreSQL when TESK_TEST_PG
// holds an ODBC connection string to a scratch database.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tesk::test {

enum class EngineKind { Sqlite, Postgres };

inline std::vector<EngineKind> availableEngines() {
    std::vector<EngineKind> engines{EngineKind::Sqlite};
    if (const char* pg = std::getenv("TESK_TEST_PG"); pg && *pg) engines.push_back(EngineKind::Postgres);
    return engines;
}

inline std::string engineName(const testing::TestParamInfo<EngineKind>& info) {
    return info.param == EngineKind::Sqlite ? "Sqlite" : "Postgres";
}

// A fresh temporary directory, removed with the object.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tesk-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// The connect text CDatabase::OpenEx takes for a scratch database of the engine.
inline std::string connectFor(EngineKind engine, const TempDir& dir) {
    if (engine == EngineKind::Postgres) return std::getenv("TESK_TEST_PG");
    return "sqlite:" + (dir.path() / "test.db").string();
}

} // namespace tesk::test
