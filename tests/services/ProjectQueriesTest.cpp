// The project-wide answers of the units object, the user defaults and the
// factory's static queries, each read from the project itself: its
// descriptor or its tables. Interpretation ids are checked with two client
// processes taking them at the same time.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <set>

#include "SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

extern char** environ;

using namespace tesk::test;

namespace {

class ProjectQueriesTest : public SampleProjectTest {
protected:
    void run(const std::string& sql) {
        auto st = db().connection().prepare(sql);
        st->execute();
        st->reset();
    }
    void changeDescriptor(const std::function<void(tesk::project::Descriptor&)>& change) {
        tesk::project::Descriptor d = CTeskProject::Current().GetDescriptor();
        change(d);
        CTeskProject::Current().SaveDescriptor(d);
    }
    CTeskUnitsObjectImpl& units() { return *CTeskDataInitializer::GetUnitsObject(); }
};

TEST_P(ProjectQueriesTest, UnitsAreTheProjectsSettings) {
    // The sample: depths in feet, distances stored in feet and shown in metres.
    EXPECT_EQ(units().GetProjectDepthUnit(), MAP_SIZE_UNITS_FEET);
    EXPECT_EQ(units().GetDisplayDepthUnit(), MAP_SIZE_UNITS_FEET);
    EXPECT_EQ(units().GetProjectDistanceUnit(), MAP_SIZE_UNITS_FEET);
    EXPECT_EQ(units().GetDisplayDistanceUnit(), MAP_SIZE_UNITS_METERS);
    EXPECT_TRUE(units().DistanceProjectIsFeet());

    changeDescriptor([](auto& d) { d.units = {tesk::project::kMetres, tesk::project::kFeet, tesk::project::kMetres,
                                              tesk::project::kFeet}; });
    EXPECT_EQ(units().GetProjectDepthUnit(), MAP_SIZE_UNITS_METERS);
    EXPECT_EQ(units().GetDisplayDepthUnit(), MAP_SIZE_UNITS_FEET);
    EXPECT_EQ(units().GetProjectDistanceUnit(), MAP_SIZE_UNITS_METERS);
    EXPECT_EQ(units().GetDisplayDistanceUnit(), MAP_SIZE_UNITS_FEET);
    EXPECT_FALSE(units().DistanceProjectIsFeet());
}

TEST_P(ProjectQueriesTest, FieldUnitsComeFromTheCategoryTables) {
    // Database system EPSG:4326 (degrees, no length unit), display EPSG:32615 (metres).
    const struct {
        const char* recordset;
        const char* field;
        const char* category;
        int projectUnit, displayUnit;
        bool known, coordinate;
    } cases[] = {
        {"Formations", "Top MD", "Measured Depth", 1, 1, true, false},
        {"OrderedFormations", "Top TVD", "Vertical Depth", 1, 1, true, false},
        {"Formations", "Top Subsea", "Vertical Depth", 1, 1, true, false},
        {"Faults", "Subsea", "Vertical Depth", 1, 1, true, false},
        {"Faults", "Throw", "Distance", 1, 2, true, false},
        {"WellHeader", "KB Elevation", "Elevation", 1, 1, true, false},
        {"WellHeader", "Total Depth", "Measured Depth", 1, 1, true, false},
        {"WellSurveys", "TVD", "Vertical Depth", 1, 1, true, false},
        {"WellSurveys", "X Offset", "Distance", 1, 2, true, false},
        {"WellHeader", "Lng", "Map Coordinate", -1, 2, true, true},
        {"WellSurveys", "Long/Y", "Map Coordinate", -1, 2, true, true},
        {"TeskSurfGuidingPts", "X", "Map Coordinate", -1, 2, true, true},
        {"TeskStratFieldSection", "Z", "Elevation", 1, 1, true, false},
        {"WellHeader", "Latitude", "Geographic Coordinate", -1, -1, true, true},
        {"Formations", "Formation", "", -1, -1, false, false},
        {"formations", "Top MD", "", -1, -1, false, false},  // names are exact
        {"WellHeader", "Top MD", "", -1, -1, false, false},
        {"Faults", "", "", -1, -1, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.recordset) + "." + c.field);
        const CString category = units().GetFieldUnitCategory(c.recordset, c.field);
        EXPECT_EQ(category, c.category);
        EXPECT_EQ(units().GetCategoryUnit(category.c_str(), true), c.projectUnit);
        EXPECT_EQ(units().GetCategoryUnit(category.c_str(), false), c.displayUnit);
        bool coordinate = !c.coordinate;
        EXPECT_EQ(units().IsCoordinateCategory(category.c_str(), coordinate), c.known);
        if (c.known) {
            EXPECT_EQ(coordinate, c.coordinate);
        }
    }
    EXPECT_EQ(units().GetCategoryUnit("No Such Category", true), -1);
    EXPECT_EQ(units().GetCategoryUnit(nullptr, true), -1);

    // Map coordinates take the unit of the system's axes, US survey feet too.
    changeDescriptor([](auto& d) { d.displayCrs = "EPSG:2278"; });
    EXPECT_EQ(units().GetCategoryUnit("Map Coordinate", false), MAP_SIZE_UNITS_FEET);

    // The tables are the project's own: an edit shows at once.
    run("INSERT INTO \"UnitCategory\" (\"Category\", \"Quantity\") VALUES ('Pay Thickness', 'DISTANCE')");
    run("UPDATE \"FieldUnitCategory\" SET \"Category\" = 'Pay Thickness' "
        "WHERE \"Record Set\" = 'Faults' AND \"Field\" = 'Throw'");
    EXPECT_EQ(units().GetFieldUnitCategory("Faults", "Throw"), "Pay Thickness");
    EXPECT_EQ(units().GetCategoryUnit("Pay Thickness", false), MAP_SIZE_UNITS_METERS);
}

TEST_P(ProjectQueriesTest, InterpretationIdsCountOnPastEveryIdInUse) {
    const int first = CTeskDataFactory::GetNextInterpId("StratFieldSection");
    EXPECT_EQ(first, std::stoi(scalar("SELECT MAX(\"InterpID\") FROM \"StratFieldSection\"")) + 1);
    // The record set's name shares the table's counter.
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId("TeskStratFieldSection"), first + 1);
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId("StratFieldSection"), first + 2);

    // A client wrote an id of its own far ahead: the counter jumps past it.
    run("INSERT INTO \"StratFieldSection\" (\"InterpID\", \"Source\", \"StratColumn\", \"Formation\", \"X\", \"Y\") "
        "VALUES (" + std::to_string(first + 100) + ", 'Geology', 'Gulf Coast', 'Frio', -94.5, 29.5)");
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId("StratFieldSection"), first + 101);

    // Each table counts alone; a table without a counter row starts above its ids.
    run("DELETE FROM \"InterpIdSequence\" WHERE \"Table Name\" = 'FaultFieldPoint'");
    const int fault = CTeskDataFactory::GetNextInterpId("TeskFaultFieldPt");
    EXPECT_EQ(fault, std::stoi(scalar("SELECT MAX(\"InterpID\") FROM \"FaultFieldPoint\"")) + 1);
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId("FaultFieldPoint"), fault + 1);

    for (const char* other : {"WellHeader", "stratfieldsection", "", "InterpIdSequence"})
        EXPECT_EQ(CTeskDataFactory::GetNextInterpId(other), -1) << other;
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId(nullptr), -1);
}

TEST_P(ProjectQueriesTest, TwoProcessesNeverShareAnInterpretationId) {
    const int perClient = 150;
    const int first = std::stoi(scalar("SELECT \"Next ID\" FROM \"InterpIdSequence\" "
                                       "WHERE \"Table Name\" = 'SurfaceGuidingPoint'"));
    const std::filesystem::path go = m_dir.path() / "go";
    const std::string project = CTeskProject::Current().GetPath().string();
    const std::string count = std::to_string(perClient);

    pid_t pids[2];
    std::filesystem::path outputs[2];
    for (int i = 0; i < 2; ++i) {
        outputs[i] = m_dir.path() / ("client" + std::to_string(i) + ".txt");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputs[i].c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        // Both clients use the table's two names: one counter either way.
        const char* table = i == 0 ? "SurfaceGuidingPoint" : "TeskSurfGuidingPts";
        const char* argv[] = {TESK_INTERP_ID_CLIENT, project.c_str(), table, count.c_str(), go.c_str(), nullptr};
        ASSERT_EQ(posix_spawn(&pids[i], TESK_INTERP_ID_CLIENT, &actions, nullptr, const_cast<char**>(argv), environ),
                  0);
        posix_spawn_file_actions_destroy(&actions);
    }
    std::ofstream(go).put('\n');

    std::set<int> all;
    for (int i = 0; i < 2; ++i) {
        int status = 0;
        ASSERT_EQ(waitpid(pids[i], &status, 0), pids[i]);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "client " << i << " failed";
        std::ifstream in(outputs[i]);
        std::vector<int> ids;
        for (int id; in >> id;) ids.push_back(id);
        ASSERT_EQ(ids.size(), static_cast<size_t>(perClient)) << "client " << i;
        EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
        all.insert(ids.begin(), ids.end());
    }
    // No id twice, none skipped.
    ASSERT_EQ(all.size(), static_cast<size_t>(2 * perClient));
    EXPECT_EQ(*all.begin(), first);
    EXPECT_EQ(*all.rbegin(), first + 2 * perClient - 1);
    EXPECT_EQ(CTeskDataFactory::GetNextInterpId("SurfaceGuidingPoint"), first + 2 * perClient);
}

TEST_P(ProjectQueriesTest, SourcesAliasesAndTheInterpreterAreTheProjects) {
    EXPECT_TRUE(CTeskDataFactory::IsSourceWritable("Geology"));
    EXPECT_FALSE(CTeskDataFactory::IsSourceWritable("Vendor"));
    EXPECT_FALSE(CTeskDataFactory::IsSourceWritable("geology"));
    EXPECT_FALSE(CTeskDataFactory::IsSourceWritable(""));
    // Automation clients store true as -1.
    run("UPDATE \"Source\" SET \"Writable\" = -1 WHERE \"Source\" = 'Geology-KM'");
    EXPECT_TRUE(CTeskDataFactory::IsSourceWritable("Geology-KM"));

    EXPECT_TRUE(CTeskDataFactory::GetIsAliasedFormation("Frio"));
    EXPECT_FALSE(CTeskDataFactory::GetIsAliasedFormation("Oligocene"));  // an alias, not an aliased formation
    EXPECT_EQ(CTeskDataFactory::GetFormationAlias("Frio"), "Oligocene");
    EXPECT_EQ(CTeskDataFactory::GetFormationAlias("Wilcox"), "");
    EXPECT_EQ(CTeskDataFactory::GetAliasFormationList("Miocene"), "Fleming, Oakville");
    EXPECT_EQ(CTeskDataFactory::GetAliasFormationList("Oligocene"), "Catahoula, Frio, Vicksburg");
    EXPECT_EQ(CTeskDataFactory::GetAliasFormationList("Frio"), "");

    EXPECT_EQ(CTeskDataFactory::GetCurrentInterpreter(), "jdoe");
    changeDescriptor([](auto& d) { d.userDefaults.currentInterpreter.clear(); });
    EXPECT_EQ(CTeskDataFactory::GetCurrentInterpreter(), getpwuid(geteuid())->pw_name);
}

TEST_P(ProjectQueriesTest, UserDefaultsAreLoadedFromTheDescriptorOnDisk) {
    CTeskUserDefaultsImpl* defaults = CTeskDataInitializer::GetUserDefaults();
    EXPECT_EQ(defaults->m_strActiveStratColumn, tesk::sample::kGulfStratColumn);

    // Another program (a second client, an editor) rewrites the descriptor.
    tesk::project::Descriptor d = CTeskProject::Current().GetDescriptor();
    d.userDefaults.activeStratColumn = tesk::sample::kAleutianStratColumn;
    std::ofstream(CTeskProject::Current().GetPath() / CTeskProject::kDescriptorFile) << d.ToJson();
    EXPECT_EQ(defaults->m_strActiveStratColumn, tesk::sample::kGulfStratColumn);  // until loaded
    defaults->Load();
    EXPECT_EQ(defaults->m_strActiveStratColumn, tesk::sample::kAleutianStratColumn);
}

INSTANTIATE_TEST_SUITE_P(Engines, ProjectQueriesTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
