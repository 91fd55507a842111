#include "Commands.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "RowWriter.h"
#include "ValueText.h"
#include "platform/db/CDBException.h"
#include "provider/ManagedDataProvider.h"
#include "services/project/CTeskProject.h"
#include "services/sample/SampleProject.h"

namespace teskdp {

using TeskDataProvider::ManagedDataProvider;
using TeskDataProvider::ManagedRecordsetRef;

namespace {

namespace fs = std::filesystem;

void openProject(const Options& options) {
    if (auto dir = options.get("project")) {
        CTeskProject::Open(*dir);
        return;
    }
    const char* env = std::getenv(CTeskProject::kEnvironmentVariable);
    if (!env || !*env) throw std::runtime_error("no project: give --project DIR or set TESK_PROJECT");
    CTeskProject::Open(env);
}

const std::string& requireName(const Options& options) {
    if (options.positional.empty()) throw std::invalid_argument(options.command + " needs a record-set name");
    return options.positional.front();
}

// Opens the named record set; an unknown name is an error here.
ManagedRecordsetRef openNamed(const Options& options, const std::string& filter) {
    const std::string& name = requireName(options);
    auto aoi = std::make_shared<tesk::DataTypes::ManagedAoi>();
    if (auto aoiName = options.get("aoi")) aoi->Name = System::FromAnsi(*aoiName);
    auto rs = ManagedDataProvider::GetTeskRecordset(System::FromAnsi(name), System::FromAnsi(filter),
                                                    System::FromAnsi(options.get("sort").value_or("")), aoi);
    if (!rs)
        throw std::invalid_argument("'" + name +
                                    "' is not a record set (WellHeader, Formations, OrderedFormations, WellSurveys, "
                                    "Faults, FormationLookup, FaultLookup, HierarchicalSources, DistinctSources, "
                                    "TeskStratFieldSection, TeskFaultFieldPt, TeskSurfGuidingPts, "
                                    "QO_KEYFIELDLOOKUP_PROXY)");
    return rs;
}

long limitOf(const Options& options) {
    const std::string text = options.get("limit").value_or("-1");
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end) throw std::invalid_argument("--limit needs a number, not '" + text + "'");
    return n;
}

void printRows(TeskDataProvider::ManagedRecordset& rs, const Options& options, std::ostream& out) {
    auto writer = MakeRowWriter(options.get("format").value_or("table"), out);
    const short n = rs.GetNumFields();
    std::vector<std::string> names;
    for (short i = 0; i < n; ++i) names.push_back(System::ToAnsi(rs.GetFieldName(i)));
    writer->header(names);
    const long limit = limitOf(options);
    std::vector<System::ObjectRef> values(static_cast<size_t>(n));
    long printed = 0;
    for (; !rs.IsEOF() && (limit < 0 || printed < limit); rs.MoveNext(), ++printed) {
        for (short i = 0; i < n; ++i) values[static_cast<size_t>(i)] = rs.GetFieldValue(i);
        writer->row(values);
    }
    writer->finish();
}

struct Assignment {
    short ordinal;
    std::string column;
    System::ObjectRef value;
};

// Every --set COLUMN=VALUE checked against the record set before any change.
std::vector<Assignment> parseAssignments(TeskDataProvider::ManagedRecordset& rs, const Options& options) {
    std::vector<Assignment> out;
    for (const std::string& set : options.all("set")) {
        const auto eq = set.find('=');
        if (eq == std::string::npos) throw std::invalid_argument("--set needs COLUMN=VALUE, not '" + set + "'");
        const std::string column = set.substr(0, eq);
        const short ordinal = rs.GetColumnIndex(column.c_str());
        if (ordinal < 0) throw std::invalid_argument("no column '" + column + "' in this record set");
        try {
            out.push_back({ordinal, column, ParseValue(set.substr(eq + 1), rs.GetFieldType(ordinal))});
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument(std::string(e.what()) + " for column '" + column + "'");
        }
    }
    if (out.empty()) throw std::invalid_argument(options.command + " needs at least one --set COLUMN=VALUE");
    return out;
}

void applyAssignments(TeskDataProvider::ManagedRecordset& rs, const std::vector<Assignment>& assignments) {
    for (const Assignment& a : assignments)
        if (!rs.SetFieldValue(a.ordinal, a.value))
            throw std::invalid_argument("the value for column '" + a.column + "' does not fit it");
}

std::string requireFilter(const Options& options) {
    auto filter = options.get("filter");
    if (!filter || filter->empty())
        throw std::invalid_argument(options.command + " needs --filter to say which rows to change");
    return *filter;
}

int read(const Options& options, std::ostream& out) {
    openProject(options);
    auto rs = openNamed(options, options.get("filter").value_or(""));
    printRows(*rs, options, out);
    rs->Dispose();
    return 0;
}

int sql(const Options& options, std::ostream& out) {
    openProject(options);
    if (options.positional.size() < 2) throw std::invalid_argument("sql needs a label and a statement");
    auto rs = ManagedDataProvider::GetDynamicRecordset(
        System::FromAnsi(options.positional[0]), System::FromAnsi(options.positional[1]),
        System::FromAnsi(options.get("filter").value_or("")), System::FromAnsi(options.get("sort").value_or("")));
    if (!rs) throw std::runtime_error("the statement gave no record set");
    printRows(*rs, options, out);
    rs->Dispose();
    return 0;
}

// Changes every row the filter selects; a refusal stops at that row and says
// how many rows had changed before it.
int edit(const Options& options, std::ostream& out) {
    openProject(options);
    auto rs = openNamed(options, requireFilter(options));
    const auto assignments = parseAssignments(*rs, options);
    long changed = 0;
    try {
        for (; !rs->IsEOF(); rs->MoveNext()) {
            rs->Edit();
            applyAssignments(*rs, assignments);
            if (rs->Update()) ++changed;
        }
    } catch (const std::exception& e) {
        rs->Dispose();
        throw std::runtime_error(std::string(e.what()) + " (" + std::to_string(changed) +
                                 " rows changed before this one)");
    }
    rs->Dispose();
    out << changed << (changed == 1 ? " row changed\n" : " rows changed\n");
    return 0;
}

int add(const Options& options, std::ostream& out) {
    openProject(options);
    auto rs = openNamed(options, "1 = 0");
    const auto assignments = parseAssignments(*rs, options);
    rs->AddNew();
    try {
        applyAssignments(*rs, assignments);
        rs->Update();
    } catch (...) {
        rs->Dispose();
        throw;
    }
    rs->Dispose();
    out << "1 row added\n";
    return 0;
}

int remove(const Options& options, std::ostream& out) {
    openProject(options);
    auto rs = openNamed(options, requireFilter(options));
    long deleted = 0;
    try {
        for (; !rs->IsEOF(); rs->MoveNext(), ++deleted) rs->Delete();
    } catch (...) {
        rs->Dispose();
        throw;
    }
    rs->Dispose();
    out << deleted << (deleted == 1 ? " row deleted\n" : " rows deleted\n");
    return 0;
}

int createSample(const Options& options, std::ostream& out) {
    if (options.positional.empty()) throw std::invalid_argument("create-sample needs a directory");
    tesk::sample::SampleOptions sample;
    if (auto w = options.get("wells")) sample.wellCount = std::stoi(*w);
    if (auto t = options.get("tops")) sample.topCount = std::stol(*t);
    tesk::sample::CreateSampleProject(options.positional.front(), sample);
    out << "sample project written to " << fs::absolute(options.positional.front()).string() << '\n';
    return 0;
}

int demo(const Options& options, std::ostream& out) {
    const fs::path dir = options.positional.empty() ? fs::path("sample-project") : fs::path(options.positional.front());
    if (fs::exists(dir / CTeskProject::kDescriptorFile)) {
        out << "1. Opening the project in " << fs::absolute(dir).string() << '\n';
        CTeskProject::Open(dir);
    } else {
        out << "1. Creating a sample project in " << fs::absolute(dir).string() << '\n';
        tesk::sample::CreateSampleProject(dir, tesk::sample::SampleOptions{});
        CTeskProject::Open(dir);
    }
    out << "2. Asking the provider for \"Formations\" sorted by well and depth\n";
    auto aoi = std::make_shared<tesk::DataTypes::ManagedAoi>();
    auto rs = ManagedDataProvider::GetTeskRecordset("Formations", "", "\"Well ID\", \"Top MD\"", aoi);
    if (!rs) throw std::runtime_error("the provider gave no Formations record set");
    out << "   it has " << rs->GetNumFields() << " columns; the first rows:\n\n";
    Options print;
    print.values.emplace("limit", "8");
    printRows(*rs, print, out);
    const short md = rs->GetColumnIndex("Top MD");
    rs->MoveFirst();
    if (md >= 0 && !rs->IsEOF()) {
        const System::ObjectRef before = rs->GetFieldValue(md);
        out << "\n3. Editing the first top: Top MD " << FormatValue(before);
        rs->Edit();
        const double newMd = (System::TryUnbox<double>(before) ? *System::TryUnbox<double>(before) : 1000.0) + 1.0;
        rs->SetFieldValue(md, System::Box(newMd));
        rs->Update();
        out << " -> " << FormatValue(rs->GetFieldValue(md)) << " (written to the database)\n";
    }
    out << "4. Releasing the record set\n";
    rs->Dispose();
    return 0;
}

} // namespace

int RunCommand(const Options& options, std::ostream& out) {
    const std::string& c = options.command;
    try {
        if (c == "read") return read(options, out);
        if (c == "sql") return sql(options, out);
        if (c == "edit") return edit(options, out);
        if (c == "add") return add(options, out);
        if (c == "delete") return remove(options, out);
        if (c == "demo") return demo(options, out);
        if (c == "create-sample") return createSample(options, out);
    } catch (const CDBException& e) {
        throw std::runtime_error("the database refused: " + e.m_strError);
    } catch (const System::Exception& e) {
        throw std::runtime_error(e.Message());
    }
    throw std::invalid_argument("unknown command '" + c + "' (teskdp help lists them)");
}

} // namespace teskdp
