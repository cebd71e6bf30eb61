// A small hold on an SQLite database for the store's index: open, run
// statements, prepared statements with bound values. Every call reports
// whether it succeeded; what failed is left to the caller, which treats the
// database as a cache it may throw away.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace skerrow::maildir {

class SqliteStatement {
 public:
  SqliteStatement() = default;
  explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}

  bool Valid() const { return statement_ != nullptr; }
  // Binding by position, from 1. Texts and blobs are copied.
  SqliteStatement& Bind(int index, std::int64_t value);
  SqliteStatement& Bind(int index, std::string_view text);
  SqliteStatement& BindBlob(int index, std::string_view bytes);
  // True while a row is there to read; Done tells a finished run from a
  // failed one.
  bool Step();
  bool Done() const { return done_; }
  // Runs a statement that gives no rows; false when it failed.
  bool Run();
  void Reset();

  std::int64_t Int(int column) const;
  std::string_view Text(int column) const;
  std::string_view Blob(int column) const;

 private:
  struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
  };
  std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
  bool done_ = false;
};

class SqliteDatabase {
 public:
  // Null when the file cannot be opened as a database (":memory:" for one
  // in memory).
  static std::unique_ptr<SqliteDatabase> Open(const std::string& path);

  bool Exec(const char* sql);
  // An invalid statement when the text does not compile (a damaged schema).
  SqliteStatement Prepare(std::string_view sql);

 private:
  struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
  };
  explicit SqliteDatabase(sqlite3* db) : db_(db) {}
  std::unique_ptr<sqlite3, Closer> db_;
};

}  // namespace skerrow::maildir
