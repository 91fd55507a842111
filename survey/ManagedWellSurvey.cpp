#include "survey/ManagedWellSurvey.h"

#include <cstdlib>
#include <cstring>

#include "managed/ManagedModule.h"
#include "services/Ambrel/GarbageManager.h"
#include "survey/WellSurveyCore.h"

namespace TeskDataProvider {

using System::Int16;
using System::Int32;

namespace {

double* zeroedArray(size_t n) { return static_cast<double*>(std::calloc(n, sizeof(double))); }

} // namespace

ManagedWellSurvey::ManagedWellSurvey() = default;

ManagedWellSurvey::~ManagedWellSurvey() { releaseAll(); }

const System::Type& ManagedWellSurvey::GetType() const { return System::Type::Of<ManagedWellSurvey>(); }

void ManagedWellSurvey::SetSurveyPts(CTeskSurveyPts* pSurveyPts) {
    MANAGED_ENTRY();
    if (pSurveyPts == m_pSurveyPts) return;
    delete m_pSurveyPts;
    m_pSurveyPts = pSurveyPts;
}

void ManagedWellSurvey::SetSurveySet(double* pInclination, double* pAzimuth) {
    MANAGED_ENTRY();
    if (pInclination != m_inclination) std::free(m_inclination);
    if (pAzimuth != m_azimuth) std::free(m_azimuth);
    m_inclination = pInclination;
    m_azimuth = pAzimuth;
}

CTeskSurveyPts* ManagedWellSurvey::GetSurveyPts() {
    MANAGED_ENTRY();
    return m_pSurveyPts;
}

Int32 ManagedWellSurvey::GetSize() {
    MANAGED_ENTRY();
    return survey::GetSize(m_pSurveyPts);
}

bool ManagedWellSurvey::IsDeviated() {
    MANAGED_ENTRY();
    return survey::IsDeviated(m_pSurveyPts);
}

bool ManagedWellSurvey::GetAt(Int32 index, double& x, double& y, double& z, double& d) {
    MANAGED_ENTRY();
    return survey::GetAt(m_pSurveyPts, index, x, y, z, d);
}

bool ManagedWellSurvey::GetAt(Int32 index, double& x, double& y, double& tvd, double& md, double& inc, double& azi) {
    MANAGED_ENTRY();
    if (!m_pSurveyPts || !m_inclination || !m_azimuth) {
        inc = 0.0;
        azi = 0.0;
        return survey::GetAt(m_pSurveyPts, index, x, y, tvd, md);
    }
    if (!survey::GetAt(m_pSurveyPts, index, x, y, tvd, md)) return false;
    inc = m_inclination[index];
    azi = m_azimuth[index];
    return true;
}

Int16 ManagedWellSurvey::GetUnit() {
    MANAGED_ENTRY();
    return survey::GetUnit();
}

bool ManagedWellSurvey::GetXYZ(double md, double& xOffset, double& yOffset, double& tvd, bool extrapolateBelowTD) {
    MANAGED_ENTRY();
    return survey::GetXYZ(m_pSurveyPts, md, xOffset, yOffset, tvd, extrapolateBelowTD);
}

bool ManagedWellSurvey::ConvertTVDtoMD(double tvd, double& md) {
    MANAGED_ENTRY();
    return survey::ConvertTVDtoMD(m_pSurveyPts, tvd, md);
}

bool ManagedWellSurvey::ConvertMDtoTVD(double md, double& tvd) {
    MANAGED_ENTRY();
    return survey::ConvertMDtoTVD(m_pSurveyPts, md, tvd);
}

bool ManagedWellSurvey::GetPoints(double* x, double* y, double* z, double* md) {
    MANAGED_ENTRY();
    return survey::GetPoints(m_pSurveyPts, x, y, z, md);
}

bool ManagedWellSurvey::SetPoints(Int32 num_points, const double* x, const double* y, const double* z,
                                  const double* md, const double* inc, const double* azi) {
    MANAGED_ENTRY();
    CTeskSurveyPts& pts = points();
    pts.DeleteAll();
    if (num_points <= 0) return true;
    releaseAngles();
    const size_t n = static_cast<size_t>(num_points);
    m_inclination = zeroedArray(n);
    m_azimuth = zeroedArray(n);
    for (size_t i = 0; i < n; ++i) {
        auto* p = new CTeskWellborePt();
        p->SetXOffset(x[i]);
        p->SetYOffset(y[i]);
        p->SetTVD(z[i]);
        p->SetMD(md[i]);
        if (inc && azi) p->SetAngles(inc[i], azi[i]);
        pts.Add(p);
        if (m_inclination && m_azimuth) {
            m_inclination[i] = inc ? inc[i] : 0.0;
            m_azimuth[i] = azi ? azi[i] : 0.0;
        }
    }
    return true;
}

bool ManagedWellSurvey::MakeStraightHole() {
    MANAGED_ENTRY();
    releaseAngles();
    CTeskSurveyPts& pts = points();
    double scratch = 0;
    pts.MakeStraightHole(&scratch);
    const size_t n = static_cast<size_t>(pts.GetSize());
    if (n == 0) return true;  // nothing to hold angles for
    m_inclination = zeroedArray(n);
    m_azimuth = zeroedArray(n);
    if (!m_inclination || !m_azimuth) releaseAngles();
    return true;
}

ManagedWellSurveyRef ManagedWellSurvey::Clone() {
    MANAGED_ENTRY();
    ManagedWellSurveyRef clone = System::gcnew<ManagedWellSurvey>();
    if (m_pSurveyPts) {
        auto* copy = new CTeskSurveyPts();
        *copy = *m_pSurveyPts;
        clone->SetSurveyPts(copy);
    }
    const size_t n = static_cast<size_t>(survey::GetSize(m_pSurveyPts));
    if (m_inclination && m_azimuth && n > 0) {
        double* inc = static_cast<double*>(std::malloc(n * sizeof(double)));
        double* azi = static_cast<double*>(std::malloc(n * sizeof(double)));
        if (inc && azi) {
            std::memcpy(inc, m_inclination, n * sizeof(double));
            std::memcpy(azi, m_azimuth, n * sizeof(double));
            clone->SetSurveySet(inc, azi);
        } else {
            std::free(inc);
            std::free(azi);
        }
    }
    return clone;
}

void ManagedWellSurvey::Dispose() {
    MANAGED_ENTRY();
    Dispose(true);
    System::GC::SuppressFinalize(this);
}

void ManagedWellSurvey::Dispose(bool disposing) {
    if (disposing) releaseAll();
}

void ManagedWellSurvey::Finalize(std::unique_ptr<System::Finalizable> self) {
    std::unique_ptr<ManagedWellSurvey> me(static_cast<ManagedWellSurvey*>(self.release()));
    Ambrel::GarbageManager::Register(std::move(me));
}

void ManagedWellSurvey::releaseAngles() {
    std::free(m_azimuth);
    std::free(m_inclination);
    m_azimuth = nullptr;
    m_inclination = nullptr;
}

void ManagedWellSurvey::releaseAll() {
    releaseAngles();
    delete m_pSurveyPts;
    m_pSurveyPts = nullptr;
}

CTeskSurveyPts& ManagedWellSurvey::points() {
    if (!m_pSurveyPts) m_pSurveyPts = new CTeskSurveyPts();
    return *m_pSurveyPts;
}

} // namespace TeskDataProvider
