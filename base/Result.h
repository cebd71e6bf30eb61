// A status and a value travelling together out of a host or platform call.
// On failure the value is the type's empty value (no object, empty string, 0),
// which is what every caller goes on with.
#pragma once

#include <utility>

#include "base/HResult.h"

namespace skerrow {

template <class T>
struct Result {
  HResult status = hr::kOk;
  T value{};

  bool ok() const { return hr::Succeeded(status); }
};

template <class T>
Result<T> Ok(T value) {
  return Result<T>{hr::kOk, std::move(value)};
}

template <class T>
Result<T> Fail(HResult status) {
  return Result<T>{status, T{}};
}

}  // namespace skerrow
