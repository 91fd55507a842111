#pragma once
// A sample project made afresh for each test, on each engine: an SQLite file
// in a temporary directory, or the PostgreSQL database named by TESK_TEST_PG.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "services/project/CTeskProject.h"
#include "services/sample/SampleProject.h"
#include "support/TestEngines.h"

namespace tesk::test {

class SampleProjectTest : public testing::TestWithParam<EngineKind> {
protected:
    void SetUp() override {
        tesk::sample::SampleOptions options;
        options.wellCount = 24;
        if (GetParam() == EngineKind::Postgres) options.odbcConnect = std::getenv("TESK_TEST_PG");
        m_summary = tesk::sample::CreateSampleProject(m_dir.path() / "sample", options);
    }
    void TearDown() override { CTeskProject::Close(); }

    CDatabase& db() { return CTeskProject::Current().GetDatabase(); }

    // The first column of the first row of a query, as text.
    std::string scalar(const std::string& sql) {
        auto st = db().connection().prepare(sql);
        st->execute();
        std::string out = st->fetch() && !st->isNull(0) ? std::string(st->getText(0)) : std::string();
        st->reset();
        return out;
    }
    int64_t count(const std::string& source, const std::string& where = "") {
        return std::stoll(scalar("SELECT COUNT(*) FROM \"" + source + "\"" + (where.empty() ? "" : " WHERE " + where)));
    }

    TempDir m_dir;
    tesk::sample::SampleSummary m_summary;
};

} // namespace tesk::test
