#include "host/outlook/OutlookMailItem.h"

namespace skerrow::outlook {

namespace {

constexpr std::int32_t kFormatHtml = 2;  // olFormatHTML

}  // namespace

HResult OutlookMailItem::SetSubject(const std::u16string& subject) {
  return Write(L"Subject", Variant::Text(subject));
}

Result<std::u16string> OutlookMailItem::HTMLBody() {
  const Result<std::int32_t> format = ReadInt(L"BodyFormat");
  if (!format.ok()) return Fail<std::u16string>(format.status);
  if (format.value != kFormatHtml) return Ok(std::u16string());
  return ReadText(L"HTMLBody");
}

HResult OutlookMailItem::SetHTMLBody(const std::u16string& html) {
  return Write(L"HTMLBody", Variant::Text(html));
}

Result<RecipientsPtr> OutlookMailItem::GetRecipients() {
  return ReadObject<OutlookRecipients>(L"Recipients");
}

Result<AttachmentsPtr> OutlookMailItem::GetAttachments() {
  return ReadObject<OutlookAttachments>(L"Attachments");
}

Result<double> OutlookMailItem::ReceivedTime() {
  Result<Variant> read = Read(L"ReceivedTime");
  if (!read.ok()) return Fail<double>(read.status);
  return ToDate(read.value.get());
}

HResult OutlookMailItem::SetUnRead(bool unread) {
  return Write(L"UnRead", Variant::Flag(unread));
}

Result<DispatchPtr> OutlookMailItem::Move(const FolderPtr& destination) {
  if (!destination) return Fail<DispatchPtr>(E_POINTER);
  IDispatch* folder = InterfaceOf(destination.get());
  if (folder == nullptr) return Fail<DispatchPtr>(E_INVALIDARG);
  return ReadObject<OutlookObject>(L"Move", Variant::Object(folder));
}

}  // namespace skerrow::outlook
