#pragma once
// Well data services that the factory offers through an interface of their
// own: survey stations, the directional-survey row and its summary text.

#include <string>
#include <vector>

#include "services/TeskUniversalLoader/SurveyTypes.h"

using CString = std::string;
class CTeskSurveyDirSet;

class ITeskWellDataServices {
public:
    // True when the current project has a well with this id.
    virtual bool WellExists(const char* lpszWellID) = 0;
    // The well's stored survey stations in MD order; false when it has none.
    virtual bool GetSurveyStations(const char* lpszWellID, std::vector<tesk::survey::Station>& stations) = 0;
    // Replaces the well's stored survey stations.
    virtual void SetSurveyStations(const char* lpszWellID, const std::vector<tesk::survey::Station>& stations) = 0;
    // The directional-survey rows, opened. With a well id, only that well's
    // row, created empty first when the well has none; null when no such well
    // exists. bReadOnly opens the set read-only.
    virtual CTeskSurveyDirSet* CreateSurveyDirRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                        const char* lpszFilter, const char* lpszSort,
                                                        const char* lpszWellID, bool bReadOnly = false) = 0;
    // Removes the well's directional-survey row; false when it had none.
    virtual bool DeleteSurveyDir(const char* lpszWellID) = 0;
    // Writes the summary line of a directional-survey row: how the survey was
    // computed, in which unit, when and by whom.
    virtual bool FillSurveyDirText(CString& strSurveyText) = 0;

protected:
    ~ITeskWellDataServices() = default;
};
