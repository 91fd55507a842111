#pragma once
// The object-lifetime registry: managed objects finalized without Dispose are
// handed here and disposed later, outside the finalizer.

#include <cstddef>
#include <memory>

#include "platform/clr/Disposable.h"

namespace Ambrel {

class GarbageManager {
public:
    // Takes ownership; the object is disposed and deleted by Collect or at exit.
    static void Register(std::unique_ptr<System::IDisposable> obj);
    // Disposes and deletes every registered object; returns how many.
    static size_t Collect();
    static size_t PendingCount();
};

} // namespace Ambrel
