#include "CommandSupport.h"

#include <cstdlib>
#include <stdexcept>

#include "RowWriter.h"
#include "provider/ManagedDataProvider.h"
#include "services/QoClient/CQoProjectInfo.h"
#include "services/project/CTeskProject.h"

namespace teskdp {

using TeskDataProvider::ManagedDataProvider;
using TeskDataProvider::ManagedRecordsetRef;

void OpenProject(const Options& options) {
    if (auto dir = options.get("project")) {
        CTeskProject::Open(*dir);
        return;
    }
    const char* env = std::getenv(CTeskProject::kEnvironmentVariable);
    if (!env || !*env) throw std::runtime_error("no project: give --project DIR or set TESK_PROJECT");
    CTeskProject::Open(env);
}

const std::string& RequireName(const Options& options) {
    if (options.positional.empty()) throw std::invalid_argument(options.command + " needs a record-set name");
    return options.positional.front();
}

// Opens the named record set; an unknown name is an error here.
ManagedRecordsetRef OpenNamed(const Options& options, const std::string& filter) {
    const std::string& name = RequireName(options);
    auto aoi = AreaOfInterest(options.get("aoi").value_or(""));
    auto rs = ManagedDataProvider::GetTeskRecordset(System::FromAnsi(name), System::FromAnsi(filter),
                                                    System::FromAnsi(options.get("sort").value_or("")), aoi);
    if (!rs)
        throw std::invalid_argument("'" + name +
                                    "' is not a record set (WellHeader, Formations, OrderedFormations, WellSurveys, "
                                    "Faults, FormationLookup, FaultLookup, HierarchicalSources, DistinctSources, "
                                    "TeskStratFieldSection, TeskFaultFieldPt, TeskSurfGuidingPts, "
                                    "QO_KEYFIELDLOOKUP_PROXY)");
    return rs;
}

long LimitOf(const Options& options) {
    const std::string text = options.get("limit").value_or("-1");
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end) throw std::invalid_argument("--limit needs a number, not '" + text + "'");
    return n;
}

void PrintRows(TeskDataProvider::ManagedRecordset& rs, const Options& options, std::ostream& out) {
    auto writer = MakeRowWriter(options.get("format").value_or("table"), out);
    const short n = rs.GetNumFields();
    std::vector<std::string> names;
    for (short i = 0; i < n; ++i) names.push_back(System::ToAnsi(rs.GetFieldName(i)));
    writer->header(names);
    const long limit = LimitOf(options);
    std::vector<System::ObjectRef> values(static_cast<size_t>(n));
    long printed = 0;
    for (; !rs.IsEOF() && (limit < 0 || printed < limit); rs.MoveNext(), ++printed) {
        for (short i = 0; i < n; ++i) values[static_cast<size_t>(i)] = rs.GetFieldValue(i);
        writer->row(values);
    }
    writer->finish();
}

std::shared_ptr<tesk::DataTypes::ManagedAoi> AreaOfInterest(const std::string& name) {
    auto aoi = std::make_shared<tesk::DataTypes::ManagedAoi>();
    if (name.empty()) return aoi;
    std::unique_ptr<CQoAoiItemData> item(CQoProjectInfo::Aoi(name.c_str()));
    if (!item) throw std::invalid_argument("the project has no area of interest '" + name + "'");
    aoi->Name = System::FromAnsi(name);
    ManagedDataProvider::GetExtentsInDBCoords(name.c_str(), aoi->North, aoi->South, aoi->East, aoi->West);
    return aoi;
}

} // namespace teskdp
