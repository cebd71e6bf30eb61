#include "host/outlook/OutlookSession.h"

namespace skerrow::outlook {

Result<DISPID> OutlookSession::DispatchId(IDispatch& object, std::type_index type,
                                          const wchar_t* name) {
  auto key = std::make_pair(type, std::wstring(name));
  if (auto found = ids_.find(key); found != ids_.end()) return Ok(found->second);
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  const HRESULT status = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(status)) return Fail<DISPID>(status);
  ids_.emplace(std::move(key), id);
  return Ok(id);
}

}  // namespace skerrow::outlook
