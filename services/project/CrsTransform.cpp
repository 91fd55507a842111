#include "services/project/CrsTransform.h"

#include <proj.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tesk::project {

namespace {

// A context of our own that keeps quiet: an unknown name is reported to the
// caller, not printed on stderr by PROJ.
PJ_CONTEXT* quietContext() {
    PJ_CONTEXT* ctx = proj_context_create();
    proj_log_level(ctx, PJ_LOG_NONE);
    return ctx;
}

// The horizontal system of a compound or bound one, owned by the caller.
PJ* horizontalPart(PJ_CONTEXT* ctx, PJ* crs) {
    for (int depth = 0; crs && depth < 4; ++depth) {
        PJ* inner = nullptr;
        switch (proj_get_type(crs)) {
        case PJ_TYPE_COMPOUND_CRS: inner = proj_crs_get_sub_crs(ctx, crs, 0); break;
        case PJ_TYPE_BOUND_CRS: inner = proj_get_source_crs(ctx, crs); break;
        default: return crs;
        }
        proj_destroy(crs);
        crs = inner;
    }
    return crs;
}

bool describe(PJ_CONTEXT* ctx, PJ* crs, CrsDescription& out) {
    out = CrsDescription{};
    switch (proj_get_type(crs)) {
    case PJ_TYPE_GEOGRAPHIC_2D_CRS:
    case PJ_TYPE_GEOGRAPHIC_3D_CRS: out.kind = CrsDescription::Kind::Geographic; break;
    case PJ_TYPE_PROJECTED_CRS:
    case PJ_TYPE_ENGINEERING_CRS: out.kind = CrsDescription::Kind::Projected; break;
    case PJ_TYPE_UNKNOWN:
    case PJ_TYPE_ELLIPSOID:
    case PJ_TYPE_PRIME_MERIDIAN:
    case PJ_TYPE_GEODETIC_REFERENCE_FRAME:
    case PJ_TYPE_DYNAMIC_GEODETIC_REFERENCE_FRAME:
    case PJ_TYPE_VERTICAL_REFERENCE_FRAME:
    case PJ_TYPE_DYNAMIC_VERTICAL_REFERENCE_FRAME:
    case PJ_TYPE_DATUM_ENSEMBLE:
    case PJ_TYPE_CONVERSION:
    case PJ_TYPE_TRANSFORMATION:
    case PJ_TYPE_CONCATENATED_OPERATION:
    case PJ_TYPE_OTHER_COORDINATE_OPERATION:
    case PJ_TYPE_TEMPORAL_DATUM:
    case PJ_TYPE_ENGINEERING_DATUM:
    case PJ_TYPE_PARAMETRIC_DATUM: return false;  // not a coordinate system at all
    default: out.kind = CrsDescription::Kind::Other; break;
    }
    if (const char* name = proj_get_name(crs)) out.name = name;
    if (PJ* cs = proj_crs_get_coordinate_system(ctx, crs)) {
        const char* unitName = nullptr;
        double factor = 0;
        if (proj_cs_get_axis_info(ctx, cs, 0, nullptr, nullptr, nullptr, &factor, &unitName, nullptr, nullptr)) {
            out.unitFactor = factor;
            if (unitName) out.unitName = unitName;
        }
        proj_destroy(cs);
    }
    if (PJ* ellipsoid = proj_get_ellipsoid(ctx, crs)) {
        double a = 0, b = 0, inverseFlattening = 0;
        int computed = 0;
        if (proj_ellipsoid_get_parameters(ctx, ellipsoid, &a, &b, &computed, &inverseFlattening)) {
            out.semiMajorAxis = a;
            out.flattening = inverseFlattening > 0 ? 1 / inverseFlattening : 0;
        }
        proj_destroy(ellipsoid);
    }
    return true;
}

bool isGeographic(PJ_CONTEXT* ctx, PJ* crs) {
    CrsDescription d;
    PJ* horizontal = horizontalPart(ctx, proj_clone(ctx, crs));
    const bool geographic = horizontal && describe(ctx, horizontal, d) && d.kind == CrsDescription::Kind::Geographic;
    proj_destroy(horizontal);
    return geographic;
}

bool finite(double a, double b, double c, double d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

} // namespace

struct CrsTransform::Impl {
    PJ_CONTEXT* ctx = nullptr;
    PJ* pj = nullptr;
    bool sourceGeographic = false;
    bool targetGeographic = false;
    double sourceHalfTurn = 180;  // 180 degrees in the source system's angular unit
};

CrsTransform::CrsTransform(const std::string& from, const std::string& to) : m_impl(std::make_unique<Impl>()) {
    m_impl->ctx = quietContext();
    PJ* raw = proj_create_crs_to_crs(m_impl->ctx, from.c_str(), to.c_str(), nullptr);
    if (raw) {
        m_impl->pj = proj_normalize_for_visualization(m_impl->ctx, raw);
        proj_destroy(raw);
    }
    if (!m_impl->pj) {
        proj_context_destroy(m_impl->ctx);
        throw std::runtime_error("Cannot transform coordinates from " + from + " to " + to);
    }
    if (PJ* source = proj_get_source_crs(m_impl->ctx, m_impl->pj)) {
        m_impl->sourceGeographic = isGeographic(m_impl->ctx, source);
        CrsDescription d;
        PJ* horizontal = horizontalPart(m_impl->ctx, source);
        if (horizontal && describe(m_impl->ctx, horizontal, d) && d.unitFactor > 0)
            m_impl->sourceHalfTurn = std::numbers::pi / d.unitFactor;
        proj_destroy(horizontal);
    }
    if (PJ* target = proj_get_target_crs(m_impl->ctx, m_impl->pj)) {
        m_impl->targetGeographic = isGeographic(m_impl->ctx, target);
        proj_destroy(target);
    }
}

CrsTransform::~CrsTransform() {
    proj_destroy(m_impl->pj);
    proj_context_destroy(m_impl->ctx);
}

bool CrsTransform::Point(double x, double y, double& outX, double& outY) const {
    const PJ_COORD c = proj_trans(m_impl->pj, PJ_FWD, proj_coord(x, y, 0, 0));
    if (!std::isfinite(c.xy.x) || !std::isfinite(c.xy.y)) return false;
    outX = c.xy.x;
    outY = c.xy.y;
    return true;
}

bool CrsTransform::boundsOnce(double west, double south, double east, double north, double& outWest,
                              double& outSouth, double& outEast, double& outNorth) const {
    double w = 0, s = 0, e = 0, n = 0;
    if (!proj_trans_bounds(m_impl->ctx, m_impl->pj, PJ_FWD, west, south, east, north, &w, &s, &e, &n, 21))
        return false;
    // PROJ reports some failures (a box far outside the projection's domain)
    // as success with infinite bounds.
    if (!finite(w, s, e, n)) return false;
    outWest = w;
    outSouth = s;
    outEast = e;
    outNorth = n;
    return true;
}

bool CrsTransform::Bounds(double west, double south, double east, double north, double& outWest,
                          double& outSouth, double& outEast, double& outNorth) const {
    if (!finite(west, south, east, north) || south > north) return false;
    if (!(m_impl->sourceGeographic && west > east))
        return boundsOnce(west, south, east, north, outWest, outSouth, outEast, outNorth);

    // Across the 180th meridian: PROJ reads such a box correctly for some
    // targets and as its complement, nearly the whole world, for others
    // (between two geographic systems, say). Its two halves are unambiguous.
    const double half = m_impl->sourceHalfTurn;
    double w1, s1, e1, n1, w2, s2, e2, n2;
    if (!boundsOnce(west, south, half, north, w1, s1, e1, n1) || !boundsOnce(-half, south, east, north, w2, s2, e2, n2))
        return false;
    outSouth = std::min(s1, s2);
    outNorth = std::max(n1, n2);
    if (m_impl->targetGeographic) {
        outWest = w1;  // still across: west of the meridian, then east of it
        outEast = e2;
    } else {
        outWest = std::min(w1, w2);
        outEast = std::max(e1, e2);
    }
    return true;
}

bool DescribeCrs(const std::string& crs, CrsDescription& out) {
    PJ_CONTEXT* ctx = quietContext();
    PJ* pj = horizontalPart(ctx, proj_create(ctx, crs.c_str()));
    const bool ok = pj && describe(ctx, pj, out);
    proj_destroy(pj);
    proj_context_destroy(ctx);
    return ok;
}

bool IsGeographicCrs(const std::string& crs) {
    CrsDescription d;
    return DescribeCrs(crs, d) && d.kind == CrsDescription::Kind::Geographic;
}

} // namespace tesk::project
