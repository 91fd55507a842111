#include "managed/ManagedRecordset.h"

#include "services/Ambrel/GarbageManager.h"

namespace Tesk_ManagedDataProvider {

ManagedRecordset::ManagedRecordset() : m_pManagedRecordset(System::gcnew<TeskDataProvider::ManagedRecordset>()) {}

ManagedRecordset::ManagedRecordset(TeskDataProvider::ManagedRecordsetRef adapter)
    : m_pManagedRecordset(std::move(adapter)) {}

ManagedRecordset::~ManagedRecordset() = default;

const System::Type& ManagedRecordset::GetType() const { return System::Type::Of<ManagedRecordset>(); }

TeskDataProvider::ManagedRecordset& ManagedRecordset::adapter() {
    if (!m_pManagedRecordset) throw System::NullReferenceException();
    return *m_pManagedRecordset;
}

System::Int16 ManagedRecordset::GetNumFields() { return adapter().GetNumFields(); }
System::String ManagedRecordset::GetFieldName(System::Int16 index) { return adapter().GetFieldName(index); }
bool ManagedRecordset::IsEOF() { return adapter().IsEOF(); }
System::Int32 ManagedRecordset::MoveNext() { return adapter().MoveNext(); }
System::ObjectRef ManagedRecordset::GetFieldValue(System::Int16 index) { return adapter().GetFieldValue(index); }

void ManagedRecordset::Dispose() {
    Dispose(true);
    System::GC::SuppressFinalize(this);
}

void ManagedRecordset::Dispose(bool disposing) {
    if (disposing) DeleteMe();
}

void ManagedRecordset::DeleteMe() { m_pManagedRecordset.reset(); }

void ManagedRecordset::Finalize(std::unique_ptr<System::Finalizable> self) {
    std::unique_ptr<ManagedRecordset> me(static_cast<ManagedRecordset*>(self.release()));
    Ambrel::GarbageManager::Register(std::move(me));
}

} // namespace Tesk_ManagedDataProvider
