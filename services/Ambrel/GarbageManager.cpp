#include "services/Ambrel/GarbageManager.h"

#include <mutex>
#include <vector>

namespace Ambrel {

namespace {

struct Registry {
    std::mutex mutex;
    std::vector<std::unique_ptr<System::IDisposable>> pending;
    ~Registry() { GarbageManager::Collect(); }
};

Registry& registry() {
    static Registry instance;
    return instance;
}

} // namespace

void GarbageManager::Register(std::unique_ptr<System::IDisposable> obj) {
    if (!obj) return;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.pending.push_back(std::move(obj));
}

size_t GarbageManager::Collect() {
    std::vector<std::unique_ptr<System::IDisposable>> batch;
    {
        Registry& r = registry();
        std::lock_guard lock(r.mutex);
        batch.swap(r.pending);
    }
    for (auto& obj : batch) obj->Dispose();
    return batch.size();
}

size_t GarbageManager::PendingCount() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return r.pending.size();
}

} // namespace Ambrel
