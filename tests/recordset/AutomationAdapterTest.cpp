// The automation face of the record-set adapter over a real record set.

#include "automation/AutomationModule.h"
#include "recordset/AdapterFixture.h"
#include "recordset/TeskRecordset.h"

using TeskDataProvider::TeskRecordset;

namespace {

TEST(AutomationAdapterWithoutRecordset, GivesNeutralAnswers) {
    TeskRecordset automation;
    EXPECT_EQ(automation.GetNumFields(), 0);
    EXPECT_EQ(automation.GetFieldName(0), "");
    EXPECT_EQ(automation.GetFieldSize(0), 0);
    EXPECT_TRUE(automation.IsBOF());
    EXPECT_TRUE(automation.IsEOF());
    EXPECT_EQ(automation.MoveNext(), -1);
    EXPECT_FALSE(automation.Update());
    EXPECT_FALSE(automation.Requery());
    automation.MoveFirst();
    automation.Delete();
}

TEST_P(AdapterTest, AutomationFieldSizeIsNarrowedTo16Bits) {
    TeskRecordset automation;
    automation.SetRecordset("adapt", openSet());
    EXPECT_EQ(automation.GetFieldSize(2), -25536) << "precision 40000";
    if (GetParam() == EngineKind::Sqlite) {
        EXPECT_EQ(automation.GetFieldSize(1), 0) << "precision 65536";
    }
    EXPECT_EQ(automation.GetFieldSize(4), 10);
    EXPECT_EQ(automation.GetFieldSize(5), 0);
    EXPECT_EQ(automation.GetFieldName(4), "Count");
}

TEST_P(AdapterTest, AutomationUpdateRefusalIsFalse) {
    TeskRecordset automation;
    WellSet* rs = openSet();
    automation.SetRecordset("adapt", rs);
    automation.Edit();
    rs->m_wellId = "W2";
    EXPECT_FALSE(automation.Update());
    rs->CancelUpdate();
    automation.Edit();
    rs->m_depth = 12.5;
    EXPECT_TRUE(automation.Update());
}

TEST_P(AdapterTest, AutomationDestructionDeletesTheRecordsetAndRestoresState) {
    tesk::win32::ModuleState caller{"caller"};
    TESK_MANAGE_STATE(&caller);
    const int before = g_liveSets;
    {
        TeskRecordset automation;
        automation.SetRecordset("adapt", openSet());
        EXPECT_EQ(g_liveSets, before + 1);
        automation.Requery();
        EXPECT_EQ(g_stateSeen, TeskDataProvider::AutomationModuleState());
        EXPECT_EQ(tesk::win32::CurrentModuleState(), &caller);
    }
    EXPECT_EQ(g_liveSets, before);
}

INSTANTIATE_TEST_SUITE_P(Engines, AdapterTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
