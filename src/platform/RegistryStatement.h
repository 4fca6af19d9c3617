#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <sqlite3.h>

#include "Registry.h"

// The small helpers the registry's operations are written with: a prepared
// statement that finalizes itself, plain statement execution and a
// transaction that rolls back unless committed. Internal to the registry.
namespace regsql {

// One prepared statement, finalized when it goes out of scope.
class Stmt {
  public:
    Stmt(sqlite3* db, const char* sql);
    ~Stmt() { sqlite3_finalize(stmt_); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    bool ok() const { return stmt_ != nullptr; }
    Stmt& bind(int i, int64_t v) {
        sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    Stmt& bind(int i, const QString& s);
    // A zero-length blob is still a blob, not NULL.
    Stmt& bindBlob(int i, const void* data, int size);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }
    int64_t int64(int col) const { return sqlite3_column_int64(stmt_, col); }
    QString text(int col) const;
    QByteArray blob(int col) const;

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool exec(sqlite3* db, const char* sql);

// Steps the statement onto its first row: ERROR_SUCCESS there, `none` when
// it has no rows, ERROR_CANTREAD when the database fails.
reg::LSTATUS firstRow(Stmt& s, reg::LSTATUS none);

// One transaction: writers take the write lock at once so that two processes
// never both read and then collide when upgrading. Rolled back when it goes
// out of scope uncommitted.
class Transaction {
  public:
    Transaction() = default;
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    bool begin(sqlite3* db, bool write);
    bool commit();

  private:
    void rollback();

    sqlite3* db_ = nullptr;
    bool ok_ = false;
    bool done_ = false;
    bool nested_ = false;
};

} // namespace regsql
