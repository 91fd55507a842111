#include "recordset/TeskRecordset.h"

#include "automation/AutomationModule.h"
#include "platform/db/CDBException.h"

namespace TeskDataProvider {

TeskRecordset::TeskRecordset() : m_core(RecordsetAdapter::Flavour::Automation) {}

TeskRecordset::~TeskRecordset() { m_core.DestroyInReverse(); }

void TeskRecordset::SetRecordset(const char* lpszName, CRecordset* pBaseSet) {
    AUTOMATION_ENTRY();
    m_core.SetRecordset(lpszName, pBaseSet);
}

short TeskRecordset::GetNumFields() {
    AUTOMATION_ENTRY();
    return m_core.GetNumFields();
}

std::string TeskRecordset::GetFieldName(short index) {
    AUTOMATION_ENTRY();
    return m_core.GetFieldName(index);
}

short TeskRecordset::GetFieldSize(short index) {
    AUTOMATION_ENTRY();
    return static_cast<short>(static_cast<uint16_t>(m_core.GetFieldSize(index) & 0xFFFFu));
}

bool TeskRecordset::IsBOF() {
    AUTOMATION_ENTRY();
    return m_core.IsBOF();
}

bool TeskRecordset::IsEOF() {
    AUTOMATION_ENTRY();
    return m_core.IsEOF();
}

void TeskRecordset::MoveFirst() {
    AUTOMATION_ENTRY();
    m_core.MoveFirst();
}

long TeskRecordset::MoveNext() {
    AUTOMATION_ENTRY();
    return m_core.MoveNext();
}

void TeskRecordset::Edit() {
    AUTOMATION_ENTRY();
    m_core.Edit();
}

void TeskRecordset::AddNew() {
    AUTOMATION_ENTRY();
    m_core.AddNew();
}

bool TeskRecordset::Update() {
    AUTOMATION_ENTRY();
    try {
        return m_core.Update();
    } catch (const CDBException&) {
        return false;
    }
}

void TeskRecordset::Delete() {
    AUTOMATION_ENTRY();
    m_core.Delete();
}

bool TeskRecordset::IsKeyColumn(const std::string& columnName) {
    AUTOMATION_ENTRY();
    return m_core.IsColumnKey(columnName.c_str());
}

bool TeskRecordset::Requery() {
    AUTOMATION_ENTRY();
    return m_core.Requery();
}

} // namespace TeskDataProvider
