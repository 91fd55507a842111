#pragma once
// Release and finalization. A managed object is created with gcnew and held
// through shared_ptr. When the last reference goes and the object was never
// disposed (GC::SuppressFinalize not called), its Finalize receives ownership
// of it; the default Finalize deletes it.

#include <memory>
#include <utility>

#include "platform/clr/Object.h"

namespace System {

class IDisposable {
public:
    virtual ~IDisposable() = default;
    virtual void Dispose() = 0;
};

class Finalizable : public Object {
public:
    // Runs in place of the runtime's finalizer; owns the object from here on.
    virtual void Finalize(std::unique_ptr<Finalizable> self) {}
    bool IsFinalizeSuppressed() const { return m_finalizeSuppressed; }

private:
    friend struct GC;
    bool m_finalizeSuppressed = false;
};

struct GC {
    static void SuppressFinalize(Finalizable* obj) {
        if (obj) obj->m_finalizeSuppressed = true;
    }
};

namespace detail {
struct FinalizingDeleter {
    void operator()(Finalizable* obj) const {
        std::unique_ptr<Finalizable> owned(obj);
        if (owned && !owned->IsFinalizeSuppressed()) owned->Finalize(std::move(owned));
    }
};
} // namespace detail

template <class T, class... Args> std::shared_ptr<T> gcnew(Args&&... args) {
    static_assert(std::is_base_of_v<Finalizable, T>);
    return std::shared_ptr<T>(new T(std::forward<Args>(args)...), detail::FinalizingDeleter{});
}

} // namespace System
