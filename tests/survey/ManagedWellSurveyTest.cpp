// The managed well-survey object, empty and over a sample well's survey.

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "services/Ambrel/GarbageManager.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "survey/ManagedWellSurvey.h"
#include "survey/SurveyFixture.h"

using TeskDataProvider::ManagedWellSurvey;
using TeskDataProvider::ManagedWellSurveyRef;

namespace tesk::test {
namespace {

TEST(ManagedWellSurvey, WithoutAPointSetRefusesEverything) {
    ManagedWellSurveyRef s = System::gcnew<ManagedWellSurvey>();
    double x = 7, y = 7, z = 7, d = 7, inc = 7, azi = 7, out = 7;
    double arr[1] = {7};
    EXPECT_EQ(s->GetSurveyPts(), nullptr);
    EXPECT_EQ(s->GetSize(), 0);
    EXPECT_FALSE(s->IsDeviated());
    EXPECT_FALSE(s->GetAt(0, x, y, z, d));
    EXPECT_FALSE(s->GetXYZ(100, x, y, z, true));
    EXPECT_FALSE(s->GetPoints(arr, arr, arr, arr));
    EXPECT_FALSE(s->ConvertMDtoTVD(100, out));
    EXPECT_FALSE(s->ConvertTVDtoMD(100, out));
    EXPECT_EQ(out, 7);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(arr[0], 7);
    // The six-output form reports zero angles even so.
    EXPECT_FALSE(s->GetAt(0, x, y, z, d, inc, azi));
    EXPECT_EQ(inc, 0);
    EXPECT_EQ(azi, 0);
    const ManagedWellSurveyRef clone = s->Clone();
    EXPECT_NE(clone, s);
    EXPECT_EQ(clone->GetSurveyPts(), nullptr);
    s->Dispose();
    s->Dispose();
    clone->Dispose();
}

TEST(ManagedWellSurvey, SetPointsAnglesStraightHoleAndClone) {
    ManagedWellSurveyRef s = System::gcnew<ManagedWellSurvey>();
    const double x[] = {0, 10.5, 40.25}, y[] = {0, -3, -12}, z[] = {0, 499.5, 995}, md[] = {0, 500, 1000};
    const double inc[] = {0, 2.5, 6.125}, azi[] = {0, 105, 108.5};
    EXPECT_TRUE(s->SetPoints(3, x, y, z, md, inc, azi));
    ASSERT_EQ(s->GetSize(), 3);
    EXPECT_TRUE(s->IsDeviated());
    for (int i = 0; i < 3; ++i) {
        double ox, oy, oz, omd, oinc, oazi;
        ASSERT_TRUE(s->GetAt(i, ox, oy, oz, omd, oinc, oazi));
        EXPECT_EQ(ox, x[i]);
        EXPECT_EQ(oy, y[i]);
        EXPECT_EQ(oz, z[i]);
        EXPECT_EQ(omd, md[i]);
        EXPECT_EQ(oinc, inc[i]);
        EXPECT_EQ(oazi, azi[i]);
    }
    double ox, oy, oz, od;
    EXPECT_TRUE(s->GetAt(2, ox, oy, oz, od));
    EXPECT_FALSE(s->GetAt(3, ox, oy, oz, od));
    EXPECT_FALSE(s->GetAt(-1, ox, oy, oz, od));

    // The clone shares nothing: changing the original leaves it as it was.
    const ManagedWellSurveyRef clone = s->Clone();
    ASSERT_NE(clone->GetSurveyPts(), s->GetSurveyPts());
    s->MakeStraightHole();
    EXPECT_FALSE(s->IsDeviated());
    for (int i = 0; i < 3; ++i) {
        double oinc = -1, oazi = -1;
        ASSERT_TRUE(s->GetAt(i, ox, oy, oz, od, oinc, oazi));
        EXPECT_EQ(oinc, 0);
        EXPECT_EQ(oazi, 0);
        EXPECT_EQ(ox, 0);
        double cinc, cazi;
        ASSERT_TRUE(clone->GetAt(i, ox, oy, oz, od, cinc, cazi));
        EXPECT_EQ(ox, x[i]);
        EXPECT_EQ(cinc, inc[i]);
        EXPECT_EQ(cazi, azi[i]);
    }
    EXPECT_TRUE(clone->IsDeviated());

    EXPECT_TRUE(s->SetPoints(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(s->GetSize(), 0);
    double none[1] = {-1};
    EXPECT_TRUE(s->GetPoints(none, none, none, none));
    EXPECT_EQ(none[0], -1);

    // Points and angles may also be handed over ready-made.
    ManagedWellSurveyRef t = System::gcnew<ManagedWellSurvey>();
    auto* pts = new CTeskSurveyPts();
    pts->Add(new CTeskWellborePt(0, 0, 0, 0));
    pts->Add(new CTeskWellborePt(3, 4, 99, 100));
    t->SetSurveyPts(pts);
    auto* ti = static_cast<double*>(std::malloc(2 * sizeof(double)));
    auto* ta = static_cast<double*>(std::malloc(2 * sizeof(double)));
    ti[0] = 0, ti[1] = 4, ta[0] = 0, ta[1] = 36.87;
    t->SetSurveySet(ti, ta);
    double oinc, oazi;
    ASSERT_TRUE(t->GetAt(1, ox, oy, oz, od, oinc, oazi));
    EXPECT_EQ(oinc, 4);
    EXPECT_EQ(oazi, 36.87);
    EXPECT_EQ(t->GetSurveyPts(), pts);
    t->Dispose();
    EXPECT_EQ(t->GetSurveyPts(), nullptr);
    t->Dispose();
}

TEST(ManagedWellSurvey, FinalizedUnreleasedGoesToTheRegistry) {
    Ambrel::GarbageManager::Collect();
    {
        ManagedWellSurveyRef s = System::gcnew<ManagedWellSurvey>();
        const double v[] = {0, 100};
        s->SetPoints(2, v, v, v, v, nullptr, nullptr);
    }
    EXPECT_EQ(Ambrel::GarbageManager::PendingCount(), 1u);
    EXPECT_EQ(Ambrel::GarbageManager::Collect(), 1u);
    {
        ManagedWellSurveyRef s = System::gcnew<ManagedWellSurvey>();
        s->Dispose();
    }
    EXPECT_EQ(Ambrel::GarbageManager::PendingCount(), 0u);
}

using ManagedWellSurveyOverSample = SurveyObjectTest;

TEST_P(ManagedWellSurveyOverSample, AnswersFromTheWellsSurvey) {
    ManagedWellSurveyRef s = System::gcnew<ManagedWellSurvey>();
    s->SetSurveyPts(readSurvey());
    const int n = s->GetSize();
    ASSERT_GT(n, 3);
    EXPECT_TRUE(s->IsDeviated());
    EXPECT_EQ(s->GetUnit(), static_cast<int16_t>(CTeskDataInitializer::GetUnitsObject()->GetDisplayDepthUnit()));

    std::vector<double> x(n), y(n), z(n), md(n);
    ASSERT_TRUE(s->GetPoints(x.data(), y.data(), z.data(), md.data()));
    for (int i = 0; i < n; i += n - 1) {
        double ox, oy, oz, od;
        ASSERT_TRUE(s->GetAt(i, ox, oy, oz, od));
        EXPECT_EQ(ox, x[i]);
        EXPECT_EQ(oz, z[i]);
        EXPECT_EQ(od, md[i]);
    }

    // Depth conversions agree with the tops the sample placed on the arcs.
    const auto picks = tops();
    ASSERT_FALSE(picks.empty());
    for (const auto& [topMd, topTvd] : picks) {
        double tvd = 0, back = 0;
        ASSERT_TRUE(s->ConvertMDtoTVD(topMd, tvd));
        EXPECT_NEAR(tvd, topTvd, 0.005 + 1e-9);
        ASSERT_TRUE(s->ConvertTVDtoMD(tvd, back));
        EXPECT_NEAR(back, topMd, 1e-6);
        double gx, gy, gtvd;
        ASSERT_TRUE(s->GetXYZ(topMd, gx, gy, gtvd, false));
        EXPECT_EQ(gtvd, tvd);
    }
    // Below total depth only when asked to extrapolate.
    double gx = -1, gy = -1, gtvd = -1;
    EXPECT_FALSE(s->GetXYZ(md[n - 1] + 50, gx, gy, gtvd, false));
    EXPECT_EQ(gtvd, -1);
    ASSERT_TRUE(s->GetXYZ(md[n - 1] + 50, gx, gy, gtvd, true));
    EXPECT_GT(gtvd, z[n - 1]);

    // Points set from arrays with their angles are stored with them, so the
    // survey read back still follows the hole's arcs.
    std::vector<double> inc(n), azi(n);
    for (int i = 0; i < n; ++i) {
        const CTeskWellborePt* p = s->GetSurveyPts()->GetAt(i);
        inc[i] = p->GetInclination();
        azi[i] = p->GetAzimuth();
    }
    ManagedWellSurveyRef copy = System::gcnew<ManagedWellSurvey>();
    copy->SetPoints(n, x.data(), y.data(), z.data(), md.data(), inc.data(), azi.data());
    ASSERT_TRUE(CTeskDataFactory::UpdateWellboreGeometry(m_well.c_str(), copy->GetSurveyPts(), 1, false));
    ManagedWellSurveyRef reread = System::gcnew<ManagedWellSurvey>();
    reread->SetSurveyPts(readSurvey());
    for (const auto& [topMd, topTvd] : picks) {
        double tvd = 0;
        ASSERT_TRUE(reread->ConvertMDtoTVD(topMd, tvd));
        EXPECT_NEAR(tvd, topTvd, 0.005 + 1e-9);
    }
    s->Dispose();
    copy->Dispose();
    reread->Dispose();
}

INSTANTIATE_TEST_SUITE_P(Engines, ManagedWellSurveyOverSample, testing::ValuesIn(availableEngines()), engineName);

} // namespace
} // namespace tesk::test
