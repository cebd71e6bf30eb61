#include "host/maildir/SqliteDatabase.h"

namespace skerrow::maildir {

SqliteStatement& SqliteStatement::Bind(int index, std::int64_t value) {
  sqlite3_bind_int64(statement_.get(), index, value);
  return *this;
}

SqliteStatement& SqliteStatement::Bind(int index, std::string_view text) {
  sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(int index, std::string_view bytes) {
  // A zero-length blob, not NULL, for empty bytes.
  sqlite3_bind_blob(statement_.get(), index, bytes.empty() ? "" : bytes.data(),
                    static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  return *this;
}

bool SqliteStatement::Step() {
  const int result = sqlite3_step(statement_.get());
  done_ = result == SQLITE_DONE;
  return result == SQLITE_ROW;
}

bool SqliteStatement::Run() {
  while (Step()) {
  }
  const bool ok = done_;
  Reset();
  return ok;
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_.get());
  sqlite3_clear_bindings(statement_.get());
  done_ = false;
}

std::int64_t SqliteStatement::Int(int column) const {
  return sqlite3_column_int64(statement_.get(), column);
}

std::string_view SqliteStatement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_.get(), column);
  const int size = sqlite3_column_bytes(statement_.get(), column);
  return text == nullptr ? std::string_view()
                         : std::string_view(reinterpret_cast<const char*>(text), size);
}

std::string_view SqliteStatement::Blob(int column) const {
  const void* blob = sqlite3_column_blob(statement_.get(), column);
  const int size = sqlite3_column_bytes(statement_.get(), column);
  return blob == nullptr ? std::string_view()
                         : std::string_view(static_cast<const char*>(blob), size);
}

namespace {

// Run after every commit with the pages the log then holds. The log is
// folded in and emptied, not only folded in as SQLite's own automatic
// checkpoint does: without shared memory (one process holds the store) what
// was folded in is forgotten when the process ends, so the next command
// would read the whole log at its start and fold it in again, megabytes at
// every command.
int FoldLogWhenLong(void*, sqlite3* db, const char* name, int pages) {
  constexpr int kLongLog = 256;  // pages: 1 MB in 4 KB pages
  if (pages >= kLongLog) {
    sqlite3_wal_checkpoint_v2(db, name, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  }
  return SQLITE_OK;
}

}  // namespace

std::unique_ptr<SqliteDatabase> SqliteDatabase::Open(const std::string& path) {
  sqlite3* db = nullptr;
  const int result = sqlite3_open_v2(
      path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (result != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  // The write-ahead log is folded into the database when it grows, not at
  // every close: a command that changed a few rows pays no disk syncs for
  // it.
  sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  sqlite3_wal_hook(db, FoldLogWhenLong, nullptr);
  return std::unique_ptr<SqliteDatabase>(new SqliteDatabase(db));
}

bool SqliteDatabase::Exec(const char* sql) {
  return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_.get(), sql.data(), static_cast<int>(sql.size()),
                         SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    return SqliteStatement();
  }
  return SqliteStatement(statement);
}

}  // namespace skerrow::maildir
