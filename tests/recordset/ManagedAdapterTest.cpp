// The managed face of the record-set adapter over a real record set.

#include "managed/ManagedModule.h"
#include "recordset/AdapterFixture.h"
#include "recordset/ManagedRecordset.h"
#include "services/Ambrel/GarbageManager.h"

using TeskDataProvider::ManagedRecordset;

namespace {

TEST(ManagedAdapterWithoutRecordset, GivesNeutralAnswers) {
    auto managed = System::gcnew<ManagedRecordset>();
    EXPECT_EQ(managed->GetNumFields(), 0);
    EXPECT_TRUE(managed->GetFieldName(0).Text().empty());
    EXPECT_EQ(managed->GetFieldSize(0), 0u);
    EXPECT_EQ(managed->GetColumnIndex("Well ID"), -1);
    EXPECT_TRUE(managed->IsBOF());
    EXPECT_TRUE(managed->IsEOF());
    EXPECT_EQ(managed->MoveNext(), -1);
    EXPECT_FALSE(managed->Update());
    EXPECT_FALSE(managed->Requery());
    managed->MoveFirst();
    managed->Edit();
    managed->AddNew();
    managed->Delete();
    EXPECT_EQ(managed->Core().m_indexWellID, -1);
    managed->Dispose();
}

TEST_P(AdapterTest, ManagedMetadataByOrdinal) {
    auto managed = System::gcnew<ManagedRecordset>();
    managed->SetRecordset("adapt", openSet());
    EXPECT_EQ(managed->GetNumFields(), 5);
    EXPECT_EQ(managed->Core().m_indexWellID, 0);
    EXPECT_EQ(System::ToAnsi(managed->GetFieldName(4)), "Count");
    for (short bad : {short(5), short(-1)}) {
        EXPECT_TRUE(managed->GetFieldName(bad).Text().empty());
        EXPECT_EQ(managed->GetFieldSize(bad), 0u);
        EXPECT_EQ(managed->GetFieldScale(bad), 0);
        EXPECT_EQ(managed->GetFieldNullability(bad), 0);
        EXPECT_EQ(managed->GetFieldSQLType(bad), 0);
    }
    EXPECT_EQ(managed->GetFieldSize(2), 40000u);
    EXPECT_EQ(managed->GetFieldNullability(4), SQL_NO_NULLS);
    EXPECT_EQ(managed->GetFieldSQLType(4), SQL_INTEGER);
    EXPECT_EQ(managed->GetColumnIndex("Count"), 4);
    EXPECT_EQ(managed->GetColumnIndex("well id"), -1);
    EXPECT_EQ(managed->GetColumnIndex("Well ID "), -1);
    managed->Dispose();
}

TEST_P(AdapterTest, ManagedMovesAndRefusals) {
    auto managed = System::gcnew<ManagedRecordset>();
    WellSet* rs = openSet();
    managed->SetRecordset("adapt", rs);
    managed->MoveFirst();
    EXPECT_EQ(managed->MoveNext(), 0);
    EXPECT_EQ(rs->m_wellId, "W2");
    EXPECT_EQ(managed->MoveNext(), 0);
    EXPECT_TRUE(managed->IsEOF());

    managed->MoveFirst();
    managed->Edit();
    rs->m_wellId = "W2";  // unique
    try {
        managed->Update();
        FAIL() << "duplicate accepted";
    } catch (const System::SystemException& e) {
        const std::string expected = GetParam() == EngineKind::Sqlite ? "UNIQUE constraint failed: adapt.Well ID"
                                                                      : "ERROR: duplicate key value";
        EXPECT_EQ(e.Message().rfind(expected, 0), 0u) << e.Message();
        EXPECT_LE(e.Message().size(), 254u);
    }
    managed->Dispose();
}

TEST(ManagedAdapterErrors, MessageIsCutTo254Characters) {
    EXPECT_EQ(ManagedRecordset::ConvertToManagedException(CDBException(std::string(300, 'x'))).Message(),
              std::string(254, 'x'));
    EXPECT_EQ(ManagedRecordset::ConvertToManagedException(CDBException("exact")).Message(), "exact");
}

TEST_P(AdapterTest, ManagedReleaseIsOnceAndFinalizationGoesThroughTheRegistry) {
    const int before = g_liveSets;
    {
        auto managed = System::gcnew<ManagedRecordset>();
        managed->SetRecordset("adapt", openSet());
        EXPECT_EQ(g_liveSets, before + 1);
        managed->Dispose();
        EXPECT_EQ(g_liveSets, before);
        managed->Dispose();
        EXPECT_TRUE(managed->IsEOF());
        EXPECT_EQ(managed->GetNumFields(), 0);
    }
    {
        auto dropped = System::gcnew<ManagedRecordset>();
        dropped->SetRecordset("adapt", openSet());
    }
    EXPECT_EQ(g_liveSets, before + 1) << "finalization itself frees nothing";
    EXPECT_EQ(Ambrel::GarbageManager::PendingCount(), 1u);
    EXPECT_EQ(Ambrel::GarbageManager::Collect(), 1u);
    EXPECT_EQ(g_liveSets, before);
}

TEST_P(AdapterTest, ManagedEntriesSwitchTheModuleState) {
    tesk::win32::ModuleState caller{"caller"};
    TESK_MANAGE_STATE(&caller);
    auto managed = System::gcnew<ManagedRecordset>();
    managed->SetRecordset("adapt", openSet());
    g_stateSeen = nullptr;
    managed->Requery();
    EXPECT_EQ(g_stateSeen, TeskDataProvider::ManagedModuleState());
    EXPECT_EQ(tesk::win32::CurrentModuleState(), &caller);
    managed->MoveNext();
    managed->MoveNext();
    EXPECT_THROW(managed->Edit(), CDBException) << "no current row at the end";
    EXPECT_EQ(tesk::win32::CurrentModuleState(), &caller);
    managed->Dispose();
}

INSTANTIATE_TEST_SUITE_P(Engines, AdapterTest, testing::ValuesIn(availableEngines()), engineName);

} // namespace
