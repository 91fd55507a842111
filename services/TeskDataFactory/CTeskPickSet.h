#pragma once
// Formation tops: one row per pick of a formation in a well, by source and
// observation number, with its depth as MD, TVD and subsea.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskPickSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strWellID;  // "Well ID"
    CString m_strFormation;  // "Formation"
    CString m_strSource;  // "Source"
    int32_t m_nObservationNumber = 0;  // "Observation Number"
    double m_dTopMD = 0;  // "Top MD"
    double m_dTopTVD = 0;  // "Top TVD"
    double m_dTopSubsea = 0;  // "Top Subsea"
    char m_szInterpreter[33] = {};  // "Interpreter"
    uint8_t m_nQuality = 0;  // "Quality"
    TIMESTAMP_STRUCT m_PickDate{};  // "Pick Date"
    CString m_strRemarks;  // "Remarks"

    CString GetDefaultSQL() override { return "\"FormationTop\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;

    // 1: the set is opened for writing; 0: read-only. Takes effect when the
    // factory opens the set (CTeskDataFactory::OpenPickRecordset).
    void SetUpdateableView(int bUpdateable) { m_bUpdateableView = bUpdateable; }
    int GetUpdateableView() const { return m_bUpdateableView; }

private:
    int m_bUpdateableView = 1;
};
