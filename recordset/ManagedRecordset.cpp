#include "recordset/ManagedRecordset.h"

#include "managed/ManagedModule.h"
#include "services/Ambrel/GarbageManager.h"

namespace TeskDataProvider {

using System::Int16;

ManagedRecordset::ManagedRecordset() : m_core(RecordsetAdapter::Flavour::Managed) {}

ManagedRecordset::~ManagedRecordset() { DeleteMe(); }

const System::Type& ManagedRecordset::GetType() const { return System::Type::Of<ManagedRecordset>(); }

void ManagedRecordset::SetRecordset(const char* lpszName, CRecordset* pBaseSet) {
    MANAGED_ENTRY();
    m_core.SetRecordset(lpszName, pBaseSet);
}

Int16 ManagedRecordset::GetNumFields() {
    MANAGED_ENTRY();
    return m_core.GetNumFields();
}

System::String ManagedRecordset::GetFieldName(Int16 index) {
    MANAGED_ENTRY();
    return System::FromAnsi(m_core.GetFieldName(index));
}

System::UInt32 ManagedRecordset::GetFieldSize(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetFieldSize(index);
}

Int16 ManagedRecordset::GetFieldScale(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetFieldScale(index);
}

Int16 ManagedRecordset::GetFieldNullability(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetFieldNullability(index);
}

Int16 ManagedRecordset::GetFieldSQLType(Int16 index) {
    MANAGED_ENTRY();
    return m_core.GetFieldSQLType(index);
}

Int16 ManagedRecordset::GetColumnIndex(const char* lpszColumnName) {
    MANAGED_ENTRY();
    return m_core.GetColumnIndex(lpszColumnName);
}

bool ManagedRecordset::IsBOF() {
    MANAGED_ENTRY();
    return m_core.IsBOF();
}

bool ManagedRecordset::IsEOF() {
    MANAGED_ENTRY();
    return m_core.IsEOF();
}

void ManagedRecordset::MoveFirst() {
    MANAGED_ENTRY();
    m_core.MoveFirst();
}

System::Int32 ManagedRecordset::MoveNext() {
    MANAGED_ENTRY();
    return m_core.MoveNext();
}

void ManagedRecordset::Edit() {
    MANAGED_ENTRY();
    m_core.Edit();
}

void ManagedRecordset::AddNew() {
    MANAGED_ENTRY();
    m_core.AddNew();
}

bool ManagedRecordset::Update() {
    MANAGED_ENTRY();
    try {
        return m_core.Update();
    } catch (const CDBException& e) {
        throw ConvertToManagedException(e);
    }
}

void ManagedRecordset::Delete() {
    MANAGED_ENTRY();
    try {
        m_core.Delete();
    } catch (const CDBException& e) {
        throw ConvertToManagedException(e);
    }
}

bool ManagedRecordset::Requery() {
    MANAGED_ENTRY();
    return m_core.Requery();
}

void ManagedRecordset::PopulateKeyColumns(const char* name) {
    MANAGED_ENTRY();
    m_core.PopulateKeyColumns(name);
}

void ManagedRecordset::AddKeyColumn(const char* lpszKeyColumn) {
    MANAGED_ENTRY();
    m_core.AddKeyColumn(lpszKeyColumn);
}

void ManagedRecordset::AddLinkedDepthColumn(const char* lpszLinkedDepthColumn,
                                            TeskDepthUnitType::DEPTH_UNIT_TYPE nType) {
    MANAGED_ENTRY();
    m_core.AddLinkedDepthColumn(lpszLinkedDepthColumn, nType);
}

void ManagedRecordset::AddCoordinateColumn(const char* lpszOrdinateColumn, teskCoordinate coordinate,
                                           const char* lpszCoordinateColumn) {
    MANAGED_ENTRY();
    m_core.AddCoordinateColumn(lpszOrdinateColumn, coordinate, lpszCoordinateColumn);
}

bool ManagedRecordset::IsKeyColumn(const System::String& columnName) {
    MANAGED_ENTRY();
    return m_core.IsColumnKey(System::ToAnsi(columnName).c_str());
}

bool ManagedRecordset::IsColumnKey(const char* lpszColumnName) {
    MANAGED_ENTRY();
    return m_core.IsColumnKey(lpszColumnName);
}

void ManagedRecordset::ClearKeyColumns() {
    MANAGED_ENTRY();
    m_core.ClearKeyColumns();
}

System::SystemException ManagedRecordset::ConvertToManagedException(const CException& e) {
    char message[255];
    if (!e.GetErrorMessage(message, sizeof message)) message[0] = '\0';
    return System::SystemException(message);
}

void ManagedRecordset::Dispose() {
    MANAGED_ENTRY();
    Dispose(true);
    System::GC::SuppressFinalize(this);
}

void ManagedRecordset::Dispose(bool disposing) {
    if (disposing) DeleteMe();
}

void ManagedRecordset::DeleteMe() { m_core.DeleteMe(); }

void ManagedRecordset::Finalize(std::unique_ptr<System::Finalizable> self) {
    std::unique_ptr<ManagedRecordset> me(static_cast<ManagedRecordset*>(self.release()));
    Ambrel::GarbageManager::Register(std::move(me));
}

} // namespace TeskDataProvider
