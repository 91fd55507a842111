#pragma once
// One area of interest of the project: its name, the suffix of its
// "WellHeader_" view, and its extents in the coordinate system they are
// stored in.

#include <string>

#include "services/Meriq10/MapExtents.h"

using CString = std::string;

class CQoAoiItemData {
public:
    CQoAoiItemData(CString name, CString viewSuffix, const MapExtents& extents)
        : m_strName(std::move(name)), m_strViewSuffix(std::move(viewSuffix)), m_extents(extents) {}
    CQoAoiItemData(const CQoAoiItemData&) = delete;
    CQoAoiItemData& operator=(const CQoAoiItemData&) = delete;
    virtual ~CQoAoiItemData() = default;

    const CString& Name() const { return m_strName; }
    const CString& ViewSuffix() const { return m_strViewSuffix; }
    const MapExtents& Extents() const { return m_extents; }

private:
    CString m_strName;
    CString m_strViewSuffix;
    MapExtents m_extents;
};
