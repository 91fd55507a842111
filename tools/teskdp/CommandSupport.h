#pragma once
// What teskdp's commands share: the project, the named record sets and
// printing their rows.

#include <memory>
#include <ostream>
#include <string>

#include "Options.h"
#include "recordset/ManagedRecordset.h"
#include "services/DataTypes/ManagedAoi.h"

namespace teskdp {

// Opens --project DIR, else the project TESK_PROJECT names.
void OpenProject(const Options& options);
const std::string& RequireName(const Options& options);
// The record set named by the first positional word, under --aoi when given;
// an unknown name is an error.
TeskDataProvider::ManagedRecordsetRef OpenNamed(const Options& options, const std::string& filter);
// The project's area of interest of that name with its box in database
// coordinates; no area for an empty name, an error for an unknown one.
std::shared_ptr<tesk::DataTypes::ManagedAoi> AreaOfInterest(const std::string& name);
long LimitOf(const Options& options);
// Every row left, up to --limit, as --format says.
void PrintRows(TeskDataProvider::ManagedRecordset& rs, const Options& options, std::ostream& out);

} // namespace teskdp
