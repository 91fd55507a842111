// Every exchange code through a real row: written with Edit/Update, read
// back by a fresh record set.

#include <gtest/gtest.h>

#include "platform/db/TimestampText.h"

#include <cstring>

#include "SampleProjectFixture.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskUniversalLoader/SurveyBlob.h"

using namespace tesk::test;

namespace {

class ExchangeRoundTripTest : public SampleProjectTest {
protected:
    CTeskDataFactory& factory() { return *CTeskDataInitializer::GetDataFactory(); }

    std::unique_ptr<CTeskPickSet> openPicks(const std::string& filter) {
        CTeskPickSet* set = factory().CreatePickRecordset();
        set->m_strFilter = filter;
        if (!factory().OpenPickRecordset(set, 0, nullptr, 16)) return nullptr;
        return std::unique_ptr<CTeskPickSet>(set);
    }
};

TEST_P(ExchangeRoundTripTest, WellHeaderCodes) {
    const std::string id = scalar("SELECT MIN(\"Well ID\") FROM \"WellHeader\" WHERE \"Is Deviated\" = 0");
    const std::string filter = "\"Well ID\" = '" + id + "'";
    const tesk::survey::Points points{{0, 0, 0, 0}, {12.5, -3.25, 998.0, 1000.0}};
    const CTime spud(2011, 7, 4, 6, 30, 15);
    const COleDateTime completion(2011, 9, 1, 17, 45, 0);
    const TIMESTAMP_STRUCT modified = tesk::db::MakeTimestamp(2024, 2, 29, 23, 59, 58, 125000000);
    const std::string remarks(100000, 'r');  // far beyond any default buffer
    {
        std::unique_ptr<CTeskHeaderAndBlobSet> rs(factory().CreateWellAndBlobRecordset(0, nullptr, 16, filter.c_str(), ""));
        ASSERT_FALSE(rs->IsEOF());
        rs->Edit();
        rs->m_bIsDeviated = 1;                                       // 1
        rs->m_dTotalDepth = 1000.0;                                  // 7
        rs->m_SpudDate = spud;                                       // 8
        rs->m_SurveyBlob = tesk::survey::EncodeSurveyBlob(points);  // 9
        rs->m_strOperator = "Trinity Exploration \xC3\xA9";         // 10, UTF-8
        rs->m_LastModified = modified;                               // 15
        rs->m_CompletionDate = completion;                           // 16
        rs->m_strRemarks = remarks;                                  // 20
        rs->m_strKBElevation = "87.45";                              // 21
        ASSERT_TRUE(rs->Update());
    }
    std::unique_ptr<CTeskHeaderAndBlobSet> rs(factory().CreateWellAndBlobRecordset(0, nullptr, 16, filter.c_str(), ""));
    ASSERT_FALSE(rs->IsEOF());
    EXPECT_EQ(rs->m_bIsDeviated, 1);
    EXPECT_EQ(rs->m_dTotalDepth, 1000.0);
    EXPECT_EQ(rs->m_SpudDate, spud);
    tesk::survey::Points back;
    ASSERT_TRUE(rs->GetSurveyPoints(back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].x, 12.5);
    EXPECT_EQ(rs->m_strOperator, "Trinity Exploration \xC3\xA9");
    EXPECT_TRUE(rs->m_LastModified == tesk::db::MakeTimestamp(2024, 2, 29, 23, 59, 58, 125000000));
    EXPECT_EQ(rs->m_CompletionDate.GetYear(), 2011);
    EXPECT_EQ(rs->m_CompletionDate.GetMinute(), 45);
    EXPECT_EQ(rs->m_strRemarks.size(), remarks.size());
    EXPECT_EQ(rs->m_strKBElevation, "87.45");
    EXPECT_EQ(scalar("SELECT \"_rowver\" FROM \"WellHeader\" WHERE " + filter), "1");
}

TEST_P(ExchangeRoundTripTest, PickAndLookupCodes) {
    const std::string key = scalar("SELECT MIN(\"_id\") FROM \"FormationTop\"");
    const std::string filter = "\"_id\" = " + key;
    {
        auto picks = openPicks(filter);
        ASSERT_TRUE(picks && !picks->IsEOF());
        picks->Edit();
        picks->m_nObservationNumber = 7;                                                  // 4
        picks->m_nQuality = 255;                                                          // 2
        std::strcpy(picks->m_szInterpreter, "a-thirty-two-character-interp.!");          // 17
        ASSERT_TRUE(picks->Update());
    }
    auto picks = openPicks(filter);
    EXPECT_EQ(picks->m_nObservationNumber, 7);
    EXPECT_EQ(picks->m_nQuality, 255);
    EXPECT_STREQ(picks->m_szInterpreter, "a-thirty-two-character-interp.!");

    // The database refuses a null observation number.
    picks->Edit();
    picks->SetFieldNull(&picks->m_nObservationNumber);
    EXPECT_THROW(picks->Update(), CDBException);

    std::unique_ptr<CTeskFormationLookupSet> lookup(factory().CreateFormationRecordset(
        1, TeskFormationLookup::ALL_FORMATIONS, TeskFormationLookup::ORDER_BY_SEQUENCE, 0, nullptr, 16,
        "\"Formation\" = 'Frio'", ""));
    lookup->Edit();
    lookup->m_nSequence = 80;                   // 3
    std::strcpy(lookup->m_szColor, "#123456");  // 17
    ASSERT_TRUE(lookup->Update());
    std::unique_ptr<CTeskFaultLookupSet> faults(
        factory().CreateFaultLookupRecordset(0, nullptr, 16, "", "", "THRUST"));
    ASSERT_FALSE(faults->IsEOF());
    faults->Edit();
    faults->m_fDip = 27.5f;  // 6
    ASSERT_TRUE(faults->Update());

    lookup.reset(factory().CreateFormationRecordset(1, TeskFormationLookup::ALL_FORMATIONS,
                                                    TeskFormationLookup::ORDER_BY_SEQUENCE, 0, nullptr, 16,
                                                    "\"Formation\" = 'Frio'", ""));
    EXPECT_EQ(lookup->m_nSequence, 80);
    EXPECT_STREQ(lookup->m_szColor, "#123456");
    faults.reset(factory().CreateFaultLookupRecordset(0, nullptr, 16, "", "", "THRUST"));
    EXPECT_EQ(faults->m_fDip, 27.5f);
}

TEST_P(ExchangeRoundTripTest, RowVersionCatchesAConcurrentChange) {
    const std::string filter = "\"Source\" = 'Geology-JD'";
    std::unique_ptr<CTeskHierarchicalSourceSet> mine(
        factory().CreateHierarchicalSourceRecordset(0, nullptr, 16, filter.c_str(), "", ""));
    ASSERT_FALSE(mine->IsEOF());
    // Someone else changes the row behind the record set's back; the trigger raises its version.
    db().ExecuteSQL("UPDATE \"Source\" SET \"Writable\" = 0 WHERE " + filter);
    mine->Edit();
    mine->m_strDescription = "mine";
    EXPECT_THROW(mine->Update(), CDBException);
    EXPECT_EQ(scalar("SELECT \"_rowver\" FROM \"Source\" WHERE " + filter), "1");
}

TEST_P(ExchangeRoundTripTest, DynamicSetBindsByColumnType) {
    std::unique_ptr<CTeskDynamicSet> rs(factory().CreateDynamicRecordset(
        0,
        "SELECT \"Well ID\", \"Is Deviated\", \"Total Depth\", \"KB Elevation\", \"Spud Date\", \"Survey Points\", "
        "\"Remarks\" FROM \"WellHeader\"",
        16, "\"Is Deviated\" = 1", "\"Well ID\"", "wells"));
    ASSERT_TRUE(rs && !rs->IsEOF());
    const int32_t expected[] = {FX_TEXT, FX_LONG, FX_DOUBLE, FX_DECIMALTEXT, FX_TIMESTAMP, FX_BINARY, FX_LONGTEXT};
    ASSERT_EQ(rs->m_rgFieldInfos.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(rs->m_rgFieldInfos[i].m_nDataType, expected[i]) << i;
    EXPECT_EQ(rs->GetFields()[1].nValue, 1);
    EXPECT_GT(rs->GetFields()[2].dValue, 0);
    tesk::survey::Points points;
    EXPECT_TRUE(tesk::survey::DecodeSurveyBlob(rs->GetFields()[5].binValue, points));
    EXPECT_GT(points.size(), 3u);
    EXPECT_FALSE(rs->CanUpdate());
}

INSTANTIATE_TEST_SUITE_P(Engines, ExchangeRoundTripTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
