#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"

#include "services/TeskUniversalLoader/SurveyBlob.h"

void CTeskHeaderAndBlobSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Well ID", m_strWellID);
    RFX_Text(pFX, "Well Name", m_strWellName);
    RFX_Text(pFX, "Operator", m_strOperator);
    RFX_Text(pFX, "Status", m_strStatus);
    RFX_Text(pFX, "Field", m_strField);
    RFX_Double(pFX, "Lng", m_dSurfaceX);
    RFX_Double(pFX, "Lat", m_dSurfaceY);
    RFX_Double(pFX, "Longitude", m_dLongitude);
    RFX_Double(pFX, "Latitude", m_dLatitude);
    RFX_Text(pFX, "Surface Z", m_strSurfaceZ);
    RFX_DecimalText(pFX, "KB Elevation", m_strKBElevation);
    RFX_Double(pFX, "Total Depth", m_dTotalDepth);
    RFX_Date(pFX, "Spud Date", m_SpudDate);
    RFX_Date(pFX, "Completion Date", m_CompletionDate);
    RFX_Bool(pFX, "Is Deviated", m_bIsDeviated);
    RFX_Binary(pFX, "Survey Points", m_SurveyBlob);
    RFX_LongText(pFX, "Remarks", m_strRemarks);
    RFX_Date(pFX, "Last Modified", m_LastModified);
}

bool CTeskHeaderAndBlobSet::GetSurveyPoints(tesk::survey::Points& points) const {
    if (IsFieldNull(&m_SurveyBlob)) {
        points.clear();
        return false;
    }
    return tesk::survey::DecodeSurveyBlob(m_SurveyBlob, points) && !points.empty();
}

bool CTeskHeaderAndBlobSet::GetSurveyPts(CTeskSurveyPts* pPts, int nFlags) const {
    if (!pPts) return false;
    pPts->DeleteAll();
    if (IsFieldNull(&m_SurveyBlob)) return false;
    tesk::survey::Points points;
    std::vector<tesk::survey::PointAngles> angles;
    if (!tesk::survey::DecodeSurveyBlob(m_SurveyBlob, points, &angles)) return false;
    if (nFlags != 1) angles.clear();
    pPts->SetPoints(points, angles);
    return pPts->GetSize() > 0;
}
