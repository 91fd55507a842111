#pragma once
// Opening a record set by name: the name picks the factory's creation
// operation, the area of interest restricts well data through a subquery on
// its well-header view, and the open set is handed to the adapter.

#include <functional>
#include <string>

#include "recordset/RecordsetAdapter.h"

class CRecordset;

namespace TeskDataProvider {

struct DispatchRequest {
    std::string name;
    std::string filter;
    std::string sort;
    // Managed: the client's area-of-interest name. Automation: the project's current one.
    std::string aoiName;
    // Managed only: adds the area-of-interest box to the point-data names' filter.
    std::function<void(std::string& filter)> extendFilterForAoi;
};

// Composes the filter and creates the record set through the factory. The
// adapter's key columns must already be populated. Returns the record set
// (open or not) or null; factory errors pass through.
CRecordset* CreateNamedRecordset(const RecordsetAdapter& adapter, const DispatchRequest& request);

// The "Well ID" subquery over the view, joined to the client's filter:
// "(filter) AND subquery" in the managed library, "filter AND subquery" in
// the automation library.
std::string ComposeWellFilter(const std::string& filter, const std::string& viewName,
                              RecordsetAdapter::Flavour flavour);

} // namespace TeskDataProvider
