#pragma once
// Work that commits whole or not at all on one connection.

#include <functional>

#include "platform/db/Backend.h"

namespace tesk::db {

// Runs `work` between BEGIN and COMMIT; anything it raises rolls the
// transaction back and reaches the caller unchanged.
inline void RunInTransaction(Connection& c, const std::function<void()>& work) {
    c.executeScript("BEGIN");
    try {
        work();
        c.executeScript("COMMIT");
    } catch (...) {
        try {
            c.executeScript("ROLLBACK");
        } catch (...) {
            // the first failure is the one worth reporting
        }
        throw;
    }
}

} // namespace tesk::db
