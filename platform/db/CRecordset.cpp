#include "platform/db/TimestampText.h"
#include "platform/db/CRecordset.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/db/CDatabase.h"
#include "platform/db/COleDateTime.h"
#include "platform/db/CTime.h"

using tesk::db::ColumnDesc;
using tesk::db::Statement;
using tesk::db::Value;

namespace {

std::string quoteIdent(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

} // namespace

CRecordset::CRecordset(CDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CRecordset::~CRecordset() { CRecordset::Close(); }

void CRecordset::registerField(int32_t code, const char* name, void* pv, long length) {
    CFieldInfo info;
    info.m_pvBindAddress = pv;
    info.m_nDataType = code;
    info.m_nLength = length;
    info.m_strName = name ? name : "";
    m_rgFieldInfos.push_back(std::move(info));
    m_mapFieldIndex.SetAt(pv, reinterpret_cast<void*>(static_cast<intptr_t>(m_rgFieldInfos.size())));
}

int CRecordset::GetResultColumnCount() const {
    return m_scan ? m_scan->columnCount() - m_hidden : 0;
}

const ColumnDesc& CRecordset::GetResultColumn(int index) const {
    return m_scan->describe(index + m_hidden);
}

// ---------------------------------------------------------------- opening

std::string CRecordset::buildSelect(const char* lpszSQL, bool byKey) {
    std::string sql;
    if (m_fromUserSql) {
        if (m_strFilter.empty() && m_strSort.empty()) return lpszSQL;
        sql = "SELECT * FROM (" + std::string(lpszSQL) + ") AS \"q\"";
    } else {
        sql = "SELECT ";
        bool first = true;
        auto add = [&](const std::string& column) {
            if (!first) sql += ", ";
            sql += quoteIdent(column);
            first = false;
        };
        const std::string key = GetKeyColumn();
        const std::string version = GetVersionColumn();
        if (!key.empty()) add(key);
        if (!key.empty() && !version.empty()) add(version);
        for (const CFieldInfo& f : m_rgFieldInfos) add(f.m_strName);
        if (first) sql += "*";
        sql += " FROM " + GetDefaultSQL();
        if (byKey) return sql + " WHERE " + quoteIdent(key) + " = ?";
    }
    if (!m_strFilter.empty()) sql += " WHERE " + m_strFilter;
    if (!m_strSort.empty()) sql += " ORDER BY " + m_strSort;
    return sql;
}

bool CRecordset::Open(unsigned nOpenType, const char* lpszSQL, unsigned dwOptions) {
    if (IsOpen()) Close();
    if (m_pDatabase == nullptr || !m_pDatabase->IsOpen())
        ThrowDBException("The record set has no open database.", "08003");
    m_dwOptions = dwOptions;
    m_fromUserSql = lpszSQL != nullptr && *lpszSQL != '\0';
    m_rgFieldInfos.clear();
    m_mapFieldIndex.RemoveAll();
    m_hidden = 0;
    if (!m_fromUserSql) {
        CFieldExchange fx(this);
        DoFieldExchange(&fx);
        if (!GetKeyColumn().empty()) m_hidden = GetVersionColumn().empty() ? 1 : 2;
    }
    m_userSql = m_fromUserSql ? lpszSQL : "";
    try {
        startScan();
    } catch (const CDBException& e) {
        Close();
        rethrowWithContext(e, "opening");
    }
    if (m_fromUserSql) {
        CFieldExchange fx(this);
        DoFieldExchange(&fx);
    }
    m_nFields = static_cast<unsigned>(m_rgFieldInfos.size());
    m_nullFlags.assign(m_nFields, 1);
    positionOnFirst();
    return true;
}

void CRecordset::startScan() {
    m_selectSql = buildSelect(m_userSql.c_str(), false);
    tesk::db::Connection& main = m_pDatabase->connection();
    tesk::db::Connection* scanConnection = &main;
    if (!main.allowsStatementsDuringScan()) {
        if (!m_scanPeer) m_scanPeer = main.openPeer();
        scanConnection = m_scanPeer.get();
    }
    m_scan.reset();
    m_scan = scanConnection->prepare(m_selectSql);
    m_scan->execute();
    m_columns.clear();
    for (int c = m_hidden; c < m_scan->columnCount(); ++c) m_columns.push_back(m_scan->describe(c));
    m_keys.clear();
    m_deleted.clear();
    m_pendingAdded.clear();
    m_scanDone = false;
    m_scanRow = 0;
    m_pos = -1;
    m_loadedIndex = -1;
    m_editMode = noMode;
}

void CRecordset::positionOnFirst() {
    const long first = nextLive(-1, +1);
    if (first < 0) {
        m_bBOF = m_bEOF = true;
        m_pos = -1;
        setAllNull();
    } else {
        m_bBOF = m_bEOF = false;
        m_pos = first;
    }
}

void CRecordset::Close() {
    m_byKey.reset();
    m_updates.clear();
    m_scan.reset();
    m_scanPeer.reset();
    m_columns.clear();
    m_keys.clear();
    m_deleted.clear();
    m_pendingAdded.clear();
    m_pos = m_loadedIndex = -1;
    m_bBOF = m_bEOF = true;
    m_editMode = noMode;
}

void CRecordset::GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo) const {
    if (nIndex < 0 || nIndex >= GetODBCFieldCount())
        ThrowDBException("Field index " + std::to_string(nIndex) + " is out of range.", "07009");
    const ColumnDesc& d = m_columns[static_cast<size_t>(nIndex)];
    fieldinfo.m_strName = d.name;
    fieldinfo.m_nSQLType = d.sqlType;
    fieldinfo.m_nPrecision = d.precision;
    fieldinfo.m_nScale = d.scale;
    fieldinfo.m_nNullability = d.nullability;
}

bool CRecordset::CanUpdate() const {
    return IsOpen() && !(m_dwOptions & readOnly) && !m_fromUserSql &&
           !const_cast<CRecordset*>(this)->GetKeyColumn().empty();
}

bool CRecordset::IsDeleted() const {
    return m_pos >= 0 && static_cast<size_t>(m_pos) < m_deleted.size() && m_deleted[m_pos];
}

// ---------------------------------------------------------------- reading rows

void CRecordset::loadFromStatement(Statement& st) {
    for (size_t i = 0; i < m_rgFieldInfos.size(); ++i) {
        const CFieldInfo& f = m_rgFieldInfos[i];
        const int col = static_cast<int>(i) + m_hidden;
        void* pv = f.m_pvBindAddress;
        bool isNull = st.isNull(col);
        if (!isNull) {
            switch (f.m_nDataType) {
            case FX_BOOL:
            case FX_INT:
            case FX_LONG: *static_cast<int32_t*>(pv) = static_cast<int32_t>(st.getInt64(col)); break;
            case FX_BYTE: *static_cast<uint8_t*>(pv) = static_cast<uint8_t>(st.getInt64(col)); break;
            case FX_SINGLE: *static_cast<float*>(pv) = static_cast<float>(st.getDouble(col)); break;
            case FX_DOUBLE: *static_cast<double*>(pv) = st.getDouble(col); break;
            case FX_TEXT:
            case FX_LONGTEXT:
            case FX_DECIMALTEXT: static_cast<CString*>(pv)->assign(st.getText(col)); break;
            case FX_BINARY: {
                const std::string_view b = st.getBlob(col);
                static_cast<std::vector<uint8_t>*>(pv)->assign(b.begin(), b.end());
                break;
            }
            case FX_FIXEDTEXT: {
                const std::string_view t = st.getText(col);
                char* buffer = static_cast<char*>(pv);
                const size_t room = f.m_nLength > 0 ? static_cast<size_t>(f.m_nLength) : 0;
                if (room == 0) break;
                const size_t n = std::min(t.size(), room - 1);
                std::memcpy(buffer, t.data(), n);
                std::memset(buffer + n, 0, room - n);
                break;
            }
            case FX_TIMESTAMP:
                isNull = !st.getTimestamp(col, *static_cast<TIMESTAMP_STRUCT*>(pv));
                break;
            case FX_CTIME: {
                TIMESTAMP_STRUCT ts{};
                isNull = !st.getTimestamp(col, ts);
                if (!isNull)
                    *static_cast<CTime*>(pv) = CTime(ts.year, ts.month, ts.day, ts.hour, ts.minute, ts.second);
                break;
            }
            case FX_OLEDATE: {
                TIMESTAMP_STRUCT ts{};
                isNull = !st.getTimestamp(col, ts);
                if (!isNull)
                    static_cast<COleDateTime*>(pv)->SetDateTime(ts.year, ts.month, ts.day, ts.hour,
                                                                ts.minute, ts.second);
                break;
            }
            default: break;
            }
        }
        if (isNull) resetField(i);
        m_nullFlags[i] = isNull ? 1 : 0;
    }
    if (m_hidden == 2) m_currentVersion = st.getInt64(1);
}

void CRecordset::resetField(size_t i) {
    const CFieldInfo& f = m_rgFieldInfos[i];
    void* pv = f.m_pvBindAddress;
    switch (f.m_nDataType) {
    case FX_BOOL:
    case FX_INT:
    case FX_LONG: *static_cast<int32_t*>(pv) = 0; break;
    case FX_BYTE: *static_cast<uint8_t*>(pv) = 0; break;
    case FX_SINGLE: *static_cast<float*>(pv) = 0; break;
    case FX_DOUBLE: *static_cast<double*>(pv) = 0; break;
    case FX_TEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: static_cast<CString*>(pv)->clear(); break;
    case FX_BINARY: static_cast<std::vector<uint8_t>*>(pv)->clear(); break;
    case FX_FIXEDTEXT:
        if (f.m_nLength > 0) std::memset(pv, 0, static_cast<size_t>(f.m_nLength));
        break;
    case FX_TIMESTAMP: *static_cast<TIMESTAMP_STRUCT*>(pv) = TIMESTAMP_STRUCT{}; break;
    case FX_CTIME: *static_cast<CTime*>(pv) = CTime(); break;
    case FX_OLEDATE: *static_cast<COleDateTime*>(pv) = COleDateTime(); break;
    default: break;
    }
}

bool CRecordset::fieldIsReset(size_t i) const {
    const CFieldInfo& f = m_rgFieldInfos[i];
    const void* pv = f.m_pvBindAddress;
    switch (f.m_nDataType) {
    case FX_BOOL:
    case FX_INT:
    case FX_LONG: return *static_cast<const int32_t*>(pv) == 0;
    case FX_BYTE: return *static_cast<const uint8_t*>(pv) == 0;
    case FX_SINGLE: return *static_cast<const float*>(pv) == 0;
    case FX_DOUBLE: return *static_cast<const double*>(pv) == 0;
    case FX_TEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: return static_cast<const CString*>(pv)->empty();
    case FX_BINARY: return static_cast<const std::vector<uint8_t>*>(pv)->empty();
    case FX_FIXEDTEXT: return f.m_nLength <= 0 || *static_cast<const char*>(pv) == '\0';
    case FX_TIMESTAMP: return *static_cast<const TIMESTAMP_STRUCT*>(pv) == TIMESTAMP_STRUCT{};
    case FX_CTIME: return static_cast<const CTime*>(pv)->GetTime() == 0;
    case FX_OLEDATE: return static_cast<const COleDateTime*>(pv)->m_dt == 0;
    default: return true;
    }
}

void CRecordset::setAllNull() {
    for (size_t i = 0; i < m_rgFieldInfos.size(); ++i) {
        resetField(i);
        m_nullFlags[i] = 1;
    }
    m_loadedIndex = -1;
}

// Steps the scan to its next row and records its key. With load, the
// members take the row's values. At the end of the scan, rows added through
// this record set join the keyset.
bool CRecordset::advanceScan(bool load) {
    if (m_scanDone) return false;
    if (m_hidden == 0) seekScan(m_keys.size());
    while (m_scan->fetch()) {
        ++m_scanRow;
        const int64_t key = m_hidden ? m_scan->getInt64(0) : static_cast<int64_t>(m_keys.size());
        if (!m_pendingAdded.empty() &&
            std::find(m_pendingAdded.begin(), m_pendingAdded.end(), key) != m_pendingAdded.end())
            continue;
        m_keys.push_back(key);
        m_deleted.push_back(false);
        if (load) {
            loadFromStatement(*m_scan);
            m_loadedIndex = static_cast<long>(m_keys.size()) - 1;
        }
        return true;
    }
    m_scanDone = true;
    for (int64_t key : m_pendingAdded) {
        m_keys.push_back(key);
        m_deleted.push_back(false);
    }
    m_pendingAdded.clear();
    return false;
}

// Record sets without a key reread rows by position: the scan is run again
// from the start when it must go back.
void CRecordset::seekScan(size_t rowIndex) {
    if (m_scanRow > rowIndex) {
        m_scan->reset();
        m_scan->execute();
        m_scanRow = 0;
        m_scanDone = false;
    }
    while (m_scanRow < rowIndex) {
        if (!m_scan->fetch()) {
            m_scanDone = true;
            return;
        }
        ++m_scanRow;
    }
}

bool CRecordset::loadRow(size_t index) {
    if (static_cast<long>(index) == m_loadedIndex) return true;
    if (m_hidden == 0) {
        seekScan(index);
        if (!m_scan->fetch()) return false;
        ++m_scanRow;
        loadFromStatement(*m_scan);
        m_loadedIndex = static_cast<long>(index);
        return true;
    }
    if (!m_byKey) m_byKey = m_pDatabase->connection().prepare(buildSelect(nullptr, true));
    m_byKey->reset();
    m_byKey->bind(0, m_keys[index]);
    m_byKey->execute();
    const bool found = m_byKey->fetch();
    if (found) {
        loadFromStatement(*m_byKey);
        m_loadedIndex = static_cast<long>(index);
    }
    m_byKey->reset();
    return found;
}

void CRecordset::drainScan() {
    while (advanceScan(false)) {
    }
}

// The next row from `from` in the direction of step that is not deleted (when
// deleted rows are skipped), loaded into the members; -1 when there is none.
long CRecordset::nextLive(long from, int step) {
    for (long i = from + step; i >= 0; i += step) {
        if (static_cast<size_t>(i) >= m_keys.size()) {
            if (step < 0) continue;
            if (!advanceScan(true) && static_cast<size_t>(i) >= m_keys.size()) return -1;
        }
        const bool skip = (m_dwOptions & skipDeletedRecords) != 0;
        if (m_deleted[i]) {
            if (skip) continue;
            setAllNull();
            return i;
        }
        if (!loadRow(static_cast<size_t>(i))) {  // deleted by someone else
            m_deleted[i] = true;
            if (skip) continue;
            setAllNull();
            return i;
        }
        return i;
    }
    return -1;
}

// ---------------------------------------------------------------- moving

void CRecordset::Move(long nRows, uint16_t wFetchType) {
    if (!IsOpen()) ThrowDBException("The record set is not open.", "HY010");
    if (m_bBOF && m_bEOF && m_scanDone && m_keys.empty() && m_pendingAdded.empty())
        ThrowDBException("The record set has no rows to move to.", "HY109");
    m_editMode = noMode;
    switch (wFetchType) {
    case SQL_FETCH_FIRST: moveTo(nextLive(-1, +1), +1); break;
    case SQL_FETCH_LAST:
        drainScan();
        moveTo(nextLive(static_cast<long>(m_keys.size()), -1), -1);
        break;
    case SQL_FETCH_NEXT: step(+1); break;
    case SQL_FETCH_PRIOR: step(-1); break;
    case SQL_FETCH_RELATIVE:
        if (nRows == 0 && m_pos >= 0 && !m_bEOF) {
            m_loadedIndex = -1;
            moveTo(nextLive(m_pos - 1, +1), +1);
        }
        for (long n = 0; n < std::labs(nRows); ++n) step(nRows > 0 ? +1 : -1);
        break;
    case SQL_FETCH_ABSOLUTE:
        if (nRows > 0) {
            moveTo(nextLive(-1, +1), +1);
            for (long n = 1; n < nRows; ++n) step(+1);
        } else if (nRows < 0) {
            drainScan();
            moveTo(nextLive(static_cast<long>(m_keys.size()), -1), -1);
            for (long n = -1; n > nRows; --n) step(-1);
        }
        break;
    default: ThrowDBException("Unsupported fetch type " + std::to_string(wFetchType) + ".", "HY106");
    }
}

void CRecordset::step(int direction) {
    if (direction > 0 && m_bEOF)
        ThrowDBException("Attempt to move past the end of the record set.", "HY109");
    if (direction < 0 && m_bBOF)
        ThrowDBException("Attempt to move before the beginning of the record set.", "HY109");
    // Back from the end: rows added here may have joined the keyset after EOF.
    const bool fromEnd = direction < 0 && m_bEOF;
    if (fromEnd) drainScan();
    const long from = fromEnd ? static_cast<long>(m_keys.size()) : m_pos;
    moveTo(nextLive(from, direction), direction);
}

void CRecordset::moveTo(long index, int direction) {
    if (index >= 0) {
        m_pos = index;
        m_bBOF = m_bEOF = false;
        return;
    }
    setAllNull();
    if (direction > 0) {
        m_pos = static_cast<long>(m_keys.size());
        m_bEOF = true;
        if (m_keys.empty()) m_bBOF = true;
    } else {
        m_pos = -1;
        m_bBOF = true;
        if (m_keys.empty()) m_bEOF = true;
    }
}

// ---------------------------------------------------------------- editing

void CRecordset::requireUpdatable(const char* operation) const {
    if (!IsOpen()) ThrowDBException(std::string(operation) + ": the record set is not open.", "HY010");
    if (!CanUpdate()) ThrowDBException(std::string(operation) + ": the record set is read-only.", "HY092");
}

void CRecordset::requireCurrentRow(const char* operation) const {
    if (m_bBOF || m_bEOF || IsDeleted())
        ThrowDBException(std::string(operation) + ": no current record.", "HY109");
}

Value CRecordset::fieldValue(size_t i) const {
    if (m_nullFlags[i]) return {};
    const CFieldInfo& f = m_rgFieldInfos[i];
    const void* pv = f.m_pvBindAddress;
    switch (f.m_nDataType) {
    case FX_BOOL:
    case FX_INT:
    case FX_LONG: return static_cast<int64_t>(*static_cast<const int32_t*>(pv));
    case FX_BYTE: return static_cast<int64_t>(*static_cast<const uint8_t*>(pv));
    case FX_SINGLE: return static_cast<double>(*static_cast<const float*>(pv));
    case FX_DOUBLE: return *static_cast<const double*>(pv);
    case FX_TEXT:
    case FX_LONGTEXT:
    case FX_DECIMALTEXT: return *static_cast<const CString*>(pv);
    case FX_BINARY: return *static_cast<const std::vector<uint8_t>*>(pv);
    case FX_FIXEDTEXT: {
        const char* buffer = static_cast<const char*>(pv);
        const size_t room = f.m_nLength > 0 ? static_cast<size_t>(f.m_nLength) : 0;
        return std::string(buffer, strnlen(buffer, room));
    }
    case FX_TIMESTAMP: return *static_cast<const TIMESTAMP_STRUCT*>(pv);
    case FX_CTIME: {
        const CTime& t = *static_cast<const CTime*>(pv);
        return tesk::db::MakeTimestamp(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
    }
    case FX_OLEDATE: {
        const COleDateTime& d = *static_cast<const COleDateTime*>(pv);
        if (d.GetStatus() != COleDateTime::valid) return {};
        const auto p = d.parts();
        return tesk::db::MakeTimestamp(p.year, p.month, p.day, p.hour, p.minute, p.second);
    }
    default: return {};
    }
}

int16_t CRecordset::fieldSqlTypeHint(size_t i) const {
    switch (m_rgFieldInfos[i].m_nDataType) {
    case FX_DECIMALTEXT: return SQL_NUMERIC;
    case FX_LONGTEXT: return SQL_LONGVARCHAR;
    default: return 0;
    }
}

void CRecordset::snapshotFields() {
    m_snapshot.resize(m_rgFieldInfos.size());
    m_snapshotNull = m_nullFlags;
    for (size_t i = 0; i < m_rgFieldInfos.size(); ++i) {
        const uint8_t flag = m_nullFlags[i];
        m_nullFlags[i] = 0;
        m_snapshot[i] = fieldValue(i);
        m_nullFlags[i] = flag;
    }
}

// Fields to write: those whose null status or value differs from the snapshot.
// A member given a value directly, while still marked null, counts as set.
std::vector<size_t> CRecordset::changedFields() {
    std::vector<size_t> changed;
    for (size_t i = 0; i < m_rgFieldInfos.size(); ++i) {
        if (m_nullFlags[i] && !fieldIsReset(i)) m_nullFlags[i] = 0;
        if (m_nullFlags[i] != m_snapshotNull[i] || (!m_nullFlags[i] && fieldValue(i) != m_snapshot[i]))
            changed.push_back(i);
    }
    return changed;
}

void CRecordset::AddNew() {
    requireUpdatable("AddNew");
    setAllNull();
    snapshotFields();
    m_editMode = addnew;
}

void CRecordset::Edit() {
    requireUpdatable("Edit");
    requireCurrentRow("Edit");
    if (!loadRow(static_cast<size_t>(m_pos))) {
        m_deleted[m_pos] = true;
        setAllNull();
        ThrowDBException("Edit: the row no longer exists in the database.", "HY109");
    }
    snapshotFields();
    m_editMode = edit;
}

bool CRecordset::Update() {
    if (m_editMode == noMode) ThrowDBException("Update called without Edit or AddNew.", "HY010");
    requireUpdatable("Update");
    try {
        if (m_editMode == addnew) {
            doInsert();
            return true;
        }
        return doUpdate();
    } catch (const CDBException& e) {
        rethrowWithContext(e, "updating");
    }
}

void CRecordset::doInsert() {
    const std::vector<size_t> fields = changedFields();
    std::string sql = "INSERT INTO " + GetUpdateTable();
    if (fields.empty()) {
        sql += " DEFAULT VALUES";
    } else {
        std::string names, marks;
        for (size_t i : fields) {
            if (m_nullFlags[i]) continue;
            if (!names.empty()) {
                names += ", ";
                marks += ", ";
            }
            names += quoteIdent(m_rgFieldInfos[i].m_strName);
            marks += "?";
        }
        sql += names.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")";
    }
    sql += " RETURNING " + quoteIdent(GetKeyColumn());
    auto st = m_pDatabase->connection().prepare(sql);
    int p = 0;
    for (size_t i : fields)
        if (!m_nullFlags[i]) st->bind(p++, fieldValue(i), fieldSqlTypeHint(i));
    st->execute();
    if (!st->fetch()) ThrowDBException("The new row was not inserted.", "HY000");
    const int64_t key = st->getInt64(0);
    while (st->fetch()) {
    }
    st->reset();

    m_editMode = noMode;
    if (m_scanDone) {
        m_keys.push_back(key);
        m_deleted.push_back(false);
    } else {
        m_pendingAdded.push_back(key);
    }
    reloadCurrent();
}

bool CRecordset::doUpdate() {
    const std::vector<size_t> fields = changedFields();
    if (fields.empty()) {
        m_editMode = noMode;
        return false;
    }
    const std::string key = GetKeyColumn();
    const std::string version = GetVersionColumn();
    std::string sql = "UPDATE " + GetUpdateTable() + " SET ";
    for (size_t n = 0; n < fields.size(); ++n)
        sql += (n ? ", " : "") + quoteIdent(m_rgFieldInfos[fields[n]].m_strName) + " = ?";
    if (!version.empty()) sql += ", " + quoteIdent(version) + " = " + quoteIdent(version) + " + 1";
    sql += " WHERE " + quoteIdent(key) + " = ?";
    if (!version.empty()) sql += " AND " + quoteIdent(version) + " = ?";

    tesk::db::Statement& st = preparedUpdate(sql);
    int p = 0;
    for (size_t i : fields) st.bind(p++, fieldValue(i), fieldSqlTypeHint(i));
    const int64_t rowKey = m_keys[static_cast<size_t>(m_pos)];
    st.bind(p++, rowKey);
    if (!version.empty()) st.bind(p++, m_currentVersion);
    st.execute();
    const int64_t affected = st.rowsAffected();
    if (affected == 0) raiseChangedOrGone(rowKey);
    if (affected > 1)
        ThrowDBException("The update changed " + std::to_string(affected) + " rows instead of one.", "HY000");
    m_editMode = noMode;
    reloadCurrent();
    return true;
}

tesk::db::Statement& CRecordset::preparedUpdate(const std::string& sql) {
    for (auto& [text, statement] : m_updates)
        if (text == sql) {
            statement->reset();
            return *statement;
        }
    // Each set of changed columns has its own text; a client that keeps
    // changing different columns must not make the list grow without end.
    constexpr size_t kKeptUpdates = 8;
    if (m_updates.size() >= kKeptUpdates) m_updates.erase(m_updates.begin());
    m_updates.emplace_back(sql, m_pDatabase->connection().prepare(sql));
    return *m_updates.back().second;
}

void CRecordset::raiseChangedOrGone(int64_t key) {
    auto st = m_pDatabase->connection().prepare("SELECT 1 FROM " + GetUpdateTable() + " WHERE " +
                                                quoteIdent(GetKeyColumn()) + " = ?");
    st->bind(0, key);
    st->execute();
    const bool exists = st->fetch();
    st->reset();
    if (exists)
        ThrowDBException("The row was changed by another user since it was read; "
                         "read it again and repeat the change.", "40001");
    ThrowDBException("The row was deleted by another user since it was read.", "40001");
}

void CRecordset::reloadCurrent() {
    m_loadedIndex = -1;
    if (m_bBOF || m_bEOF || m_pos < 0 || static_cast<size_t>(m_pos) >= m_keys.size() || m_deleted[m_pos]) {
        setAllNull();
        return;
    }
    if (!loadRow(static_cast<size_t>(m_pos))) {
        m_deleted[m_pos] = true;
        setAllNull();
    }
}

void CRecordset::CancelUpdate() {
    m_editMode = noMode;
    reloadCurrent();
}

void CRecordset::Delete() {
    requireUpdatable("Delete");
    requireCurrentRow("Delete");
    const int64_t key = m_keys[static_cast<size_t>(m_pos)];
    int64_t affected = 0;
    try {
        auto st = m_pDatabase->connection().prepare("DELETE FROM " + GetUpdateTable() + " WHERE " +
                                                    quoteIdent(GetKeyColumn()) + " = ?");
        st->bind(0, key);
        st->execute();
        affected = st->rowsAffected();
    } catch (const CDBException& e) {
        rethrowWithContext(e, "deleting from");
    }
    m_deleted[m_pos] = true;
    m_editMode = noMode;
    setAllNull();
    if (affected == 0) ThrowDBException("Delete: the row no longer exists in the database.", "HY109");
}

bool CRecordset::Requery() {
    if (!IsOpen()) return false;
    try {
        startScan();
    } catch (const CDBException& e) {
        rethrowWithContext(e, "requerying");
    }
    positionOnFirst();
    return true;
}

// ---------------------------------------------------------------- null status

int CRecordset::fieldIndex(const void* pv) const {
    void* number = nullptr;
    if (!m_mapFieldIndex.Lookup(pv, number)) return -1;
    return static_cast<int>(reinterpret_cast<intptr_t>(number)) - 1;
}

bool CRecordset::IsFieldNull(const void* pv) const {
    const int i = fieldIndex(pv);
    return i >= 0 && static_cast<size_t>(i) < m_nullFlags.size() && m_nullFlags[i] != 0;
}

void CRecordset::SetFieldNull(void* pv, bool bNull) {
    const int i = fieldIndex(pv);
    if (i < 0 || static_cast<size_t>(i) >= m_nullFlags.size()) return;
    if (bNull) resetField(static_cast<size_t>(i));
    m_nullFlags[i] = bNull ? 1 : 0;
}

void CRecordset::rethrowWithContext(const CDBException& e, const char* what) {
    CDBException copy = e;
    if (copy.m_strContext.empty()) copy.m_strContext = std::string("while ") + what + " " + GetDefaultSQL();
    throw copy;
}
