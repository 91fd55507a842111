#include "services/TeskDataFactory/CTeskSurveyDirSet.h"

void CTeskSurveyDirSet::DoFieldExchange(CFieldExchange* pFX) {
    RFX_Text(pFX, "Well ID", m_strWellID);
    RFX_Text(pFX, "Survey Company", m_strSurveyCompany);
    RFX_Date(pFX, "Survey Date", m_SurveyDate);
    RFX_Text(pFX, "Survey Type", m_strSurveyType);
    RFX_Single(pFX, "Magnetic Declination", m_fMagneticDeclination);
    RFX_Text(pFX, "X Offset", m_strXOffset);
    RFX_Text(pFX, "Y Offset", m_strYOffset);
    RFX_Text(pFX, "TVD", m_strTVD);
    RFX_Text(pFX, "BH Longitude", m_strBHLongitude);
    RFX_Text(pFX, "BH Latitude", m_strBHLatitude);
    RFX_Text(pFX, "Horizontal Displacement", m_strHorizontalDisplacement);
    RFX_Double(pFX, "Long/Y", m_dLongY);
    RFX_Double(pFX, "Lat/X", m_dLatX);
    RFX_LongText(pFX, "Survey Text", m_strSurveyText);
}
