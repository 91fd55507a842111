#pragma once
// The project database schema: one table or view per record-set kind. Each
// writable table has an integer key "_id" and a row version "_rowver" that a
// trigger raises on any update that did not raise it itself, so that
// concurrent changes are detected whoever writes.

#include <string>
#include <vector>

#include "platform/db/Backend.h"

class CDatabase;

namespace tesk::project {

// Table and view names.
namespace table {
inline constexpr const char* kWell = "WellHeader";
inline constexpr const char* kFormationTop = "FormationTop";
inline constexpr const char* kDirectionalSurvey = "DirectionalSurvey";
inline constexpr const char* kSurveyStation = "SurveyStation";
inline constexpr const char* kFaultPick = "FaultPick";
inline constexpr const char* kFormationLookup = "FormationLookup";
inline constexpr const char* kFaultLookup = "FaultLookup";
inline constexpr const char* kSource = "Source";
inline constexpr const char* kDistinctSource = "DistinctSource";  // view
inline constexpr const char* kStratFieldSection = "StratFieldSection";
inline constexpr const char* kFaultFieldPoint = "FaultFieldPoint";
inline constexpr const char* kSurfaceGuidingPoint = "SurfaceGuidingPoint";
inline constexpr const char* kKeyFieldLookup = "KeyFieldLookup";
inline constexpr const char* kInterpIdSequence = "InterpIdSequence";
inline constexpr const char* kFormationAlias = "FormationAlias";
inline constexpr const char* kUnitCategory = "UnitCategory";
inline constexpr const char* kFieldUnitCategory = "FieldUnitCategory";
} // namespace table

// The statements that create the schema on an empty database, in order. For
// PostgreSQL they begin by dropping whatever of ours was there.
std::vector<std::string> SchemaStatements(tesk::db::Engine engine);

// Runs SchemaStatements in one transaction.
void CreateSchema(CDatabase& db);

} // namespace tesk::project
