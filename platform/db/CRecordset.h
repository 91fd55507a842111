#pragma once
// A record set: the rows of a table, view or query, one current row at a time,
// bound to the subclass's data members through field exchange.
//
// Rows stream from the database; only their keys are kept, so memory grows
// with the row count, not the row data. Moves in either direction reread a row
// by its key. Writes are keyed statements with bound parameters; a row that
// changed in the database since it was read is not overwritten.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/db/Backend.h"
#include "platform/db/CDBException.h"
#include "platform/db/FieldExchange.h"

class CDatabase;

struct CODBCFieldInfo {
    CString m_strName;
    int16_t m_nSQLType = 0;
    uint32_t m_nPrecision = 0;
    int16_t m_nScale = 0;
    int16_t m_nNullability = 0;
};

class CRecordset {
public:
    enum OpenType : unsigned { dynaset = 0, snapshot = 1, forwardOnly = 2, dynamic = 3 };
    static constexpr unsigned useDefault = 0xFFFFFFFFu;
    enum OpenOptions : unsigned { none = 0, readOnly = 0x4, appendOnly = 0x8, skipDeletedRecords = 0x10 };
    enum EditMode { noMode = 0, edit = 1, addnew = 2 };

    explicit CRecordset(CDatabase* pDatabase);
    virtual ~CRecordset();
    CRecordset(const CRecordset&) = delete;
    CRecordset& operator=(const CRecordset&) = delete;

    // Runs the query. lpszSQL null: SELECT the bound columns FROM GetDefaultSQL(),
    // then WHERE m_strFilter and ORDER BY m_strSort when they are not empty.
    // Otherwise the given statement, filtered and sorted the same way.
    // Raises CDBException when the database refuses the query.
    virtual bool Open(unsigned nOpenType = useDefault, const char* lpszSQL = nullptr,
                      unsigned dwOptions = none);
    virtual void Close();
    bool IsOpen() const { return m_scan != nullptr; }

    short GetODBCFieldCount() const { return static_cast<short>(m_columns.size()); }
    // Raises CDBException for an index out of range.
    void GetODBCFieldInfo(short nIndex, CODBCFieldInfo& fieldinfo) const;

    bool IsBOF() const { return m_bBOF; }
    bool IsEOF() const { return m_bEOF; }
    bool IsDeleted() const;
    bool CanUpdate() const;
    int GetEditMode() const { return m_editMode; }

    // nRows counts rows for SQL_FETCH_RELATIVE and SQL_FETCH_ABSOLUTE (1-based)
    // and is ignored by the other directions.
    void Move(long nRows, uint16_t wFetchType = SQL_FETCH_RELATIVE);
    void MoveFirst() { Move(1, SQL_FETCH_FIRST); }
    void MoveNext() { Move(1, SQL_FETCH_NEXT); }
    void MovePrev() { Move(1, SQL_FETCH_PRIOR); }
    void MoveLast() { Move(1, SQL_FETCH_LAST); }

    virtual void AddNew();
    virtual void Edit();
    // Writes the new or edited row. Returns false when an edit changed nothing.
    virtual bool Update();
    virtual void Delete();
    virtual bool Requery();
    // Leaves edit or add mode and puts the current row's values back.
    void CancelUpdate();

    bool IsFieldNull(const void* pv) const;
    // The same answer for the field at 0-based position nField, for callers
    // that hold the position: no walk of the field-number map.
    bool IsFieldNullAt(size_t nField) const { return nField < m_nullFlags.size() && m_nullFlags[nField] != 0; }
    void SetFieldNull(void* pv, bool bNull = true);

    CString m_strFilter;
    CString m_strSort;
    unsigned m_nFields = 0;  // bound fields, after Open

    // Field exchange facilities: member address -> 1-based field number, and
    // one entry per bound field in field order.
    CMapPtrToPtr m_mapFieldIndex;
    std::vector<CFieldInfo> m_rgFieldInfos;

    CDatabase* m_pDatabase;

protected:
    // The table or view the rows come from.
    virtual CString GetDefaultSQL() { return {}; }
    // Binds the members, in result-column order.
    virtual void DoFieldExchange(CFieldExchange* pFX) {}
    // Integer column that identifies a row of GetDefaultSQL(); empty makes the
    // record set read-only and rereads rows by position.
    virtual CString GetKeyColumn() { return {}; }
    // Integer column raised by one on every change of a row; empty turns the
    // check for concurrent changes off.
    virtual CString GetVersionColumn() { return {}; }
    // Where writes go; the source itself by default.
    virtual CString GetUpdateTable() { return GetDefaultSQL(); }

    // Result columns of a statement opened from SQL text, for a DoFieldExchange
    // that binds whatever the query returns.
    int GetResultColumnCount() const;
    const tesk::db::ColumnDesc& GetResultColumn(int index) const;

private:
    friend class CFieldExchange;
    void registerField(int32_t code, const char* name, void* pv, long length);

    std::string buildSelect(const char* lpszSQL, bool byKey);
    void startScan();
    void positionOnFirst();
    bool advanceScan(bool load);
    void seekScan(size_t rowIndex);
    void drainScan();
    bool loadRow(size_t index);
    void loadFromStatement(tesk::db::Statement& st);
    void resetField(size_t i);
    bool fieldIsReset(size_t i) const;
    void setAllNull();
    long nextLive(long from, int step);
    void step(int direction);
    void moveTo(long index, int direction);
    void reloadCurrent();
    void requireCurrentRow(const char* operation) const;
    void requireUpdatable(const char* operation) const;
    tesk::db::Value fieldValue(size_t field) const;
    int16_t fieldSqlTypeHint(size_t field) const;
    void snapshotFields();
    std::vector<size_t> changedFields();
    int fieldIndex(const void* pv) const;
    tesk::db::Statement& preparedUpdate(const std::string& sql);
    void doInsert();
    bool doUpdate();
    [[noreturn]] void raiseChangedOrGone(int64_t key);
    [[noreturn]] void rethrowWithContext(const CDBException& e, const char* what);

    // Query state.
    std::string m_selectSql;
    std::string m_userSql;
    bool m_fromUserSql = false;
    unsigned m_dwOptions = none;
    int m_hidden = 0;  // leading key and version columns the client never sees
    std::unique_ptr<tesk::db::Connection> m_scanPeer;
    std::unique_ptr<tesk::db::Statement> m_scan;
    std::unique_ptr<tesk::db::Statement> m_byKey;
    // UPDATE statements by their text, kept while the record set is open: an
    // edit loop writes the same columns row after row.
    std::vector<std::pair<std::string, std::unique_ptr<tesk::db::Statement>>> m_updates;
    std::vector<tesk::db::ColumnDesc> m_columns;
    bool m_scanDone = false;
    size_t m_scanRow = 0;  // rows fetched from the scan since it last ran

    // Keyset: row keys in result order, rows added here, deleted flags.
    std::vector<int64_t> m_keys;
    std::vector<bool> m_deleted;
    std::vector<int64_t> m_pendingAdded;
    long m_pos = -1;          // index into m_keys; -1 before the first row
    long m_loadedIndex = -1;  // the row the members hold
    int64_t m_currentVersion = 0;
    bool m_bBOF = true;
    bool m_bEOF = true;

    // Fields: null flags and the values seen at Edit/AddNew.
    std::vector<uint8_t> m_nullFlags;
    std::vector<tesk::db::Value> m_snapshot;
    std::vector<uint8_t> m_snapshotNull;
    int m_editMode = noMode;
};
