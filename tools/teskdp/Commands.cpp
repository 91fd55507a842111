#include "Commands.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "CommandSupport.h"
#include "ProjectCommands.h"
#include "SurveyCommand.h"
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

// Writes the values; a measured or vertical depth also shows the other one
// as the provider recomputed it from the well's survey.
void applyAssignments(TeskDataProvider::ManagedRecordset& rs, const std::vector<Assignment>& assignments,
                      std::ostream* report = nullptr) {
    for (const Assignment& a : assignments) {
        if (!rs.SetFieldValue(a.ordinal, a.value))
            throw std::invalid_argument("the value for column '" + a.column + "' does not fit it");
        TeskDepthUnitType::DEPTH_UNIT_TYPE kind;
        if (!report || !rs.Core().GetLinkedDepthType(a.ordinal, kind) || kind == TeskDepthUnitType::DEPTH_SUBSEA)
            continue;
        const short partner = rs.Core().GetLinkedDepthOrdinal(
            kind == TeskDepthUnitType::DEPTH_MD ? TeskDepthUnitType::DEPTH_TVD : TeskDepthUnitType::DEPTH_MD);
        if (partner < 0) continue;
        const short well = rs.GetColumnIndex("Well ID");
        *report << (well >= 0 ? "well " + FormatValue(rs.GetFieldValue(well)) + ": " : std::string()) << a.column
                << " = " << FormatValue(rs.GetFieldValue(a.ordinal)) << ", "
                << System::ToAnsi(rs.GetFieldName(partner)) << " = " << FormatValue(rs.GetFieldValue(partner))
                << '\n';
    }
}

std::string requireFilter(const Options& options) {
    auto filter = options.get("filter");
    if (!filter || filter->empty())
        throw std::invalid_argument(options.command + " needs --filter to say which rows to change");
    return *filter;
}

int read(const Options& options, std::ostream& out) {
    OpenProject(options);
    auto rs = OpenNamed(options, options.get("filter").value_or(""));
    PrintRows(*rs, options, out);
    rs->Dispose();
    return 0;
}

int sql(const Options& options, std::ostream& out) {
    OpenProject(options);
    if (options.positional.size() < 2) throw std::invalid_argument("sql needs a label and a statement");
    auto rs = ManagedDataProvider::GetDynamicRecordset(
        System::FromAnsi(options.positional[0]), System::FromAnsi(options.positional[1]),
        System::FromAnsi(options.get("filter").value_or("")), System::FromAnsi(options.get("sort").value_or("")));
    if (!rs) throw std::runtime_error("the statement gave no record set");
    PrintRows(*rs, options, out);
    rs->Dispose();
    return 0;
}

// Changes every row the filter selects; a refusal stops at that row and says
// how many rows had changed before it.
int edit(const Options& options, std::ostream& out) {
    OpenProject(options);
    auto rs = OpenNamed(options, requireFilter(options));
    const auto assignments = parseAssignments(*rs, options);
    long changed = 0;
    try {
        for (; !rs->IsEOF(); rs->MoveNext()) {
            rs->Edit();
            applyAssignments(*rs, assignments, &out);
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
    OpenProject(options);
    auto rs = OpenNamed(options, "1 = 0");
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
    OpenProject(options);
    auto rs = OpenNamed(options, requireFilter(options));
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
    PrintRows(*rs, print, out);
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
        const short tvd = rs->GetColumnIndex("Top TVD");
        if (tvd >= 0)
            out << "   Top TVD follows from the well's survey: " << FormatValue(rs->GetFieldValue(tvd)) << '\n';
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
        if (c == "project") return ShowProject(options, out);
        if (c == "columns") return DescribeColumns(options, out);
        if (c == "survey") return Survey(options, out);
    } catch (const CDBException& e) {
        throw std::runtime_error("the database refused: " + e.m_strError);
    } catch (const System::Exception& e) {
        throw std::runtime_error(e.Message());
    }
    throw std::invalid_argument("unknown command '" + c + "' (teskdp help lists them)");
}

} // namespace teskdp
