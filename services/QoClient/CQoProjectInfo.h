#pragma once
// The open project's workspace: its directory, its kind, its areas of
// interest, its map window and its coordinate systems. Every call reads the
// current project (CTeskProject::Current) and raises std::runtime_error as
// that does when no project can be opened.

#include <string>

#include "services/Meriq10/CoordSys.h"
#include "services/Meriq10/MapExtents.h"
#include "services/QoClient/CQoAoiItemData.h"

using CString = std::string;

// The coordinate system LogicalExtents gives its box in.
enum EXTENTS_CS : int {
    EXTENTS_CS_STORED = 0,    // the system the project stores the extents in
    EXTENTS_CS_DATABASE = 1,  // the database coordinate system
    EXTENTS_CS_DISPLAY = 2,   // the display coordinate system
};

class CQoProjectInfo {
public:
    CQoProjectInfo() = delete;

    // The name of the project's current area of interest; empty for none.
    static CString AoiName();
    // A new item for the area of interest of that name (exact, case-sensitive),
    // owned by the caller; null for an empty or unknown name. Its extents are
    // in the area's own coordinate system, the database's when it names none.
    static CQoAoiItemData* Aoi(const char* lpszAoiName);
    // The project's map window: the box the descriptor gives, or else the box
    // of the wells' surface positions in database coordinates (empty for a
    // project without wells). extentsCS is an EXTENTS_CS; when the box cannot
    // be transformed into the system it names, it comes in the system it is
    // stored in, which it always carries.
    static MapExtents LogicalExtents(int extentsCS);
    // The systems in which the database stores map positions and in which
    // they are shown. The reference stays valid for the life of the process,
    // beyond the project's; a definition PROJ cannot build gives a system
    // that is not valid.
    static const CoordSys& DatabaseCoordinateSystem();
    static const CoordSys& DisplayCoordinateSystem();
    // The project's directory, without a trailing separator.
    static CString Path();
    // True for a project of the Uvo kind.
    static bool IsUvoProject();
};
