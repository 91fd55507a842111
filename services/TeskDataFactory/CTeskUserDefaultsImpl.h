#pragma once
// The user's defaults in the current project: the active strat column and
// the current interpreter, as of the last Load.

#include <string>

using CString = std::string;

class CTeskUserDefaultsImpl {
public:
    // Re-reads the defaults from the current project's descriptor on disk.
    // Raises std::runtime_error when no project can be opened.
    void Load();

    CString m_strActiveStratColumn;
    CString m_strCurrentInterpreter;
};
