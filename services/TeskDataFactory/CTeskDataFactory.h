#pragma once
// The project database factory: creates and opens the record sets of the
// current project, and answers a few project-wide queries.
//
// Every Create...Recordset returns a new set, already opened with the given
// open type, SQL text and options, with m_strFilter and m_strSort set from
// the filter and sort (and narrowed by the trailing argument where it is not
// empty), or null when there is nothing to open. The caller owns the set and
// deletes it. A database refusal (a bad filter, say) raises CDBException; no
// current project raises std::runtime_error.

#include <string>
#include <vector>

#include "services/TeskDataFactory/CTeskDistinctSourceSet.h"
#include "services/TeskDataFactory/CTeskDynamicSet.h"
#include "services/TeskDataFactory/CTeskFaultFieldPtSet.h"
#include "services/TeskDataFactory/CTeskFaultLookupSet.h"
#include "services/TeskDataFactory/CTeskFaultSet.h"
#include "services/TeskDataFactory/CTeskFormationLookupSet.h"
#include "services/TeskDataFactory/CTeskHeaderAndBlobSet.h"
#include "services/TeskDataFactory/CTeskHierarchicalSourceSet.h"
#include "services/TeskDataFactory/CTeskKeyFieldLookupSet.h"
#include "services/TeskDataFactory/CTeskPickSet.h"
#include "services/TeskDataFactory/CTeskStratFieldSectionSet.h"
#include "services/TeskDataFactory/CTeskSurfGuidingPtsSet.h"
#include "services/TeskDataFactory/CTeskSurveyDirSet.h"
#include "services/TeskDataFactory/ITeskWellDataServices.h"
#include "services/TeskUniversalLoader/CTeskSurveyPts.h"

namespace TeskFormationLookup {
// Which formations a formation lookup set holds.
enum FORMATIONFILTER : int {
    ALL_FORMATIONS = 0,     // every formation of the strat columns chosen
    PICKED_FORMATIONS = 1,  // only formations that have at least one top
};
// The order of a formation lookup set opened without a sort of its own.
enum FORMATIONORDER : int {
    ORDER_BY_SEQUENCE = 0,  // by strat column, then stratigraphic sequence
    ORDER_BY_NAME = 1,      // by formation name
};
} // namespace TeskFormationLookup

class CTeskDataFactory : public ITeskWellDataServices {
public:
    CTeskDataFactory() = default;
    CTeskDataFactory(const CTeskDataFactory&) = delete;
    CTeskDataFactory& operator=(const CTeskDataFactory&) = delete;
    virtual ~CTeskDataFactory() = default;

    CTeskHeaderAndBlobSet* CreateWellAndBlobRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                      const char* lpszFilter, const char* lpszSort);

    // A new pick set, not yet opened, for the caller to configure
    // (SetUpdateableView, m_strFilter, m_strSort) and hand to OpenPickRecordset.
    CTeskPickSet* CreatePickRecordset();
    // Opens a pick set from CreatePickRecordset; read-only unless its
    // updateable-view flag is set. bOrderByDepth orders a set without a sort
    // of its own by well and MD. Returns nonzero when the set is open.
    //
    // On failure the factory deletes the set: when this returns zero or
    // raises, pSet is gone and the caller must not touch or delete it.
    int OpenPickRecordset(CTeskPickSet* pSet, unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                          bool bOrderByDepth = false);

    // lpszWellID: only this well's fault picks.
    CTeskFaultSet* CreateFaultRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                        const char* lpszFilter, const char* lpszSort, const char* lpszWellID);
    // lpszFaultType: only faults of this type.
    CTeskFaultLookupSet* CreateFaultLookupRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                    const char* lpszFilter, const char* lpszSort,
                                                    const char* lpszFaultType);
    // lpszParentSource: only the sources directly under this one.
    CTeskHierarchicalSourceSet* CreateHierarchicalSourceRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                  unsigned dwOptions, const char* lpszFilter,
                                                                  const char* lpszSort, const char* lpszParentSource);
    // lpszSource: only this source.
    CTeskDistinctSourceSet* CreateDistinctSourceRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                          const char* lpszFilter, const char* lpszSort,
                                                          const char* lpszSource);
    // lpszStratColumn: only this strat column's points.
    CTeskStratFieldSectionSet* CreateStratFieldSectionRecordset(unsigned nOpenType, const char* lpszSQL,
                                                                unsigned dwOptions, const char* lpszFilter,
                                                                const char* lpszSort, const char* lpszStratColumn);
    // lpszFault: only this fault's points.
    CTeskFaultFieldPtSet* CreateFaultFieldPtRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                      const char* lpszFilter, const char* lpszSort,
                                                      const char* lpszFault);
    CTeskSurfGuidingPtsSet* CreateSurfGuidingPtsRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                          const char* lpszFilter, const char* lpszSort);
    CTeskKeyFieldLookupSet* CreateKeyFieldLookupSet(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                    const char* lpszFilter, const char* lpszSort);
    // bAllColumns: 1 for the formations of every strat column, 0 for the
    // user's active strat column only.
    CTeskFormationLookupSet* CreateFormationRecordset(int bAllColumns, TeskFormationLookup::FORMATIONFILTER nFilter,
                                                      TeskFormationLookup::FORMATIONORDER nOrder, unsigned nOpenType,
                                                      const char* lpszSQL, unsigned dwOptions, const char* lpszFilter,
                                                      const char* lpszSort);
    // A read-only set over lpszSQL (null or empty: no set), filtered and
    // sorted around the statement. lpszLabel names the set in messages.
    CTeskDynamicSet* CreateDynamicRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                            const char* lpszFilter, const char* lpszSort, const char* lpszLabel);

    // ITeskWellDataServices
    bool WellExists(const char* lpszWellID) override;
    bool GetSurveyStations(const char* lpszWellID, std::vector<tesk::survey::Station>& stations) override;
    void SetSurveyStations(const char* lpszWellID, const std::vector<tesk::survey::Station>& stations) override;
    CTeskSurveyDirSet* CreateSurveyDirRecordset(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions,
                                                const char* lpszFilter, const char* lpszSort, const char* lpszWellID,
                                                bool bReadOnly = false) override;
    bool DeleteSurveyDir(const char* lpszWellID) override;
    bool FillSurveyDirText(CString& strSurveyText) override;

    // The text after "WellHeader_" in the view of the named area of interest;
    // empty for an unknown or empty name.
    static CString TranslateAOIToViewName(const char* lpszAoiName);
    // The same for the project's current area of interest.
    static CString TranslateAOIToViewName();

    // The next free interpretation id of a point table ("StratFieldSection",
    // "FaultFieldPoint", "SurfaceGuidingPoint", or the name of its record set),
    // taken from the table's counter in the database, so that two callers,
    // in one process or in two, never get the same one; above every id in
    // the table. -1 for any other table.
    static int GetNextInterpId(const char* lpszTableName);
    // False for a read-only or unknown source.
    static bool IsSourceWritable(const char* lpszSource);
    // True when the formation has an alias.
    static bool GetIsAliasedFormation(const char* lpszFormation);
    // The first alias of a formation (by name), or empty.
    static CString GetFormationAlias(const char* lpszFormation);
    // The formations an alias stands for, by name, separated by ", "
    // ("Fleming, Oakville"); empty for a name that is no alias.
    static CString GetAliasFormationList(const char* lpszAlias);
    // The project's current interpreter, or else the user logged in.
    static CString GetCurrentInterpreter();

    // Wellbore geometry: the survey stored with each well header, and the
    // stations it was computed from. Unknown wells give false and change
    // nothing.

    // Replaces the content of pPts with the well's survey; true when it has
    // points afterwards (an empty set means the well has no survey, or a
    // damaged one).
    //   nSource         0: the stored survey; 1: computed from the stored
    //                   stations by minimum curvature
    //   bSubsea         TVDs below sea level (less the KB elevation) instead of
    //                   below the depth reference
    //   bWithAngles     keep the stations' angles with the points, so that
    //                   depths between points follow the hole's arc; a stored
    //                   survey without angles takes those of the stored
    //                   stations at its points' MDs
    //   bStraightIfNone a well without a survey gets a vertical hole to its
    //                   total depth instead of an empty set
    static bool GetWellboreGeometry(const char* lpszWellID, CTeskSurveyPts* pPts, int nSource, bool bSubsea,
                                    bool bWithAngles, bool bStraightIfNone);
    // Stores pPts as the well's survey. False, with nothing written, for a set
    // that cannot be stored (a value not finite, MDs going back).
    //   nUpdateHeader   1: also set the header's "Is Deviated" from the survey
    //   bRecomputeDepths the TVDs and subsea depths of the well's formation
    //                   tops and fault picks follow the new survey
    static bool UpdateWellboreGeometry(const char* lpszWellID, const CTeskSurveyPts* pPts, int nUpdateHeader,
                                       bool bRecomputeDepths);
    // Removes the well's survey (and marks it straight); bDeleteStations
    // removes its stored stations too.
    static bool DeleteWellboreGeometry(const char* lpszWellID, bool bDeleteStations);
    // Stores a straight-hole survey from the surface to the depth given as
    // text ("8450.5"); false for text that is not a depth of zero or more.
    static bool Add3PointBLOB(const char* lpszWellID, const char* lpszDepth);
};
