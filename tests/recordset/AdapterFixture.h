#pragma once
// A real record set of five columns for the adapter tests.

#include <gtest/gtest.h>

#include "platform/db/CDatabase.h"
#include "platform/db/CRecordset.h"
#include "platform/win32/ModuleState.h"
#include "support/TestEngines.h"

using namespace tesk::test;

inline int g_liveSets = 0;
inline tesk::win32::ModuleState* g_stateSeen = nullptr;

class WellSet : public CRecordset {
public:
    explicit WellSet(CDatabase* db) : CRecordset(db) { ++g_liveSets; }
    ~WellSet() override { --g_liveSets; }
    bool Requery() override {
        g_stateSeen = tesk::win32::CurrentModuleState();
        return CRecordset::Requery();
    }
    CString m_wellId, m_name, m_wide;
    double m_depth = 0;
    int32_t m_count = 0;

protected:
    CString GetDefaultSQL() override { return "\"adapt\""; }
    CString GetKeyColumn() override { return "_id"; }
    CString GetVersionColumn() override { return "_rowver"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        RFX_Text(pFX, "Well ID", m_wellId);
        RFX_LongText(pFX, "Name", m_name);
        RFX_Text(pFX, "Wide", m_wide);
        RFX_Double(pFX, "Depth", m_depth);
        RFX_Int(pFX, "Count", m_count);
    }
};

class AdapterTest : public testing::TestWithParam<EngineKind> {
protected:
    void SetUp() override {
        m_db.OpenEx(connectFor(GetParam(), m_dir));
        const bool pg = GetParam() == EngineKind::Postgres;
        m_db.ExecuteSQL(std::string(pg ? "DROP TABLE IF EXISTS \"adapt\";" : "") + "CREATE TABLE \"adapt\" (" +
                        (pg ? "\"_id\" BIGSERIAL PRIMARY KEY," : "\"_id\" INTEGER PRIMARY KEY,") +
                        "\"_rowver\" INTEGER NOT NULL DEFAULT 0, \"Well ID\" VARCHAR(20) NOT NULL UNIQUE,"
                        "\"Name\" TEXT, \"Wide\" VARCHAR(40000), \"Depth\" DOUBLE PRECISION, \"Count\" INTEGER NOT NULL);"
                        "INSERT INTO \"adapt\" (\"Well ID\", \"Count\") VALUES ('W1', 1);"
                        "INSERT INTO \"adapt\" (\"Well ID\", \"Count\") VALUES ('W2', 2);");
    }
    WellSet* openSet() {
        auto* rs = new WellSet(&m_db);
        rs->m_strSort = "\"Count\"";
        rs->Open(CRecordset::dynaset, nullptr, CRecordset::skipDeletedRecords);
        return rs;
    }
    TempDir m_dir;
    CDatabase m_db;
};
