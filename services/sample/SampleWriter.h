#pragma once
// Writes a sample model into a project database that has the schema, in one
// transaction, with prepared statements.

#include "platform/db/Backend.h"
#include "services/sample/SampleModel.h"

namespace tesk::sample::detail {

SampleSummary WriteModel(tesk::db::Connection& c, const Model& model, int64_t topCount);

} // namespace tesk::sample::detail
