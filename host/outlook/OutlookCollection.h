// A collection of the object model read by Count and a 1-based Item (passed
// as VT_I4): the selection, the address lists and their entries, an item's
// recipients and attachments, a folder's subfolders.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

template <class Collection, class Element>
class OutlookCollection : public Collection, public OutlookObject {
 public:
  using Face = Collection;

  OutlookCollection(Microsoft::WRL::ComPtr<IDispatch> object,
                    std::shared_ptr<OutlookSession> session, const wchar_t* type)
      : OutlookObject(std::move(object), std::move(session), type) {}

  Result<std::int32_t> Count() override { return ReadInt(L"Count"); }
  Result<std::shared_ptr<typename Element::Face>> Item(std::int32_t index) override {
    return ReadObject<Element>(L"Item", Variant::Int(index));
  }
};

}  // namespace skerrow::outlook
