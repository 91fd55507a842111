// The managed record set's survey field: a well header row's survey handed
// out as a survey object, and a survey object written back with its stations
// and its directional-survey row.

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "managed/ManagedModule.h"
#include "platform/text/Format.h"
#include "recordset/ManagedRecordset.h"
#include "services/QoClient/CQoProjectInfo.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"
#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"
#include "services/TeskDataFactory/CTeskPositionLog.h"
#include "services/TeskDataFactory/CTeskSurveyDirSet.h"
#include "services/TeskDataFactory/CTeskSurveyStations.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/XYZPt.h"

namespace TeskDataProvider {

namespace {

std::string fixed(double value) { return tesk::text::Format("%lf", value); }

// The well's directional-survey row, ready to edit, or null when it has none.
std::unique_ptr<CTeskSurveyDirSet> openSurveyRow(const std::string& wellId) {
    ITeskWellDataServices* services = CTeskDataInitializer::GetDataFactory();
    return std::unique_ptr<CTeskSurveyDirSet>(
        services->CreateSurveyDirRecordset(CRecordset::useDefault, nullptr, 0, "", "", wellId.c_str(), false));
}

void finish(CTeskSurveyDirSet& row) {
    row.Update();
    row.Close();
}

// A survey that leaves the vertical: the directional-survey row first, then
// the stations, then the survey itself.
bool writeDeviated(ManagedWellSurvey& survey, const std::string& wellId, const XYZPt& surface) {
    CTeskUnitsObjectImpl* units = CTeskDataInitializer::GetUnitsObject();
    const int n = survey.GetSize();
    CTeskPositionLog log;
    std::vector<double> inclinations(static_cast<size_t>(n), 0.0), azimuths(static_cast<size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        double x, y, tvd, md;
        survey.GetAt(i, x, y, tvd, md, inclinations[static_cast<size_t>(i)], azimuths[static_cast<size_t>(i)]);
        log.Add(CTeskWellborePt(x, y, tvd, md));
    }

    auto row = openSurveyRow(wellId);
    if (!row) return false;
    row->Edit();
    double dx, dy, tvd, md;
    survey.GetAt(n - 1, dx, dy, tvd, md);
    row->m_strXOffset = fixed(dx);
    row->m_strYOffset = fixed(dy);
    row->m_strTVD = fixed(tvd);
    CTeskDataInitializer::GetDataFactory()->FillSurveyDirText(row->m_strSurveyText);
    const bool feet = units->DistanceProjectIsFeet();
    double bottomX = surface.x, bottomY = surface.y;
    CQoProjectInfo::DatabaseCoordinateSystem().OffsetPoint(surface.x, surface.y, dx, dy, LengthUnit(feet ? 1 : 2),
                                                           bottomX, bottomY);
    row->m_strBHLatitude = fixed(bottomY);
    row->m_strBHLongitude = fixed(bottomX);
    row->m_strHorizontalDisplacement = fixed(std::sqrt(dx * dx + dy * dy));
    finish(*row);
    row.reset();

    CTeskSurveyStations stations(wellId.c_str());
    stations.RemoveAllPoints();
    stations.UpdateFromPositionLog(wellId.c_str(), log, surface, &CQoProjectInfo::DisplayCoordinateSystem(),
                                   feet ? 1 : 0, inclinations.data(), azimuths.data());

    if (CQoProjectInfo::IsUvoProject() && log.GetPts().GetSize() == 0)
        CTeskDataFactory::DeleteWellboreGeometry(wellId.c_str(), false);
    else
        CTeskDataFactory::UpdateWellboreGeometry(wellId.c_str(), survey.GetSurveyPts(), 1, false);
    return true;
}

// A vertical survey: the stations go, the survey becomes a straight hole (or
// goes, in a Uvo project), and the directional-survey row is emptied last.
bool writeStraight(ManagedWellSurvey& survey, const std::string& wellId, double totalDepth) {
    CTeskSurveyStations(wellId.c_str()).RemoveAllPoints();
    if (CQoProjectInfo::IsUvoProject()) {
        CTeskDataFactory::DeleteWellboreGeometry(wellId.c_str(), false);
    } else {
        // A survey without points reaches the well's total depth.
        double x, y, tvd = totalDepth, md;
        if (survey.GetSize() > 0) survey.GetAt(survey.GetSize() - 1, x, y, tvd, md);
        CTeskDataFactory::Add3PointBLOB(wellId.c_str(), fixed(tvd).c_str());
    }
    auto row = openSurveyRow(wellId);
    if (!row) return true;
    row->Edit();
    for (CString* field : {&row->m_strXOffset, &row->m_strYOffset, &row->m_strTVD, &row->m_strBHLongitude,
                           &row->m_strBHLatitude, &row->m_strHorizontalDisplacement})
        field->clear();
    finish(*row);
    return true;
}

} // namespace

bool ManagedRecordset::IsTeskHeaderAndBlobSet() {
    MANAGED_ENTRY();
    return m_core.IsTeskHeaderAndBlobSet();
}

bool ManagedRecordset::HasSurveyField() {
    MANAGED_ENTRY();
    return m_core.IsTeskHeaderAndBlobSet();
}

bool ManagedRecordset::IsFieldSurvey(int index) {
    MANAGED_ENTRY();
    return m_core.IsFieldSurvey(index);
}

ManagedWellSurveyRef ManagedRecordset::GetWellSurvey() {
    MANAGED_ENTRY();
    if (!m_core.IsTeskHeaderAndBlobSet()) return nullptr;
    return GetWellSurveyFromRecorset(static_cast<CTeskHeaderAndBlobSet*>(m_core.m_pBaseSet));
}

ManagedWellSurveyRef ManagedRecordset::GetWellSurveyFromRecorset(CTeskHeaderAndBlobSet* pHeaderAndBlobSet) {
    auto points = std::make_unique<CTeskSurveyPts>();
    if (pHeaderAndBlobSet) pHeaderAndBlobSet->GetSurveyPts(points.get(), 1);
    auto survey = System::gcnew<ManagedWellSurvey>();
    survey->SetSurveyPts(points.release());
    return survey;
}

bool ManagedRecordset::SetWellSurveyToRecordset(const ManagedWellSurveyRef& wellSurvey) {
    MANAGED_ENTRY();
    if (!m_core.IsTeskHeaderAndBlobSet()) return false;
    if (!wellSurvey) throw System::NullReferenceException();
    const auto& header = *static_cast<CTeskHeaderAndBlobSet*>(m_core.m_pBaseSet);
    const XYZPt surface{header.m_dSurfaceX, header.m_dSurfaceY, std::strtod(header.m_strSurfaceZ.c_str(), nullptr)};
    return wellSurvey->IsDeviated() ? writeDeviated(*wellSurvey, header.m_strWellID, surface)
                                    : writeStraight(*wellSurvey, header.m_strWellID, header.m_dTotalDepth);
}

} // namespace TeskDataProvider
