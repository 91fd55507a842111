#include "services/QoClient/CQoProjectInfo.h"

#include "platform/db/CDatabase.h"
#include "services/Meriq10/MeriqErrors.h"
#include "services/project/CTeskProject.h"

namespace {

// Coordinate systems are handed out by reference and must outlive any
// project that named them.
const CoordSys& interned(const std::string& definition) { return CoordSys::Shared(definition); }

const CoordSys& systemOr(const std::string& crs, const std::string& fallback) {
    return interned(crs.empty() ? fallback : crs);
}

// The box of the wells' surface positions, in database coordinates.
MapExtents wellExtents(CTeskProject& project) {
    MapExtents extents;
    auto st = project.GetDatabase().connection().prepare(
        "SELECT MIN(\"Lat\"), MAX(\"Lat\"), MIN(\"Lng\"), MAX(\"Lng\") FROM \"WellHeader\"");
    st->execute();
    if (st->fetch() && !st->isNull(0))
        extents.setExtents(interned(project.GetDescriptor().databaseCrs), st->getDouble(1), st->getDouble(0),
                           st->getDouble(3), st->getDouble(2));
    st->reset();
    return extents;
}

} // namespace

CString CQoProjectInfo::AoiName() { return CTeskProject::Current().GetDescriptor().currentAoi; }

CQoAoiItemData* CQoProjectInfo::Aoi(const char* lpszAoiName) {
    if (!lpszAoiName || !*lpszAoiName) return nullptr;
    const tesk::project::Descriptor& d = CTeskProject::Current().GetDescriptor();
    const tesk::project::AreaOfInterest* a = d.FindAoi(lpszAoiName);
    if (!a) return nullptr;
    return new CQoAoiItemData(a->name, a->viewSuffix,
                              MapExtents(systemOr(a->crs, d.databaseCrs), a->north, a->south, a->east, a->west));
}

MapExtents CQoProjectInfo::LogicalExtents(int extentsCS) {
    CTeskProject& project = CTeskProject::Current();
    const tesk::project::Descriptor& d = project.GetDescriptor();
    MapExtents extents;
    if (d.logicalExtents.set) {
        const auto& x = d.logicalExtents;
        extents.setExtents(systemOr(x.crs, d.databaseCrs), x.north, x.south, x.east, x.west);
    } else {
        extents = wellExtents(project);
    }
    const CoordSys* target = extentsCS == EXTENTS_CS_DATABASE  ? &interned(d.databaseCrs)
                             : extentsCS == EXTENTS_CS_DISPLAY ? &interned(d.displayCrs)
                                                               : nullptr;
    if (target) {
        MapExtents moved = extents;
        if (moved.transform(*target) == MERIQ_OK) extents = moved;
    }
    return extents;
}

const CoordSys& CQoProjectInfo::DatabaseCoordinateSystem() {
    return interned(CTeskProject::Current().GetDescriptor().databaseCrs);
}

const CoordSys& CQoProjectInfo::DisplayCoordinateSystem() {
    const tesk::project::Descriptor& d = CTeskProject::Current().GetDescriptor();
    return systemOr(d.displayCrs, d.databaseCrs);
}

CString CQoProjectInfo::Path() { return CTeskProject::Current().GetPath().string(); }

bool CQoProjectInfo::IsUvoProject() { return CTeskProject::Current().GetDescriptor().uvo; }
