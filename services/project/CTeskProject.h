#pragma once
// The open project: its directory, its descriptor and its one database
// connection. One project is current per process: the one opened last with
// Open or Create, or else the directory named by the environment variable
// TESK_PROJECT, opened when first needed.
//
// Opening another project closes the previous one's database: record sets
// made on it must be deleted first.

#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/CDatabase.h"
#include "services/project/ProjectDescriptor.h"

class CTeskProject {
public:
    static constexpr const char* kDescriptorFile = "project.json";
    static constexpr const char* kEnvironmentVariable = "TESK_PROJECT";

    // Opens the project in `dir` and makes it current. Raises std::runtime_error
    // for a missing directory or descriptor, or a malformed descriptor, and
    // CDBException when its database cannot be opened.
    static CTeskProject& Open(const std::filesystem::path& dir);
    // Writes a new project: the descriptor, the schema (for an ODBC project,
    // replacing ours in that database) and the area-of-interest views; it
    // becomes current. Raises std::runtime_error if `dir` already holds a project.
    static CTeskProject& Create(const std::filesystem::path& dir, const tesk::project::Descriptor& descriptor);
    // The current project. Raises std::runtime_error when none was opened
    // and TESK_PROJECT is not set.
    static CTeskProject& Current();
    static bool HasCurrent();
    // Closes the current project; TESK_PROJECT is consulted again when next needed.
    static void Close();

    // The directory, absolute, without a trailing separator.
    const std::filesystem::path& GetPath() const { return m_path; }
    const tesk::project::Descriptor& GetDescriptor() const { return m_descriptor; }
    CDatabase& GetDatabase() { return m_db; }

    // Re-reads the descriptor file.
    void ReloadDescriptor();
    // Writes the descriptor and, when its areas of interest changed, rebuilds
    // their views.
    void SaveDescriptor(const tesk::project::Descriptor& descriptor);

    ~CTeskProject();

private:
    CTeskProject(std::filesystem::path path, tesk::project::Descriptor descriptor);
    static std::string ConnectString(const std::filesystem::path& dir, const tesk::project::Descriptor& d);
    static tesk::project::Descriptor ReadDescriptor(const std::filesystem::path& dir);
    static std::unique_ptr<CTeskProject> Load(const std::filesystem::path& dir);

    std::filesystem::path m_path;
    tesk::project::Descriptor m_descriptor;
    CDatabase m_db;
    bool m_fromEnvironment = false;
};
