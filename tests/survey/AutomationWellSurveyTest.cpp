// The automation flavour's well-survey object beneath its dispatch surface.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "survey/SurveyFixture.h"
#include "survey/WellSurvey.h"

using TeskDataProvider::WellSurvey;

namespace tesk::test {
namespace {

using AutomationWellSurvey = SurveyObjectTest;

TEST_P(AutomationWellSurvey, PlaceholderAnswersAsAnEmptySurvey) {
    WellSurvey s;
    double x = 7, y = 7, z = 7, d = 7, out = 7;
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_FALSE(s.IsDeviated());
    EXPECT_FALSE(s.GetAt(0, x, y, z, d));
    EXPECT_FALSE(s.GetXYZ(10, x, y, z, true));
    EXPECT_FALSE(s.ConvertMDtoTVD(10, out));
    EXPECT_FALSE(s.ConvertTVDtoMD(10, out));
    EXPECT_FALSE(s.FillPoints(&x, &y, &z, &d));
    EXPECT_EQ(out, 7);
    EXPECT_EQ(x, 7);
    // The unit comes from the project, not from the survey.
    EXPECT_EQ(s.GetUnit(), static_cast<int16_t>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDepthUnit()));
}

TEST_P(AutomationWellSurvey, AnswersFromTheWellsSurvey) {
    WellSurvey s(readSurvey());
    const int n = s.GetSize();
    ASSERT_GT(n, 3);
    EXPECT_TRUE(s.IsDeviated());
    std::vector<double> x(n), y(n), z(n), md(n);
    ASSERT_TRUE(s.FillPoints(x.data(), y.data(), z.data(), md.data()));
    double ox, oy, oz, od;
    ASSERT_TRUE(s.GetAt(n - 1, ox, oy, oz, od));
    EXPECT_EQ(oz, z[n - 1]);
    EXPECT_EQ(od, md[n - 1]);
    EXPECT_FALSE(s.GetAt(n, ox, oy, oz, od));
    for (const auto& [topMd, topTvd] : tops()) {
        double tvd = 0, back = 0;
        ASSERT_TRUE(s.ConvertMDtoTVD(topMd, tvd));
        EXPECT_NEAR(tvd, topTvd, 0.005 + 1e-9);
        ASSERT_TRUE(s.ConvertTVDtoMD(tvd, back));
        EXPECT_NEAR(back, topMd, 1e-6);
    }
    double gx = -1, gy = -1, gtvd = -1;
    EXPECT_FALSE(s.GetXYZ(md[n - 1] + 1, gx, gy, gtvd, false));
    EXPECT_TRUE(s.GetXYZ(md[n - 1] + 1, gx, gy, gtvd, true));
}

INSTANTIATE_TEST_SUITE_P(Engines, AutomationWellSurvey, testing::ValuesIn(availableEngines()), engineName);

} // namespace
} // namespace tesk::test
