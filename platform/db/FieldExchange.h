#pragma once
// Record field exchange: a record set binds each result column to one of its
// data members, in result-column order, with an exchange data-type code that
// says how the member holds its value.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <sql.h>
#include <sqlext.h>

class CRecordset;
class CTime;
class COleDateTime;

using CString = std::string;

enum FieldExchangeCode : int32_t {
    FX_NONE = 0,
    FX_BOOL = 1,          // int32_t, 0 is false
    FX_BYTE = 2,          // uint8_t
    FX_INT = 3,           // int32_t
    FX_LONG = 4,          // int32_t
    FX_SINGLE = 6,        // float
    FX_DOUBLE = 7,        // double
    FX_CTIME = 8,         // CTime, local time
    FX_BINARY = 9,        // std::vector<uint8_t>
    FX_TEXT = 10,         // CString
    FX_TIMESTAMP = 15,    // TIMESTAMP_STRUCT
    FX_OLEDATE = 16,      // COleDateTime
    FX_FIXEDTEXT = 17,    // char buffer of the recorded length
    FX_LONGTEXT = 20,     // CString, long text column
    FX_DECIMALTEXT = 21,  // CString, decimal column kept as text
};

// One bound field: its member, its code and its recorded length.
struct CFieldInfo {
    void* m_pvBindAddress = nullptr;
    int32_t m_nDataType = FX_NONE;
    long m_nLength = 0;  // buffer size for fixed texts, else the member's size
    CString m_strName;
};

// Pointer-to-pointer map that keeps its entries in insertion order.
class CMapPtrToPtr {
public:
    using Entry = std::pair<void*, void*>;
    void SetAt(void* key, void* value);
    // Inline: record sets look members up once per value a client reads.
    bool Lookup(const void* key, void*& value) const {
        for (const auto& entry : m_entries)
            if (entry.first == key) {
                value = entry.second;
                return true;
            }
        return false;
    }
    bool IsEmpty() const { return m_entries.empty(); }
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    void RemoveAll() { m_entries.clear(); }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

private:
    std::vector<Entry> m_entries;
};

class CFieldExchange {
public:
    explicit CFieldExchange(CRecordset* prs) : m_prs(prs) {}
    // Adds the next field: field number = count so far + 1.
    void Register(int32_t code, const char* szName, void* pv, long length);
    CRecordset* m_prs;
};

void RFX_Bool(CFieldExchange* pFX, const char* szName, int32_t& value);
void RFX_Byte(CFieldExchange* pFX, const char* szName, uint8_t& value);
void RFX_Int(CFieldExchange* pFX, const char* szName, int32_t& value);
void RFX_Long(CFieldExchange* pFX, const char* szName, int32_t& value);
void RFX_Single(CFieldExchange* pFX, const char* szName, float& value);
void RFX_Double(CFieldExchange* pFX, const char* szName, double& value);
void RFX_Date(CFieldExchange* pFX, const char* szName, CTime& value);
void RFX_Date(CFieldExchange* pFX, const char* szName, TIMESTAMP_STRUCT& value);
void RFX_Date(CFieldExchange* pFX, const char* szName, COleDateTime& value);
void RFX_Binary(CFieldExchange* pFX, const char* szName, std::vector<uint8_t>& value);
void RFX_Text(CFieldExchange* pFX, const char* szName, CString& value);
// A fixed buffer of nMaxLength bytes, terminator included.
void RFX_Text(CFieldExchange* pFX, const char* szName, char* buffer, int nMaxLength);
void RFX_LongText(CFieldExchange* pFX, const char* szName, CString& value);
void RFX_DecimalText(CFieldExchange* pFX, const char* szName, CString& value);
