#include "ProjectCommands.h"

#include "CommandSupport.h"
#include "RowWriter.h"
#include "platform/text/Format.h"
#include "provider/ManagedDataProvider.h"
#include "services/QoClient/CQoProjectInfo.h"
#include "services/project/CTeskProject.h"

namespace teskdp {

using TeskDataProvider::ManagedDataProvider;

namespace {

std::string unitName(short code) {
    switch (code) {
    case MAP_SIZE_UNITS_FEET: return "feet";
    case MAP_SIZE_UNITS_METERS: return "metres";
    default: return "code " + std::to_string(code);
    }
}

std::string systemText(const CoordSys& cs) {
    return cs.GetDefinition() + (cs.IsValid() ? " (" + cs.GetName() + ")" : " (not a system PROJ knows)");
}

} // namespace

int ShowProject(const Options& options, std::ostream& out) {
    OpenProject(options);
    const CTeskProject& project = CTeskProject::Current();
    const auto& d = project.GetDescriptor();
    out << "project        " << d.name << '\n'
        << "directory      " << CQoProjectInfo::Path() << '\n'
        << "kind           " << (CQoProjectInfo::IsUvoProject() ? "Uvo" : "standard") << '\n'
        << "depth unit     " << unitName(ManagedDataProvider::GetProjectDepthUnit()) << " (display "
        << unitName(ManagedDataProvider::GetDisplayDepthUnit()) << ")\n"
        << "distance unit  " << unitName(ManagedDataProvider::GetProjectDistanceUnit()) << " (display "
        << unitName(ManagedDataProvider::GetDisplayDistanceUnit()) << ")\n"
        << "database CRS   " << systemText(CQoProjectInfo::DatabaseCoordinateSystem()) << '\n'
        << "display CRS    " << systemText(CQoProjectInfo::DisplayCoordinateSystem()) << '\n'
        << "strat column   " << System::ToAnsi(ManagedDataProvider::GetActiveStratColumnName()) << '\n'
        << "interpreter    " << System::ToAnsi(ManagedDataProvider::GetCurrentInterpreter()) << '\n'
        << "current area   " << (CQoProjectInfo::AoiName().empty() ? "(none)" : CQoProjectInfo::AoiName()) << "\n\n"
        << "areas of interest, extents in database coordinates (north, south, east, west):\n";
    auto line = [&out](const std::string& name, const std::string& stored) {
        double n, s, e, w;
        ManagedDataProvider::GetExtentsInDBCoords(name.c_str(), n, s, e, w);
        out << tesk::text::Format("  %-22s %14.6f %14.6f %14.6f %14.6f  stored in %s\n", name.c_str(), n, s, e, w,
                                  stored.c_str());
    };
    for (const auto& area : d.areas) line(area.name, area.crs.empty() ? "the database CRS" : area.crs);
    out << "map window, extents in database coordinates:\n";
    line("", "the map window's own CRS");
    return 0;
}

int DescribeColumns(const Options& options, std::ostream& out) {
    OpenProject(options);
    auto rs = OpenNamed(options, "1 = 0");
    auto writer = MakeRowWriter(options.get("format").value_or("table"), out);
    writer->header({"ordinal", "name", "sql type", "size", "scale", "nullable", "value type", "key", "linked depth",
                    "x/y", "partner", "coordinate", "unit"});
    for (short i = 0; i < rs->GetNumFields(); ++i) {
        const System::String name = rs->GetFieldName(i);
        const short partner = rs->GetCoordinateField(i);
        const short unit = rs->GetFieldUnit(i);
        auto text = [](const std::string& t) { return System::Box(System::FromAnsi(t)); };
        auto yes = [&text](bool b) { return text(b ? "yes" : ""); };
        writer->row({System::Box<int32_t>(i), System::Box(name), System::Box<int32_t>(rs->GetFieldSQLType(i)),
                     System::Box<int32_t>(static_cast<int32_t>(rs->GetFieldSize(i))),
                     System::Box<int32_t>(rs->GetFieldScale(i)),
                     text(rs->GetFieldNullability(i) == 1 ? "yes" : rs->GetFieldNullability(i) == 0 ? "no" : "?"),
                     text(rs->GetFieldType(i).FullName()), yes(rs->IsKeyColumn(name)), yes(rs->IsLinkedDepthColumn(name)),
                     text(rs->IsFieldXCoordinate(i) ? "X" : rs->IsFieldYCoordinate(i) ? "Y" : ""),
                     text(partner >= 0 ? System::ToAnsi(rs->GetFieldName(partner)) : ""), yes(rs->IsFieldCoordinate(i)),
                     text(unit < 0 ? "" : unitName(unit))});
    }
    writer->finish();
    rs->Dispose();
    return 0;
}

} // namespace teskdp
