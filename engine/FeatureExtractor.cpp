#include "engine/FeatureExtractor.h"

#include <cmath>
#include <string>

#include "base/ErrorLog.h"
#include "engine/Tokenizer.h"
#include "host/MailHost.h"
#include "html/HtmlAnalyzer.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

// Place codes: reading the sender and subject, the attachments, the body,
// the pseudo-words.
constexpr int kPlaceSenderName = 100601;
constexpr int kPlaceSubject = 100602;
constexpr int kPlaceAttachments = 100401;
constexpr int kPlaceAttachmentCount = 100402;
constexpr int kPlaceAttachment = 100403;
constexpr int kPlaceAttachmentName = 100404;
constexpr int kPlaceHtmlBody = 100301;
constexpr int kPlaceBody = 100302;
constexpr int kPlaceWriteHtmlBody = 100303;
constexpr int kPlaceSave = 100304;
constexpr int kPlaceRecipients = 100501;
constexpr int kPlaceRecipientCount = 100502;
constexpr int kPlaceRecipient = 100503;
constexpr int kPlaceRecipientAddress = 100504;
constexpr int kPlaceTo = 100505;
constexpr int kPlaceReceivedTime = 100506;
constexpr int kPlaceSize = 100507;
constexpr int kPlaceImportance = 100508;

constexpr int kMinBodyWordLength = 4;
constexpr int kMinSubjectWordLength = 2;
constexpr std::size_t kRecipientAddressLength = 30;
constexpr std::size_t kToWordLength = 60;
// The importance word when the importance cannot be read.
constexpr int kUnknownImportance = 555;

// Days since 1899-12-30 that an automation date can hold: years 100 to 9999.
constexpr double kFirstOleDay = -657434.0;
constexpr double kLastOleDay = 2958465.0;

// The hour of an automation date, or -1 when it names no calendar time. The
// fraction of a day counts from midnight whatever the sign of the date;
// times are rounded to the second.
int HourOf(double oleDate) {
  if (!std::isfinite(oleDate) || oleDate < kFirstOleDay || oleDate >= kLastOleDay + 1.0) {
    return -1;
  }
  const double fraction = std::fabs(oleDate - std::trunc(oleDate));
  const auto seconds = static_cast<long>(std::lround(fraction * 86400.0)) % 86400;
  return static_cast<int>(seconds / 3600);
}

// "SZ_" and the size with every digit after the first made 0: the order of
// magnitude, not the exact size, says something about a message.
std::string SizeWord(std::int32_t size) {
  std::string digits = std::to_string(size);
  bool firstDigitSeen = false;
  for (char& c : digits) {
    if (c < '0' || c > '9') continue;
    if (firstDigitSeen) c = '0';
    firstDigitSeen = true;
  }
  return "SZ_" + digits;
}

}  // namespace

void FeatureExtractor::extractFeatures(MailItem& item, MessageFeatures& features) {
  const FilterOptions& options = env_.options;
  const CodePage& codePage = env_.platform.codePage;
  const ErrorLog& log = env_.log;

  if (!options.bDisableCheckAddrBook) {
    const Result<std::u16string> sender = item.SenderName();
    log.LogFailure(sender.status, kPlaceSenderName);
    features.senderName = codePage.ToNarrow(sender.value).text;
  }
  const Result<std::u16string> subject = item.Subject();
  log.LogFailure(subject.status, kPlaceSubject);
  features.subject = codePage.ToNarrow(subject.value).text;

  ReadAttachments(item, features);
  ReadBody(item, features);
  if (!options.bDisableCheckAddrBook) AddPseudoWords(item, features);

  const Tokenizer tokenizer(codePage);
  tokenizer.Tokenize(features.bodyText, kMinBodyWordLength, features);
  tokenizer.Tokenize(features.subject, kMinSubjectWordLength, features);
  features.words.insert(features.attachmentNames.begin(), features.attachmentNames.end());
}

void FeatureExtractor::ReadAttachments(MailItem& item, MessageFeatures& features) {
  const CodePage& codePage = env_.platform.codePage;
  const ErrorLog& log = env_.log;
  const Result<AttachmentsPtr> attachments = item.GetAttachments();
  log.LogFailure(attachments.status, kPlaceAttachments);
  if (!attachments.value) return;
  const Result<std::int32_t> count = attachments.value->Count();
  log.LogFailure(count.status, kPlaceAttachmentCount);
  for (std::int32_t index = 1; index <= count.value; ++index) {
    const Result<AttachmentPtr> attachment = attachments.value->Item(index);
    log.LogFailure(attachment.status, kPlaceAttachment);
    if (!attachment.value) continue;
    const Result<std::u16string> name = attachment.value->FileName();
    log.LogFailure(name.status, kPlaceAttachmentName);
    if (name.value.empty()) continue;
    features.attachmentNames.push_back(codePage.ToUpper(codePage.ToNarrow(name.value).text));
  }
}

void FeatureExtractor::ReadBody(MailItem& item, MessageFeatures& features) {
  const FilterOptions& options = env_.options;
  const CodePage& codePage = env_.platform.codePage;
  const ErrorLog& log = env_.log;

  Result<std::u16string> html = item.HTMLBody();
  log.LogFailure(html.status, kPlaceHtmlBody);
  if (html.value.empty()) {
    const Result<std::u16string> body = item.Body();
    log.LogFailure(body.status, kPlaceBody);
    features.bodyText = codePage.ToNarrow(body.value).text;
    return;
  }

  features.htmlBody = std::move(html.value);
  const HtmlDocumentResult document = html_.AnalyzeDocument(features.htmlBody, features);
  features.bodyText = codePage.ToNarrow(document.renderedText).text;
  features.htmlCut = document.cut ? 1 : 0;
  // Cleaning rewrites the item only when it changed something; the body
  // element is all that is written back.
  if ((options.bRemoveScripts || options.bRemoveImages) && features.htmlChanged &&
      !document.cleanedHtml.empty()) {
    log.LogFailure(item.SetHTMLBody(document.cleanedHtml), kPlaceWriteHtmlBody);
    log.LogFailure(item.Save(), kPlaceSave);
  }
  html_.RawScan(codePage.ToNarrow(features.htmlBody).text, features);
  features.isHtml = 1;
  // Nothing reads the HTML from the record after this, and the language
  // test reads the item's own again: kept, a large body was held twice
  // (two copies of 100 MB for a 50 MB message).
  std::u16string().swap(features.htmlBody);
}

void FeatureExtractor::AddPseudoWords(MailItem& item, MessageFeatures& features) {
  const CodePage& codePage = env_.platform.codePage;
  const ErrorLog& log = env_.log;

  // Without the recipients none of the pseudo-words is made.
  const Result<RecipientsPtr> recipients = item.GetRecipients();
  log.LogFailure(recipients.status, kPlaceRecipients);
  if (!recipients.value) return;
  const Result<std::int32_t> count = recipients.value->Count();
  log.LogFailure(count.status, kPlaceRecipientCount);
  for (std::int32_t index = 1; index <= count.value; ++index) {
    const Result<RecipientPtr> recipient = recipients.value->Item(index);
    log.LogFailure(recipient.status, kPlaceRecipient);
    if (!recipient.value) continue;
    const Result<std::u16string> address = recipient.value->Address();
    log.LogFailure(address.status, kPlaceRecipientAddress);
    if (address.value.empty()) continue;
    const std::string narrow = codePage.ToNarrow(address.value).text;
    features.words.insert(codePage.ToUpper("RC_" + narrow.substr(0, kRecipientAddressLength)));
  }
  features.words.insert("RC_N_" + std::to_string(count.value));

  const Result<std::u16string> to = item.To();
  log.LogFailure(to.status, kPlaceTo);
  if (!to.value.empty()) {
    std::string line = codePage.ToNarrow(to.value).text;
    for (char& c : line) {
      if (c == ' ') c = '_';
    }
    features.words.insert(codePage.ToUpper(("to_" + line).substr(0, kToWordLength)));
  }

  const Result<double> received = item.ReceivedTime();
  log.LogFailure(received.status, kPlaceReceivedTime);
  features.words.insert("HOURS_" + std::to_string(received.ok() ? HourOf(received.value) : -1));

  const Result<std::int32_t> size = item.Size();
  log.LogFailure(size.status, kPlaceSize);
  features.words.insert(SizeWord(size.value));

  const Result<std::int32_t> importance = item.Importance();
  log.LogFailure(importance.status, kPlaceImportance);
  features.words.insert("IMPO_" +
                        std::to_string(importance.ok() ? importance.value : kUnknownImportance));
}

}  // namespace skerrow
