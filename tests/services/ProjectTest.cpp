// Opening a project: the explicit open, the environment variable, and the
// errors a user sees when either points nowhere useful.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "services/QoClient/CQoProjectInfo.h"
#include "services/project/CTeskProject.h"
#include "services/project/ProjectDescriptor.h"
#include "services/sample/SampleProject.h"
#include "support/TestEngines.h"

using tesk::project::Descriptor;
using tesk::test::TempDir;

namespace {

class ProjectOpenTest : public testing::Test {
protected:
    void SetUp() override {
        CTeskProject::Close();
        unsetenv(CTeskProject::kEnvironmentVariable);
    }
    void TearDown() override {
        CTeskProject::Close();
        unsetenv(CTeskProject::kEnvironmentVariable);
    }
    std::filesystem::path writeDescriptor(const std::string& name, const std::string& text) {
        const auto dir = m_dir.path() / name;
        std::filesystem::create_directories(dir);
        std::ofstream(dir / CTeskProject::kDescriptorFile) << text;
        return dir;
    }
    // The message of the runtime_error that opening `dir` raises.
    static std::string openError(const std::filesystem::path& dir) {
        try {
            CTeskProject::Open(dir);
        } catch (const std::runtime_error& e) {
            return e.what();
        }
        return "(no error)";
    }
    TempDir m_dir;
};

TEST_F(ProjectOpenTest, NoProjectAndNoEnvironmentVariableIsAClearError) {
    try {
        CTeskProject::Current();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("TESK_PROJECT"), std::string::npos) << e.what();
    }
    EXPECT_THROW(CQoProjectInfo::AoiName(), std::runtime_error);
}

TEST_F(ProjectOpenTest, BadDirectoriesAndDescriptorsNameTheProblem) {
    const struct {
        const char* name;
        const char* descriptor;  // null: none written
        const char* expected;
    } cases[] = {
        {"no-descriptor", nullptr, "has no project.json"},
        {"not-json", "{ \"name\": ", "Malformed project descriptor"},
        {"not-object", "[1, 2]", "top level must be an object"},
        {"bad-unit", R"({"units": {"projectDepth": 3}})", "'units.projectDepth' must be 1 (feet) or 2 (metres)"},
        {"bad-aoi", R"({"areasOfInterest": [{"name": "A", "north": "x"}]})", "'areasOfInterest[0].north'"},
        {"bad-window", R"({"logicalExtents": {"north": 1, "south": 2, "east": 0, "west": 0}})",
         "'logicalExtents.south' lies north of 'north'"},
        {"no-database-file", R"({"name": "x"})", "Project database is missing"},
    };
    for (const auto& c : cases) {
        const auto dir = c.descriptor ? writeDescriptor(c.name, c.descriptor) : m_dir.path() / c.name;
        if (!c.descriptor) std::filesystem::create_directories(dir);
        EXPECT_NE(openError(dir).find(c.expected), std::string::npos) << c.name << ": " << openError(dir);
    }
    EXPECT_NE(openError(m_dir.path() / "missing").find("Project directory does not exist"), std::string::npos);
}

TEST_F(ProjectOpenTest, EnvironmentVariableOpensLazilyAndExplicitOpenWins) {
    tesk::sample::SampleOptions small;
    small.wellCount = 6;
    tesk::sample::CreateSampleProject(m_dir.path() / "a", small);
    tesk::sample::CreateSampleProject(m_dir.path() / "b/", small);
    CTeskProject::Close();

    setenv(CTeskProject::kEnvironmentVariable, (m_dir.path() / "a").c_str(), 1);
    EXPECT_EQ(CQoProjectInfo::Path(), (m_dir.path() / "a").string());
    EXPECT_EQ(CQoProjectInfo::AoiName(), tesk::sample::kGulfField);
    EXPECT_FALSE(CQoProjectInfo::IsUvoProject());

    // The project taken from the environment follows the variable...
    setenv(CTeskProject::kEnvironmentVariable, (m_dir.path() / "b").c_str(), 1);
    EXPECT_EQ(CQoProjectInfo::Path(), (m_dir.path() / "b").string());
    // ...an explicitly opened one does not; the path never ends in a separator.
    CTeskProject::Open(m_dir.path() / "a" / "");
    EXPECT_EQ(CQoProjectInfo::Path(), (m_dir.path() / "a").string());
}

TEST_F(ProjectOpenTest, DescriptorRoundTripsAndCreateRefusesAnExistingProject) {
    Descriptor d;
    d.name = "Round trip";
    d.uvo = true;
    d.units = {tesk::project::kMetres, tesk::project::kFeet, tesk::project::kMetres, tesk::project::kFeet};
    d.databaseCrs = "EPSG:32615";
    d.areas.push_back({"West Side", "", "EPSG:4326", 30, 29, -94, -95});
    d.areas.back().viewSuffix = tesk::project::ViewSuffixFor("West Side");
    d.currentAoi = "West Side";
    d.logicalExtents = {true, "EPSG:32615", 3303500, 3247000, 389500, 339000};
    d.userDefaults = {"Gulf Coast", "kmiller"};
    const Descriptor back = Descriptor::Parse(d.ToJson(), "test");
    EXPECT_EQ(back.ToJson(), d.ToJson());
    EXPECT_EQ(back.areas.at(0).viewSuffix, "West_Side");
    EXPECT_EQ(back.logicalExtents.crs, "EPSG:32615");
    EXPECT_FALSE(Descriptor::Parse("{}", "test").logicalExtents.set);

    CTeskProject::Create(m_dir.path() / "p", d);
    EXPECT_TRUE(CQoProjectInfo::IsUvoProject());
    EXPECT_THROW(CTeskProject::Create(m_dir.path() / "p", d), std::runtime_error);
}

} // namespace
