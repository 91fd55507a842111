#pragma once
// The managed well-survey object: one wellbore's survey points, with the
// inclination and azimuth of each point when it has them, answering
// positions and depth conversions. It owns its point set and its two angle
// arrays (C heap, released with free). Dispose releases them at once, twice
// is harmless; an object finalized without Dispose is handed to the
// object-lifetime registry, which disposes of it later.

#include <memory>

#include "platform/clr/Disposable.h"
#include "platform/clr/Object.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskDataProvider {

class ManagedWellSurvey;
using ManagedWellSurveyRef = std::shared_ptr<ManagedWellSurvey>;

class ManagedWellSurvey : public System::Finalizable, public System::IDisposable {
public:
    ManagedWellSurvey();
    ~ManagedWellSurvey() override;
    ManagedWellSurvey(const ManagedWellSurvey&) = delete;
    ManagedWellSurvey& operator=(const ManagedWellSurvey&) = delete;
    const System::Type& GetType() const override;

    // Takes ownership; a point set held before is released.
    void SetSurveyPts(CTeskSurveyPts* pSurveyPts);
    // Takes ownership of two arrays from the C heap (malloc), one value per
    // point; arrays held before are released.
    void SetSurveySet(double* pInclination, double* pAzimuth);
    // The owned point set, or null; it stays owned by this object.
    CTeskSurveyPts* GetSurveyPts();

    System::Int32 GetSize();
    bool IsDeviated();
    bool GetAt(System::Int32 index, double& x, double& y, double& z, double& d);
    // Without a point set or without angles, the angles are 0 and the rest is
    // the four-output GetAt.
    bool GetAt(System::Int32 index, double& x, double& y, double& tvd, double& md, double& inc, double& azi);
    System::Int16 GetUnit();
    bool GetXYZ(double md, double& xOffset, double& yOffset, double& tvd, bool extrapolateBelowTD);
    bool ConvertTVDtoMD(double tvd, double& md);
    bool ConvertMDtoTVD(double md, double& tvd);
    // Each array holds at least GetSize() values.
    bool GetPoints(double* x, double* y, double* z, double* md);
    // Replaces the points with num_points from the arrays. inc and azi may be
    // null; when given, the points keep them as their station angles too, so
    // that the survey follows the hole's arcs once stored. An object without
    // a point set gets an empty one first. Always true.
    bool SetPoints(System::Int32 num_points, const double* x, const double* y, const double* z, const double* md,
                   const double* inc, const double* azi);
    // Makes the hole vertical, every angle 0. An object without a point set
    // gets an empty one first. Always true.
    bool MakeStraightHole();
    // A new, independent survey with copies of the points and angles.
    ManagedWellSurveyRef Clone();

    void Dispose() override;

protected:
    virtual void Dispose(bool disposing);
    // Unreleased at finalization: the object-lifetime registry disposes it later.
    void Finalize(std::unique_ptr<System::Finalizable> self) override;

    CTeskSurveyPts* m_pSurveyPts = nullptr;
    double* m_inclination = nullptr;
    double* m_azimuth = nullptr;

private:
    void releaseAngles();
    void releaseAll();
    CTeskSurveyPts& points();
};

} // namespace TeskDataProvider

template <> struct System::TypeName<TeskDataProvider::ManagedWellSurvey> {
    static std::string value() { return "TeskDataProvider.ManagedWellSurvey"; }
};
