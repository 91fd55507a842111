#include "platform/db/FieldExchange.h"

#include "platform/db/COleDateTime.h"
#include "platform/db/CRecordset.h"
#include "platform/db/CTime.h"

void CMapPtrToPtr::SetAt(void* key, void* value) {
    for (auto& entry : m_entries)
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    m_entries.emplace_back(key, value);
}

void CFieldExchange::Register(int32_t code, const char* szName, void* pv, long length) {
    m_prs->registerField(code, szName, pv, length);
}

void RFX_Bool(CFieldExchange* pFX, const char* szName, int32_t& value) {
    pFX->Register(FX_BOOL, szName, &value, sizeof value);
}
void RFX_Byte(CFieldExchange* pFX, const char* szName, uint8_t& value) {
    pFX->Register(FX_BYTE, szName, &value, sizeof value);
}
void RFX_Int(CFieldExchange* pFX, const char* szName, int32_t& value) {
    pFX->Register(FX_INT, szName, &value, sizeof value);
}
void RFX_Long(CFieldExchange* pFX, const char* szName, int32_t& value) {
    pFX->Register(FX_LONG, szName, &value, sizeof value);
}
void RFX_Single(CFieldExchange* pFX, const char* szName, float& value) {
    pFX->Register(FX_SINGLE, szName, &value, sizeof value);
}
void RFX_Double(CFieldExchange* pFX, const char* szName, double& value) {
    pFX->Register(FX_DOUBLE, szName, &value, sizeof value);
}
void RFX_Date(CFieldExchange* pFX, const char* szName, CTime& value) {
    pFX->Register(FX_CTIME, szName, &value, sizeof value);
}
void RFX_Date(CFieldExchange* pFX, const char* szName, TIMESTAMP_STRUCT& value) {
    pFX->Register(FX_TIMESTAMP, szName, &value, sizeof value);
}
void RFX_Date(CFieldExchange* pFX, const char* szName, COleDateTime& value) {
    pFX->Register(FX_OLEDATE, szName, &value, sizeof value);
}
void RFX_Binary(CFieldExchange* pFX, const char* szName, std::vector<uint8_t>& value) {
    pFX->Register(FX_BINARY, szName, &value, 0);
}
void RFX_Text(CFieldExchange* pFX, const char* szName, CString& value) {
    pFX->Register(FX_TEXT, szName, &value, 0);
}
void RFX_Text(CFieldExchange* pFX, const char* szName, char* buffer, int nMaxLength) {
    pFX->Register(FX_FIXEDTEXT, szName, buffer, nMaxLength);
}
void RFX_LongText(CFieldExchange* pFX, const char* szName, CString& value) {
    pFX->Register(FX_LONGTEXT, szName, &value, 0);
}
void RFX_DecimalText(CFieldExchange* pFX, const char* szName, CString& value) {
    pFX->Register(FX_DECIMALTEXT, szName, &value, 0);
}
