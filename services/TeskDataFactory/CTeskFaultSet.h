#pragma once
// Fault picks: where a well cuts a fault, by source and observation number.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskFaultSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    CString m_strWellID;  // "Well ID"
    CString m_strFault;  // "Fault"
    CString m_strSource;  // "Source"
    int32_t m_nObsNo = 0;  // "Obs. No."
    double m_dTopMD = 0;  // "Top MD"
    double m_dTopTVD = 0;  // "Top TVD"
    double m_dSubsea = 0;  // "Subsea"
    double m_dThrow = 0;  // "Throw"
    CString m_strInterpreter;  // "Interpreter"
    CString m_strRemarks;  // "Remarks"

    CString GetDefaultSQL() override { return "\"FaultPick\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
