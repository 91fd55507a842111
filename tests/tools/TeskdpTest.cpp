// The command-line tool's commands, run in-process over the sample project.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Commands.h"
#include "services/SampleProjectFixture.h"
#include "services/TeskUniversalLoader/MinimumCurvature.h"

using namespace tesk::test;

namespace {

class TeskdpTest : public SampleProjectTest {
protected:
    std::string run(std::vector<std::string> words) {
        teskdp::Options options;
        options.command = words.front();
        options.values.emplace("project", (m_dir.path() / "sample").string());
        for (size_t i = 1; i < words.size(); ++i) {
            if (words[i].rfind("--", 0) == 0 && i + 1 < words.size()) {
                options.values.emplace(words[i].substr(2), words[i + 1]);
                ++i;
            } else {
                options.positional.push_back(words[i]);
            }
        }
        std::ostringstream out;
        teskdp::RunCommand(options, out);
        return out.str();
    }
    // The second line of a command's CSV answer, split at commas.
    static std::vector<double> values(const std::string& csv) {
        std::istringstream in(csv.substr(csv.find('\n') + 1));
        std::vector<double> out;
        for (std::string v; std::getline(in, v, ',');) out.push_back(std::stod(v));
        return out;
    }
};

TEST_P(TeskdpTest, StationsLoadedFromCsvAnswerDepthsAlongTheirArcs) {
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"DirectionalSurvey\"");
    // Builds and turns through north while it builds.
    const std::vector<tesk::survey::Station> stations = {
        {0, 0, 0}, {1000, 0, 0}, {2000, 25, 350}, {3000, 50, 10}, {4000, 50, 10}};
    const std::string file = (m_dir.path() / "stations.csv").string();
    {
        std::ofstream csv(file);
        csv << "md,inclination,azimuth\n";
        for (const auto& s : stations) csv << s.md << ',' << s.inclination << ',' << s.azimuth << '\n';
    }
    EXPECT_NE(run({"survey", well, "--load-stations", file}).find("stored 5 stations"), std::string::npos);

    tesk::survey::SurveyPath path(stations);
    tesk::survey::Point exact;
    ASSERT_TRUE(path.AtMd(2500, exact));
    const auto at = values(run({"survey", well, "--md", "2500"}));
    ASSERT_EQ(at.size(), 4u);
    EXPECT_NEAR(at[1], exact.tvd, 1e-5) << "between stations, on the arc";
    EXPECT_NEAR(at[2], exact.x, 1e-5);
    EXPECT_NEAR(at[3], exact.y, 1e-5);
    const auto back = values(run({"survey", well, "--tvd", std::to_string(exact.tvd)}));
    EXPECT_NEAR(back[1], 2500, 1e-4);
    EXPECT_EQ(run({"survey", well, "--stations", "1"}),
              "md,inclination,azimuth\n0.000000,0.000000,0.000000\n1000.000000,0.000000,0.000000\n"
              "2000.000000,25.000000,350.000000\n3000.000000,50.000000,10.000000\n4000.000000,50.000000,10.000000\n");
}

TEST_P(TeskdpTest, ProjectColumnsAndClearErrors) {
    const std::string project = run({"project"});
    EXPECT_NE(project.find("database CRS   EPSG:4326"), std::string::npos) << project;
    EXPECT_NE(project.find("Dateline"), std::string::npos);
    const std::string columns = run({"columns", "Formations", "--format", "csv"});
    // The SQL type and size are the driver's; the roles are the provider's.
    EXPECT_NE(columns.find(",yes,System.Double,,yes,,,,feet\n5,Top TVD,"), std::string::npos) << columns;

    EXPECT_THROW(run({"read", "TeskFaultFieldPt", "--aoi", "Nowhere"}), std::invalid_argument);
    EXPECT_THROW(run({"survey", "no-such-well"}), std::invalid_argument);
    const std::string bad = (m_dir.path() / "bad.csv").string();
    std::ofstream(bad) << "depth,inc,azi\n0,0,0\n";
    const std::string well = scalar("SELECT MIN(\"Well ID\") FROM \"DirectionalSurvey\"");
    EXPECT_THROW(run({"survey", well, "--load-stations", bad}), std::invalid_argument);
    EXPECT_THROW(run({"survey", well, "--md", "deep"}), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(Engines, TeskdpTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
