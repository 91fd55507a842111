#include "provider/RecordsetDispatch.h"

#include "platform/text/Format.h"
#include "services/TeskDataFactory/CTeskDataFactory.h"
#include "services/TeskDataFactory/CTeskDataInitializer.h"

namespace TeskDataProvider {

namespace {

bool isPointDataName(const std::string& name) {
    return name == "TeskStratFieldSection" || name == "TeskFaultFieldPt" || name == "TeskSurfGuidingPts";
}

} // namespace

std::string ComposeWellFilter(const std::string& filter, const std::string& viewName,
                              RecordsetAdapter::Flavour flavour) {
    const std::string subquery =
        tesk::text::Format("\"Well ID\" in (select \"Well ID\" from \"%s\")", viewName.c_str());
    if (filter.empty()) return subquery;
    const char* format = flavour == RecordsetAdapter::Flavour::Managed ? "(%s) AND %s" : "%s AND %s";
    return tesk::text::Format(format, filter.c_str(), subquery.c_str());
}

CRecordset* CreateNamedRecordset(const RecordsetAdapter& adapter, const DispatchRequest& request) {
    const bool managed = adapter.m_flavour == RecordsetAdapter::Flavour::Managed;
    const std::string& name = request.name;
    std::string filter = request.filter;
    const std::string& sort = request.sort;

    std::string viewName;
    if (!request.aoiName.empty()) {
        const std::string translated = managed ? CTeskDataFactory::TranslateAOIToViewName(request.aoiName.c_str())
                                               : CTeskDataFactory::TranslateAOIToViewName();
        viewName = tesk::text::Format("WellHeader_%s", translated.c_str());
    }

    CTeskDataFactory* factory = CTeskDataInitializer::GetDataFactory();
    CRecordset* recordSet = nullptr;
    if (name == "WellHeader")
        recordSet = factory->CreateWellAndBlobRecordset(0, nullptr, 16, filter.c_str(), sort.c_str());
    else if (!viewName.empty() && adapter.IsColumnKey("Well ID"))
        filter = ComposeWellFilter(filter, viewName, adapter.m_flavour);

    if (managed && isPointDataName(name) && request.extendFilterForAoi) request.extendFilterForAoi(filter);

    const char* f = filter.c_str();
    const char* s = sort.c_str();
    if (name == "Formations" || (managed && name == "OrderedFormations")) {
        CTeskPickSet* pickSet = factory->CreatePickRecordset();
        pickSet->SetUpdateableView(1);
        pickSet->m_strFilter = filter;
        pickSet->m_strSort = sort;
        const int opened = managed ? factory->OpenPickRecordset(pickSet, 0, nullptr, 16, false)
                                   : factory->OpenPickRecordset(pickSet, 0, nullptr, 16);
        recordSet = opened ? pickSet : nullptr;
    } else if (name == "WellSurveys") {
        recordSet = managed ? factory->CreateSurveyDirRecordset(0, nullptr, 16, f, s, "", false)
                            : factory->CreateSurveyDirRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "Faults") {
        recordSet = factory->CreateFaultRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "FormationLookup") {
        recordSet = factory->CreateFormationRecordset(1, TeskFormationLookup::FORMATIONFILTER(0),
                                                      TeskFormationLookup::FORMATIONORDER(0), 0, nullptr, 16, f, s);
    } else if (name == "FaultLookup") {
        recordSet = factory->CreateFaultLookupRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "HierarchicalSources") {
        recordSet = factory->CreateHierarchicalSourceRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "DistinctSources") {
        recordSet = factory->CreateDistinctSourceRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "TeskStratFieldSection") {
        recordSet = factory->CreateStratFieldSectionRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "TeskFaultFieldPt") {
        recordSet = factory->CreateFaultFieldPtRecordset(0, nullptr, 16, f, s, "");
    } else if (name == "TeskSurfGuidingPts") {
        recordSet = factory->CreateSurfGuidingPtsRecordset(0, nullptr, 16, f, s);
    } else if (name == "QO_KEYFIELDLOOKUP_PROXY") {
        recordSet = factory->CreateKeyFieldLookupSet(0, nullptr, 16, f, s);
    }
    return recordSet;
}

} // namespace TeskDataProvider
