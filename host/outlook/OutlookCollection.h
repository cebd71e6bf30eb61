// A collection of the object model read by Count and a 1-based Item (passed
// as VT_I4): the selection, the address lists and their entries, an item's
// recipients and attachments, a folder's subfolders.
#pragma once

#include <cstdint>
#include <memory>

#include "host/outlook/OutlookObject.h"

namespace skerrow::outlook {

template <class Collection, class Element, class Base = OutlookAdapter<Collection>>
class OutlookCollection : public Base {
 public:
  using Base::Base;

  Result<std::int32_t> Count() override { return this->ReadInt(L"Count"); }
  Result<std::shared_ptr<typename Element::Face>> Item(std::int32_t index) override {
    return this->template ReadObject<Element>(L"Item", Variant::Int(index));
  }
};

}  // namespace skerrow::outlook
