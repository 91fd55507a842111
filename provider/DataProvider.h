#pragma once
// The automation library's entry object. Its dispatch surface hands out the
// record set it returns with one reference owned by the caller.

#include <memory>
#include <string>

#include "recordset/TeskRecordset.h"

namespace TeskDataProvider {

class DataProvider {
public:
    // The named record set over the project's current area of interest, or
    // null. Texts are 8-bit; null pointers count as empty.
    std::unique_ptr<TeskRecordset> GetTeskRecordset(const char* name, const char* filter, const char* sort);

    // Always true; a client calls it before anything else.
    bool Connect() { return true; }
    // Project queries, answered by the project services unchanged. The strat
    // column is what the user defaults hold now; they are not reloaded.
    short GetProjectDepthUnit();
    short GetDisplayDepthUnit();
    short GetProjectDistanceUnit();
    short GetDisplayDistanceUnit();
    std::string GetActiveStratColumnName();
    int32_t GetNextInterpId(const char* bstrTableName);
    std::string GetLayerDisplayName(const char* layerPath);
    std::string GetLayerPath(const char* layerDisplayName);
};

} // namespace TeskDataProvider
