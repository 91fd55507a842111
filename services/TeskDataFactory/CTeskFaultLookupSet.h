#pragma once
// The project's named faults.

#include <cstdint>
#include <vector>

#include "platform/db/CRecordset.h"
#include "services/TeskDataFactory/CTeskTableSet.h"

class CTeskFaultLookupSet : public CTeskTableSet {
public:
    using CTeskTableSet::CTeskTableSet;

    int32_t m_nID = 0;  // "ID"
    CString m_strFault;  // "Fault"
    CString m_strFaultType;  // "Fault Type"
    float m_fDip = 0;  // "Dip"
    float m_fDipAzimuth = 0;  // "Dip Azimuth"
    CString m_strColor;  // "Color"

    CString GetDefaultSQL() override { return "\"FaultLookup\""; }
    void DoFieldExchange(CFieldExchange* pFX) override;
};
