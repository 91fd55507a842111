#pragma once
// The project services' singletons. None is ever null; each reflects the
// current project at the time of the call, so callers fetch them afresh
// rather than keep them.

class CTeskDataFactory;
class CTeskUnitsObjectImpl;
class CTeskUserDefaultsImpl;

class CTeskDataInitializer {
public:
    CTeskDataInitializer() = delete;

    static CTeskDataFactory* GetDataFactory();
    static CTeskUnitsObjectImpl* GetUnitsObject();
    // Loads the defaults of the current project first; raises std::runtime_error
    // when no project can be opened.
    static CTeskUserDefaultsImpl* GetUserDefaults();
};
