// The members of the client's interfaces that the stand-in plays, per type,
// with their argument lists and what each does to the in-memory store.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Result.h"
#include "host/MailHost.h"
#include "tests/outlookfacade/FacadeState.h"

namespace skerrow::facade {

// The arguments of one call, already checked against the member's argument
// list, and its result.
class FacadeCall {
 public:
  FacadeCall(const DISPPARAMS& params, VARIANT* result, std::shared_ptr<FacadeState> state)
      : params_(params), result_(result), state_(std::move(state)) {}

  // Arguments by their declared position.
  std::u16string Text(unsigned position) const;
  std::int32_t Int(unsigned position) const;
  bool Flag(unsigned position) const;
  DispatchPtr Object(unsigned position) const;  // the store's object behind it

  HRESULT Return(const Result<std::u16string>& value);
  HRESULT Return(const Result<std::int32_t>& value);
  HRESULT ReturnDate(const Result<double>& value);
  HRESULT Return(const Result<DispatchPtr>& value);
  template <class T>
  HRESULT Return(const Result<std::shared_ptr<T>>& value) {
    return Return(Result<DispatchPtr>{value.status, value.value});
  }
  HRESULT Return(HResult status) { return status; }

 private:
  const VARIANT& At(unsigned position) const;

  const DISPPARAMS& params_;
  VARIANT* result_;
  std::shared_ptr<FacadeState> state_;
};

using Handler = std::function<HRESULT(Dispatch& target, FacadeCall& call)>;

// One member. Argument lists have a letter per argument: s text (VT_BSTR),
// i VT_I4, b VT_BOOL, o an object of the stand-in, - an optional argument
// that must be left out.
struct Member {
  const wchar_t* name{};
  const char* arguments{};  // of the read or method call
  Handler read{};           // property get or method; may be empty
  char written = 0;         // the put value's letter; 0 for a read-only member
  Handler write{};
};

struct FacadeType {
  const wchar_t* name{};
  std::function<bool(Dispatch&)> is{};
  std::vector<Member> members{};
  std::optional<EventInterface> events{};  // the source interface it raises
  DISPID firstId = 0;                      // ids differ between types, as the client's do

  const Member* Find(DISPID id) const;
};

// The type of an object of the store; a type without members for objects
// the stand-in does not play (items without a face, unknown controls).
const FacadeType& TypeOf(Dispatch& target);

// Checks a call's arguments against a member's argument list.
HRESULT CheckArguments(const char* arguments, const DISPPARAMS& params, const FacadeState& state,
                       UINT* argumentError);

}  // namespace skerrow::facade
