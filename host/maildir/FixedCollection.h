// A collection of the object model over a fixed list, taken when the
// collection was asked for (recipients, attachments, address lists and
// entries, the selection). Indexes are 1-based; one outside 1..Count fails
// with kBadIndex.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Result.h"
#include "host/maildir/MaildirStatus.h"

namespace skerrow::maildir {

template <class Interface, class Element>
class FixedCollection final : public Interface {
 public:
  explicit FixedCollection(std::vector<std::shared_ptr<Element>> elements)
      : elements_(std::move(elements)) {}

  Result<std::int32_t> Count() override { return Ok(static_cast<std::int32_t>(elements_.size())); }

  Result<std::shared_ptr<Element>> Item(std::int32_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > elements_.size()) {
      return Fail<std::shared_ptr<Element>>(kBadIndex);
    }
    return Ok(elements_[static_cast<std::size_t>(index) - 1]);
  }

 private:
  std::vector<std::shared_ptr<Element>> elements_;
};

}  // namespace skerrow::maildir
