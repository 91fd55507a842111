#pragma once
// The sample project with one deviated well's survey read as the survey field
// reads it: from the well's header row, angles kept.

#include <memory>
#include <string>

#include "services/SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"

namespace tesk::test {

class SurveyObjectTest : public SampleProjectTest {
protected:
    void SetUp() override {
        SampleProjectTest::SetUp();
        m_well = scalar("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Is Deviated\" = 1 ORDER BY \"Well ID\"");
        ASSERT_FALSE(m_well.empty());
    }

    // A new point set from the well's header row.
    CTeskSurveyPts* readSurvey() {
        std::unique_ptr<CTeskHeaderAndBlobSet> set(CTeskDataInitializer::GetDataFactory()->CreateWellAndBlobRecordset(
            0, nullptr, 16, ("\"Well ID\" = '" + m_well + "'").c_str(), ""));
        auto* pts = new CTeskSurveyPts();
        if (set && set->IsOpen() && !set->IsEOF()) set->GetSurveyPts(pts, 1);
        return pts;
    }

    // The well's tops: MD and TVD as the sample placed them on the hole's arcs.
    std::vector<std::pair<double, double>> tops() {
        auto st = db().connection().prepare(
            "SELECT \"Top MD\", \"Top TVD\" FROM \"FormationTop\" WHERE \"Well ID\" = ? AND \"Top MD\" > 0");
        st->bind(0, m_well);
        st->execute();
        std::vector<std::pair<double, double>> out;
        while (st->fetch()) out.emplace_back(st->getDouble(0), st->getDouble(1));
        st->reset();
        return out;
    }

    std::string m_well;
};

} // namespace tesk::test
