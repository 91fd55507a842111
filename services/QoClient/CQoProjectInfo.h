#pragma once
// The open project's workspace: its directory, its kind and its current area
// of interest. Every call reads the current project (CTeskProject::Current)
// and raises std::runtime_error as that does when no project can be opened.

#include <string>

using CString = std::string;

class CQoProjectInfo {
public:
    CQoProjectInfo() = delete;

    // The name of the project's current area of interest; empty for none.
    static CString AoiName();
    // The project's directory, without a trailing separator.
    static CString Path();
    // True for a project of the Uvo kind.
    static bool IsUvoProject();
};
