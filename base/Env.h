// What every core component reaches the world through: the platform services,
// the options record (read at each use, never copied) and the error log.
// Owned by whoever builds the component (the add-in object, a test).
#pragma once

namespace skerrow {

struct Platform;
struct FilterOptions;
class ErrorLog;

struct Env {
  Platform& platform;
  FilterOptions& options;
  ErrorLog& log;
};

}  // namespace skerrow
