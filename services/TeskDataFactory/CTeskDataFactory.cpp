#include "services/TeskDataFactory/CTeskDataFactory.h"

#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>

#include "platform/db/CDatabase.h"
#include "platform/db/Transaction.h"
#include "services/TeskDataFactory/MapSizeUnits.h"
#include "services/project/CTeskProject.h"

using TeskFormationLookup::FORMATIONFILTER;
using TeskFormationLookup::FORMATIONORDER;

namespace {

CDatabase& database() { return CTeskProject::Current().GetDatabase(); }

std::string text(const char* s) { return s ? s : ""; }

std::string literal(const std::string& value) {
    std::string out = "'";
    for (char c : value) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string andFilter(const std::string& filter, const std::string& condition) {
    if (condition.empty()) return filter;
    return filter.empty() ? condition : "(" + filter + ") AND " + condition;
}

// The filter narrowed to rows whose column equals the value; unchanged for an
// empty value.
std::string narrowed(const char* filter, const char* column, const char* value) {
    if (!value || !*value) return text(filter);
    return andFilter(text(filter), std::string("\"") + column + "\" = " + literal(value));
}

template <class T>
T* openNew(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions, std::string filter, std::string sort) {
    auto set = std::make_unique<T>(&database());
    set->m_strFilter = std::move(filter);
    set->m_strSort = std::move(sort);
    if (!set->Open(nOpenType, lpszSQL, dwOptions) || !set->IsOpen()) return nullptr;
    return set.release();
}

// Runs a one-parameter query and collects its first column as text.
std::vector<std::string> texts(const std::string& sql, const std::string& param) {
    auto st = database().connection().prepare(sql);
    st->bind(0, param);
    st->execute();
    std::vector<std::string> out;
    while (st->fetch()) out.emplace_back(st->isNull(0) ? std::string() : std::string(st->getText(0)));
    st->reset();
    return out;
}


} // namespace

// ---------------------------------------------------------------- record sets

CTeskHeaderAndBlobSet* CTeskDataFactory::CreateWellAndBlobRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                    unsigned dwOptions, const char* lpszFilter,
                                                                    const char* lpszSort) {
    return openNew<CTeskHeaderAndBlobSet>(nOpenType, lpszSQL, dwOptions, text(lpszFilter), text(lpszSort));
}

CTeskPickSet* CTeskDataFactory::CreatePickRecordset() { return new CTeskPickSet(&database()); }

int CTeskDataFactory::OpenPickRecordset(CTeskPickSet* pSet, unsigned nOpenType, const char* lpszSQL,
                                        unsigned dwOptions, bool bOrderByDepth) {
    if (!pSet) return 0;
    std::unique_ptr<CTeskPickSet> owned(pSet);  // deleted here on every failure
    if (!pSet->GetUpdateableView()) dwOptions |= CRecordset::readOnly;
    if (bOrderByDepth && pSet->m_strSort.empty()) pSet->m_strSort = "\"Well ID\", \"Top MD\"";
    if (!pSet->Open(nOpenType, lpszSQL, dwOptions) || !pSet->IsOpen()) return 0;
    owned.release();
    return 1;
}

CTeskFaultSet* CTeskDataFactory::CreateFaultRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                      const char* lpszFilter, const char* lpszSort,
                                                      const char* lpszWellID) {
    return openNew<CTeskFaultSet>(nOpenType, lpszSQL, dwOptions, narrowed(lpszFilter, "Well ID", lpszWellID),
                                  text(lpszSort));
}

CTeskFaultLookupSet* CTeskDataFactory::CreateFaultLookupRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                  unsigned dwOptions, const char* lpszFilter,
                                                                  const char* lpszSort, const char* lpszFaultType) {
    return openNew<CTeskFaultLookupSet>(nOpenType, lpszSQL, dwOptions,
                                        narrowed(lpszFilter, "Fault Type", lpszFaultType), text(lpszSort));
}

CTeskHierarchicalSourceSet* CTeskDataFactory::CreateHierarchicalSourceRecordset(
    unsigned nOpenType, const char* lpszSQL, unsigned dwOptions, const char* lpszFilter, const char* lpszSort,
    const char* lpszParentSource) {
    return openNew<CTeskHierarchicalSourceSet>(nOpenType, lpszSQL, dwOptions,
                                               narrowed(lpszFilter, "Parent Source", lpszParentSource),
                                               text(lpszSort));
}

CTeskDistinctSourceSet* CTeskDataFactory::CreateDistinctSourceRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                        unsigned dwOptions, const char* lpszFilter,
                                                                        const char* lpszSort,
                                                                        const char* lpszSource) {
    return openNew<CTeskDistinctSourceSet>(nOpenType, lpszSQL, dwOptions, narrowed(lpszFilter, "Source", lpszSource),
                                           text(lpszSort));
}

CTeskStratFieldSectionSet* CTeskDataFactory::CreateStratFieldSectionRecordset(
    unsigned nOpenType, const char* lpszSQL, unsigned dwOptions, const char* lpszFilter, const char* lpszSort,
    const char* lpszStratColumn) {
    return openNew<CTeskStratFieldSectionSet>(nOpenType, lpszSQL, dwOptions,
                                              narrowed(lpszFilter, "StratColumn", lpszStratColumn), text(lpszSort));
}

CTeskFaultFieldPtSet* CTeskDataFactory::CreateFaultFieldPtRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                    unsigned dwOptions, const char* lpszFilter,
                                                                    const char* lpszSort, const char* lpszFault) {
    return openNew<CTeskFaultFieldPtSet>(nOpenType, lpszSQL, dwOptions, narrowed(lpszFilter, "Fault", lpszFault),
                                         text(lpszSort));
}

CTeskSurfGuidingPtsSet* CTeskDataFactory::CreateSurfGuidingPtsRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                        unsigned dwOptions, const char* lpszFilter,
                                                                        const char* lpszSort) {
    return openNew<CTeskSurfGuidingPtsSet>(nOpenType, lpszSQL, dwOptions, text(lpszFilter), text(lpszSort));
}

CTeskKeyFieldLookupSet* CTeskDataFactory::CreateKeyFieldLookupSet(unsigned nOpenType, const char* lpszSQL,
                                                                  unsigned dwOptions, const char* lpszFilter,
                                                                  const char* lpszSort) {
    return openNew<CTeskKeyFieldLookupSet>(nOpenType, lpszSQL, dwOptions, text(lpszFilter), text(lpszSort));
}

CTeskFormationLookupSet* CTeskDataFactory::CreateFormationRecordset(int bAllColumns, FORMATIONFILTER nFilter,
                                                                    FORMATIONORDER nOrder, unsigned nOpenType,
                                                                    const char* lpszSQL, unsigned dwOptions,
                                                                    const char* lpszFilter, const char* lpszSort) {
    std::string filter = text(lpszFilter);
    if (!bAllColumns) {
        CTeskProject& project = CTeskProject::Current();
        project.ReloadDescriptor();
        filter = andFilter(filter, "\"Column Name\" = " +
                                       literal(project.GetDescriptor().userDefaults.activeStratColumn));
    }
    if (nFilter == TeskFormationLookup::PICKED_FORMATIONS)
        filter = andFilter(filter, "\"Formation\" IN (SELECT \"Formation\" FROM \"FormationTop\")");
    std::string sort = text(lpszSort);
    if (sort.empty())
        sort = nOrder == TeskFormationLookup::ORDER_BY_NAME ? "\"Formation\", \"Column Name\""
                                                            : "\"Column Name\", \"Sequence\"";
    return openNew<CTeskFormationLookupSet>(nOpenType, lpszSQL, dwOptions, filter, sort);
}

CTeskDynamicSet* CTeskDataFactory::CreateDynamicRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                          const char* lpszFilter, const char* lpszSort,
                                                          const char* lpszLabel) {
    if (!lpszSQL || !*lpszSQL) return nullptr;
    auto set = std::make_unique<CTeskDynamicSet>(&database());
    set->m_strLabel = text(lpszLabel);
    set->m_strFilter = text(lpszFilter);
    set->m_strSort = text(lpszSort);
    if (!set->Open(nOpenType, lpszSQL, dwOptions) || !set->IsOpen()) return nullptr;
    return set.release();
}

// ---------------------------------------------------------------- well data services

bool CTeskDataFactory::WellExists(const char* lpszWellID) {
    return !texts("SELECT \"Well ID\" FROM \"WellHeader\" WHERE \"Well ID\" = ?", text(lpszWellID)).empty();
}

bool CTeskDataFactory::GetSurveyStations(const char* lpszWellID, std::vector<tesk::survey::Station>& stations) {
    stations.clear();
    auto st = database().connection().prepare(
        "SELECT \"MD\", \"Inclination\", \"Azimuth\" FROM \"SurveyStation\" WHERE \"Well ID\" = ? ORDER BY \"MD\"");
    st->bind(0, text(lpszWellID));
    st->execute();
    while (st->fetch()) stations.push_back({st->getDouble(0), st->getDouble(1), st->getDouble(2)});
    st->reset();
    return !stations.empty();
}

void CTeskDataFactory::SetSurveyStations(const char* lpszWellID, const std::vector<tesk::survey::Station>& stations) {
    tesk::db::Connection& c = database().connection();
    const std::string well = text(lpszWellID);
    tesk::db::RunInTransaction(c, [&] {
        auto del = c.prepare("DELETE FROM \"SurveyStation\" WHERE \"Well ID\" = ?");
        del->bind(0, well);
        del->execute();
        auto ins = c.prepare(
            "INSERT INTO \"SurveyStation\" (\"Well ID\", \"MD\", \"Inclination\", \"Azimuth\") VALUES (?, ?, ?, ?)");
        for (const tesk::survey::Station& s : stations) {
            ins->bind(0, well);
            ins->bind(1, s.md);
            ins->bind(2, s.inclination);
            ins->bind(3, s.azimuth);
            ins->execute();
        }
    });
}

CTeskSurveyDirSet* CTeskDataFactory::CreateSurveyDirRecordset(unsigned nOpenType, const char* lpszSQL,
                                                              unsigned dwOptions, const char* lpszFilter,
                                                              const char* lpszSort, const char* lpszWellID,
                                                              bool bReadOnly) {
    if (bReadOnly) dwOptions |= CRecordset::readOnly;
    CTeskSurveyDirSet* set = openNew<CTeskSurveyDirSet>(nOpenType, lpszSQL, dwOptions,
                                                        narrowed(lpszFilter, "Well ID", lpszWellID), text(lpszSort));
    // For one well, the set stands on that well's row; a well without a row
    // has no directional survey to update.
    if (set && lpszWellID && *lpszWellID && set->IsOpen() && set->IsEOF()) {
        delete set;
        return nullptr;
    }
    return set;
}

bool CTeskDataFactory::DeleteSurveyDir(const char* lpszWellID) {
    auto st = database().connection().prepare("DELETE FROM \"DirectionalSurvey\" WHERE \"Well ID\" = ?");
    st->bind(0, text(lpszWellID));
    st->execute();
    return st->rowsAffected() > 0;
}

bool CTeskDataFactory::FillSurveyDirText(CString& strSurveyText) {
    CTeskProject& project = CTeskProject::Current();
    const auto& d = project.GetDescriptor();
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    strSurveyText = std::string("Minimum curvature; depths in ") +
                    (d.units.projectDepth == MAP_SIZE_UNITS_METERS ? "metres" : "feet") + "; updated " + stamp;
    if (!d.userDefaults.currentInterpreter.empty()) strSurveyText += " by " + d.userDefaults.currentInterpreter;
    return true;
}

// ---------------------------------------------------------------- static queries

CString CTeskDataFactory::TranslateAOIToViewName(const char* lpszAoiName) {
    if (!lpszAoiName || !*lpszAoiName) return {};
    const tesk::project::AreaOfInterest* aoi = CTeskProject::Current().GetDescriptor().FindAoi(lpszAoiName);
    return aoi ? aoi->viewSuffix : CString();
}

CString CTeskDataFactory::TranslateAOIToViewName() {
    return TranslateAOIToViewName(CTeskProject::Current().GetDescriptor().currentAoi.c_str());
}

int CTeskDataFactory::GetNextInterpId(const char* lpszTableName) {
    // The point tables, also by the names of their record sets.
    static const std::pair<const char*, const char*> kTables[] = {
        {"StratFieldSection", "StratFieldSection"},     {"TeskStratFieldSection", "StratFieldSection"},
        {"FaultFieldPoint", "FaultFieldPoint"},         {"TeskFaultFieldPt", "FaultFieldPoint"},
        {"SurfaceGuidingPoint", "SurfaceGuidingPoint"}, {"TeskSurfGuidingPts", "SurfaceGuidingPoint"},
    };
    const std::string name = text(lpszTableName);
    const char* table = nullptr;
    for (const auto& [alias, real] : kTables)
        if (name == alias) table = real;
    if (!table) return -1;

    // One statement, so the database serialises concurrent callers: each
    // takes the counter's value and moves it on. The counter also moves past
    // the highest id in use, should a client have written ids of its own.
    tesk::db::Connection& c = database().connection();
    const char* greatest = c.engine() == tesk::db::Engine::Sqlite ? "MAX" : "GREATEST";
    auto st = c.prepare(
        "INSERT INTO \"InterpIdSequence\" (\"Table Name\", \"Next ID\") "
        "SELECT ?, COALESCE(MAX(\"InterpID\"), 0) + 2 FROM \"" + std::string(table) + "\" WHERE 1 = 1 "
        "ON CONFLICT (\"Table Name\") DO UPDATE SET \"Next ID\" = " + greatest +
        "(\"InterpIdSequence\".\"Next ID\" + 1, excluded.\"Next ID\") "
        "RETURNING \"Next ID\" - 1");
    st->bind(0, std::string(table));
    st->execute();
    int id = -1;
    if (st->fetch()) id = static_cast<int>(st->getInt64(0));
    while (st->fetch()) {
    }
    st->reset();
    return id;
}

bool CTeskDataFactory::IsSourceWritable(const char* lpszSource) {
    // Automation clients write true as -1.
    const auto v = texts("SELECT \"Source\" FROM \"Source\" WHERE \"Source\" = ? AND \"Writable\" <> 0",
                         text(lpszSource));
    return !v.empty();
}

bool CTeskDataFactory::GetIsAliasedFormation(const char* lpszFormation) {
    return !texts("SELECT \"Alias\" FROM \"FormationAlias\" WHERE \"Formation\" = ?", text(lpszFormation)).empty();
}

CString CTeskDataFactory::GetFormationAlias(const char* lpszFormation) {
    const auto v =
        texts("SELECT \"Alias\" FROM \"FormationAlias\" WHERE \"Formation\" = ? ORDER BY \"Alias\"", text(lpszFormation));
    return v.empty() ? CString() : v.front();
}

CString CTeskDataFactory::GetAliasFormationList(const char* lpszAlias) {
    CString list;
    for (const std::string& f :
         texts("SELECT \"Formation\" FROM \"FormationAlias\" WHERE \"Alias\" = ? ORDER BY \"Formation\"",
               text(lpszAlias)))
        list += (list.empty() ? "" : ", ") + f;
    return list;
}

CString CTeskDataFactory::GetCurrentInterpreter() {
    CTeskProject& project = CTeskProject::Current();
    project.ReloadDescriptor();
    const std::string& named = project.GetDescriptor().userDefaults.currentInterpreter;
    if (!named.empty()) return named;
    // No interpreter chosen in the project: the person logged in.
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}
