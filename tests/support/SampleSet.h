#pragma once
// A table with one column of every exchange code, and the record set that binds it.

#include <string>
#include <vector>

#include "platform/db/CDatabase.h"
#include "platform/db/COleDateTime.h"
#include "platform/db/CRecordset.h"
#include "platform/db/CTime.h"

namespace tesk::test {

inline std::string sampleSchema(tesk::db::Engine engine) {
    const bool pg = engine == tesk::db::Engine::Odbc;
    return std::string(pg ? "DROP TABLE IF EXISTS \"sample\";" : "") +
           "CREATE TABLE \"sample\" (" +
           (pg ? "\"_id\" BIGSERIAL PRIMARY KEY," : "\"_id\" INTEGER PRIMARY KEY,") +
           "\"_rowver\" INTEGER NOT NULL DEFAULT 0,"
           "\"Flag\" INTEGER CHECK (\"Flag\" IN (-1, 0, 1)),"
           "\"Small\" SMALLINT,"
           "\"Count\" INTEGER NOT NULL,"
           "\"Id\" INTEGER,"
           "\"Ratio\" REAL,"
           "\"Depth\" DOUBLE PRECISION,"
           "\"Spud\" TIMESTAMP,"
           "\"Blob\" " + (pg ? "BYTEA" : "BLOB") + ","
           "\"Name\" VARCHAR(40) UNIQUE,"
           "\"Stamp\" TIMESTAMP,"
           "\"Ole\" TIMESTAMP,"
           "\"Code\" VARCHAR(8),"
           "\"Notes\" TEXT,"
           "\"Elev\" NUMERIC(10,2) DEFAULT 7.5)";
}

// Binds one member of every exchange code.
class SampleSet : public CRecordset {
public:
    using CRecordset::CRecordset;
    int32_t m_flag = 0;
    uint8_t m_small = 0;
    int32_t m_count = 0;
    int32_t m_id = 0;
    float m_ratio = 0;
    double m_depth = 0;
    CTime m_spud;
    std::vector<uint8_t> m_blob;
    CString m_name;
    TIMESTAMP_STRUCT m_stamp{};
    COleDateTime m_ole;
    char m_code[9] = {};
    CString m_notes;
    CString m_elev;

protected:
    CString GetDefaultSQL() override { return "\"sample\""; }
    CString GetKeyColumn() override { return "_id"; }
    CString GetVersionColumn() override { return "_rowver"; }
    void DoFieldExchange(CFieldExchange* pFX) override {
        RFX_Bool(pFX, "Flag", m_flag);
        RFX_Byte(pFX, "Small", m_small);
        RFX_Int(pFX, "Count", m_count);
        RFX_Long(pFX, "Id", m_id);
        RFX_Single(pFX, "Ratio", m_ratio);
        RFX_Double(pFX, "Depth", m_depth);
        RFX_Date(pFX, "Spud", m_spud);
        RFX_Binary(pFX, "Blob", m_blob);
        RFX_Text(pFX, "Name", m_name);
        RFX_Date(pFX, "Stamp", m_stamp);
        RFX_Date(pFX, "Ole", m_ole);
        RFX_Text(pFX, "Code", m_code, sizeof m_code);
        RFX_LongText(pFX, "Notes", m_notes);
        RFX_DecimalText(pFX, "Elev", m_elev);
    }
};

} // namespace tesk::test
