#include "services/TeskDataFactory/CTeskDataInitializer.h"

#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskUnitsObjectImpl.h"
#include "services/TeskDataFactory/CTeskUserDefaultsImpl.h"

// The factory and the units object keep no state of their own: they read the
// current project on every call.
CTeskDataFactory* CTeskDataInitializer::GetDataFactory() {
    static CTeskDataFactory factory;
    return &factory;
}

CTeskUnitsObjectImpl* CTeskDataInitializer::GetUnitsObject() {
    static CTeskUnitsObjectImpl units;
    return &units;
}

CTeskUserDefaultsImpl* CTeskDataInitializer::GetUserDefaults() {
    static thread_local CTeskUserDefaultsImpl defaults;  // Load rewrites it: one per thread
    defaults.Load();
    return &defaults;
}
