#pragma once
// The façade's record set: a thin, disposable handle on an inner record-set
// adapter, forwarding a few reading methods. It never disposes the adapter;
// releasing the handle only drops its reference.

#include <memory>

#include "platform/clr/Disposable.h"
#include "recordset/ManagedRecordset.h"

namespace Tesk_ManagedDataProvider {

class DataProvider;

class ManagedRecordset : public System::Finalizable, public System::IDisposable {
public:
    // A handle on a new adapter without a record set.
    ManagedRecordset();
    ~ManagedRecordset() override;
    const System::Type& GetType() const override;

    // Each raises NullReferenceException when the handle holds no adapter.
    System::Int16 GetNumFields();
    System::String GetFieldName(System::Int16 index);
    bool IsEOF();
    System::Int32 MoveNext();
    System::ObjectRef GetFieldValue(System::Int16 index);

    void Dispose() override;

protected:
    virtual void Dispose(bool disposing);
    void Finalize(std::unique_ptr<System::Finalizable> self) override;
    void DeleteMe();

private:
    friend class DataProvider;
    // The handle the provider returns; `adapter` may be null.
    explicit ManagedRecordset(TeskDataProvider::ManagedRecordsetRef adapter);
    TeskDataProvider::ManagedRecordset& adapter();

    TeskDataProvider::ManagedRecordsetRef m_pManagedRecordset;
};

using ManagedRecordsetRef = std::shared_ptr<ManagedRecordset>;

} // namespace Tesk_ManagedDataProvider

template <> struct System::TypeName<Tesk_ManagedDataProvider::ManagedRecordset> {
    static std::string value() { return "Tesk_ManagedDataProvider.ManagedRecordset"; }
};
