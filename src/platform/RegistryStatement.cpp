#include "RegistryStatement.h"

namespace regsql {

Stmt::Stmt(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
        stmt_ = nullptr;
}

Stmt& Stmt::bind(int i, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_bind_text(stmt_, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Stmt& Stmt::bindBlob(int i, const void* data, int size) {
    sqlite3_bind_blob(stmt_, i, size ? data : "", size, SQLITE_TRANSIENT);
    return *this;
}

QString Stmt::text(int col) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, col));
    return QString::fromUtf8(p, sqlite3_column_bytes(stmt_, col));
}

QByteArray Stmt::blob(int col) const {
    const void* p = sqlite3_column_blob(stmt_, col);
    const int n = sqlite3_column_bytes(stmt_, col);
    return QByteArray(static_cast<const char*>(p), n);
}

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

reg::LSTATUS firstRow(Stmt& s, reg::LSTATUS none) {
    const int rc = s.step();
    if (rc == SQLITE_ROW)
        return reg::ERROR_SUCCESS;
    return rc == SQLITE_DONE ? none : reg::ERROR_CANTREAD;
}

Transaction::~Transaction() {
    if (ok_ && !done_)
        rollback();
}

void Transaction::rollback() {
    if (nested_) {
        exec(db_, "ROLLBACK TO op");
        exec(db_, "RELEASE op");
    } else {
        exec(db_, "ROLLBACK");
    }
}

bool Transaction::begin(sqlite3* db, bool write) {
    db_ = db;
    // Inside a transaction the caller spans over several operations, each
    // operation is a savepoint: its failure undoes only itself, and nothing
    // is visible to other processes before the outer transaction commits.
    nested_ = sqlite3_get_autocommit(db) == 0;
    ok_ = exec(db_, nested_ ? "SAVEPOINT op" : write ? "BEGIN IMMEDIATE" : "BEGIN");
    return ok_;
}

bool Transaction::commit() {
    done_ = true;
    if (exec(db_, nested_ ? "RELEASE op" : "COMMIT"))
        return true;
    rollback();
    return false;
}

} // namespace regsql
