#pragma once
// Directional-survey rows: one per well, with the survey's provenance, its
// bottom-hole offsets and position kept as text, and a printable summary.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "platform/db/COleDateTime.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskSurveyDirSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strWellID;  // "Well ID"
    CString m_strSurveyCompany;  // "Survey Company"
    COleDateTime m_SurveyDate;  // "Survey Date"
    CString m_strSurveyType;  // "Survey Type"
    float m_fMagneticDeclination = 0;  // "Magnetic Declination"
    CString m_strXOffset;  // "X Offset"
    CString m_strYOffset;  // "Y Offset"
    CString m_strTVD;  // "TVD"
    CString m_strBHLongitude;  // "BH Longitude"
    CString m_strBHLatitude;  // "BH Latitude"
    CString m_strHorizontalDisplacement;  // "Horizontal Displacement"
    double m_dLongY = 0;  // "Long/Y"
    double m_dLatX = 0;  // "Lat/X"
    CString m_strSurveyText;  // "Survey Text"

    CString GetDefaultSQL() override { return "\"DirectionalSurvey\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
