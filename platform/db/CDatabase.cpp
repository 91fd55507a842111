#include "platform/db/CDatabase.h"

#include "platform/db/CDBException.h"

CDatabase::~CDatabase() = default;

void CDatabase::OpenEx(const std::string& connect) {
    Close();
    static constexpr std::string_view kSqlite = "sqlite:";
    if (connect.rfind(kSqlite, 0) == 0)
        m_conn = tesk::db::openSqlite(connect.substr(kSqlite.size()));
    else
        m_conn = tesk::db::openOdbc(connect);
    m_connect = connect;
}

void CDatabase::Close() {
    m_conn.reset();
    m_connect.clear();
}

tesk::db::Connection& CDatabase::connection() {
    if (!m_conn) ThrowDBException("The database is not open.");
    return *m_conn;
}
