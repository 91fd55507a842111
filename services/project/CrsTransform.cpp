#include "services/project/CrsTransform.h"

#include <proj.h>

#include <cmath>
#include <stdexcept>

namespace tesk::project {

struct CrsTransform::Impl {
    PJ_CONTEXT* ctx = nullptr;
    PJ* pj = nullptr;
};

CrsTransform::CrsTransform(const std::string& from, const std::string& to) : m_impl(std::make_unique<Impl>()) {
    m_impl->ctx = proj_context_create();
    PJ* raw = proj_create_crs_to_crs(m_impl->ctx, from.c_str(), to.c_str(), nullptr);
    if (raw) {
        m_impl->pj = proj_normalize_for_visualization(m_impl->ctx, raw);
        proj_destroy(raw);
    }
    if (!m_impl->pj) {
        proj_context_destroy(m_impl->ctx);
        throw std::runtime_error("Cannot transform coordinates from " + from + " to " + to);
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

bool CrsTransform::Bounds(double west, double south, double east, double north, double& outWest,
                          double& outSouth, double& outEast, double& outNorth) const {
    return proj_trans_bounds(m_impl->ctx, m_impl->pj, PJ_FWD, west, south, east, north, &outWest, &outSouth,
                             &outEast, &outNorth, 21) != 0;
}

bool IsGeographicCrs(const std::string& crs) {
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* pj = proj_create(ctx, crs.c_str());
    bool geographic = false;
    if (pj) {
        const PJ_TYPE t = proj_get_type(pj);
        geographic = t == PJ_TYPE_GEOGRAPHIC_2D_CRS || t == PJ_TYPE_GEOGRAPHIC_3D_CRS ||
                     t == PJ_TYPE_GEOGRAPHIC_CRS;
        proj_destroy(pj);
    }
    proj_context_destroy(ctx);
    return geographic;
}

} // namespace tesk::project
