#pragma once
// Well headers: one row per well with its surface position, elevations,
// dates, status and the stored survey blob.

#include <cstdint>
#include <vector>

#include "platform/db/COleDateTime.h"
#include "platform/db/CRecordset.h"
#include "platform/db/CTime.h"
#include "services/TeskDataFactory/CTeskTableSet.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"
#include "services/TeskUniversalLoader/SurveyTypes.h"

class CTeskHeaderAndBlobSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strWellID;               // "Well ID"
    CString m_strWellName;             // "Well Name"
    CString m_strOperator;             // "Operator"
    CString m_strStatus;               // "Status"
    CString m_strField;                // "Field"
    double m_dSurfaceX = 0;            // "Lng": surface X in the database coordinate system
    double m_dSurfaceY = 0;            // "Lat": surface Y
    double m_dLongitude = 0;           // "Longitude"
    double m_dLatitude = 0;            // "Latitude"
    CString m_strSurfaceZ;             // "Surface Z": ground elevation as text
    CString m_strKBElevation;          // "KB Elevation": decimal kept as text
    double m_dTotalDepth = 0;          // "Total Depth"
    CTime m_SpudDate;                  // "Spud Date"
    COleDateTime m_CompletionDate;     // "Completion Date"
    int32_t m_bIsDeviated = 0;         // "Is Deviated"
    std::vector<uint8_t> m_SurveyBlob; // "Survey Points"
    CString m_strRemarks;              // "Remarks"
    TIMESTAMP_STRUCT m_LastModified{}; // "Last Modified"

    CString GetDefaultSQL() override { return "\"WellHeader\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;

    // The current row's survey points, decoded from its blob. False, with
    // `points` empty, when the row has no valid blob.
    bool GetSurveyPoints(tesk::survey::Points& points) const;
    // Fills the empty point set from the current row's blob; nFlags 1 keeps
    // the stations' angles stored with the points, 0 drops them. False, with
    // the set left empty, when the row has no survey or a damaged one.
    bool GetSurveyPts(CTeskSurveyPts* pPts, int nFlags) const;
};
