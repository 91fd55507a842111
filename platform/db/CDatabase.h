#pragma once
#include <memory>
#include <string>

#include "platform/db/Backend.h"

// One connection to a project database.
class CDatabase {
public:
    CDatabase() = default;
    virtual ~CDatabase();
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // "sqlite:<path>" opens an SQLite file natively; anything else is an
    // ODBC connection string ("Driver=...;Server=...;..."). Raises CDBException.
    void OpenEx(const std::string& connect);
    void Close();
    bool IsOpen() const { return m_conn != nullptr; }
    const std::string& GetConnect() const { return m_connect; }

    tesk::db::Connection& connection();
    void ExecuteSQL(const std::string& sql) { connection().executeScript(sql); }

private:
    std::string m_connect;
    std::unique_ptr<tesk::db::Connection> m_conn;
};
