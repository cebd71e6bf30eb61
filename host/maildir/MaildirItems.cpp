#include "host/maildir/MaildirItems.h"

#include "host/SubjectFilter.h"
#include "host/maildir/StoreContext.h"

namespace skerrow::maildir {

MaildirItems::MaildirItems(std::shared_ptr<StoreContext> context,
                           std::vector<std::shared_ptr<MessageRecord>> fixed)
    : context_(std::move(context)), fixed_(std::move(fixed)) {}

std::vector<std::shared_ptr<MessageRecord>> MaildirItems::Current() {
  return node_ ? context_->Catalog().List(node_) : fixed_;
}

Result<std::int32_t> MaildirItems::Count() {
  if (node_) return Ok(context_->Catalog().Count(node_));
  return Ok(static_cast<std::int32_t>(fixed_.size()));
}

Result<ItemsPtr> MaildirItems::Restrict(const std::u16string& filter) {
  const std::optional<SubjectFilter> parsed = SubjectFilter::Parse(filter);
  if (!parsed) return Fail<ItemsPtr>(hr::kInvalidArg);
  if (node_) {
    return Ok<ItemsPtr>(
        std::make_shared<MaildirItems>(context_, context_->Catalog().Matching(node_, *parsed)));
  }
  std::vector<std::shared_ptr<MessageRecord>> matches;
  for (const auto& record : fixed_) {
    auto subject = context_->SubjectOf(*record);
    if (subject.ok() && parsed->Matches(subject.value)) matches.push_back(record);
  }
  return Ok<ItemsPtr>(std::make_shared<MaildirItems>(context_, std::move(matches)));
}

Result<DispatchPtr> MaildirItems::GetFirst() {
  walk_ = Current();
  cursor_ = 0;
  walking_ = true;
  return ItemAtCursor();
}

Result<DispatchPtr> MaildirItems::GetNext() {
  if (!walking_) return GetFirst();
  if (cursor_ < walk_.size()) ++cursor_;
  return ItemAtCursor();
}

Result<DispatchPtr> MaildirItems::ItemAtCursor() {
  if (cursor_ >= walk_.size()) return Ok<DispatchPtr>(nullptr);
  return Ok<DispatchPtr>(context_->ItemHandle(walk_[cursor_]));
}

Result<std::uint32_t> MaildirItems::Advise(EventInterface iface, EventSink* sink) {
  if (!node_) return Fail<std::uint32_t>(hr::kNotImpl);
  return node_->itemEvents.Advise(iface, sink);
}

HResult MaildirItems::Unadvise(std::uint32_t cookie) {
  if (!node_) return hr::kNotImpl;
  return node_->itemEvents.Unadvise(cookie);
}

}  // namespace skerrow::maildir
