// Reads arbitrary bytes as a message file, the way the store does: the
// properties of the header from the head alone (what a Restrict reads) and
// from the whole file must agree; the bodies and attachments come from the
// whole file. Then the two rewrites the add-in makes: a new subject must read
// back as written and change no other property; a new HTML body (when the
// message has an HTML part) must read back as written.
#include "fuzz/FuzzTarget.h"
#include "host/maildir/MaildirFiles.h"
#include "host/maildir/MessageReader.h"
#include "host/maildir/MessageRewriter.h"

namespace {

using skerrow::fuzz::Require;
using namespace skerrow::maildir;

bool SameHeaderProperties(const MessageSummary& a, const MessageSummary& b) {
  return a.senderName == b.senderName && a.to == b.to && a.recipients == b.recipients &&
         a.headerTime == b.headerTime && a.importance == b.importance &&
         a.sensitivity == b.sensitivity;
}

bool SameBodies(const MessageBodies& a, const MessageBodies& b) {
  return a.body == b.body && a.htmlBody == b.htmlBody && a.hasHtmlPart == b.hasHtmlPart &&
         a.attachmentNames == b.attachmentNames;
}

// The rewriter writes line breaks in the message's own convention (CR LF
// when its first line ends so), which the body then reads back with.
std::u16string InLfWithoutTrailingBreaks(std::u16string_view written) {
  std::u16string text;
  for (std::size_t i = 0; i < written.size(); ++i) {
    if (written[i] != u'\r' || i + 1 >= written.size() || written[i + 1] != u'\n') {
      text.push_back(written[i]);
    }
  }
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) text.pop_back();
  return text;
}

// A character the part's charset cannot hold is written as a decimal
// character reference, which an HTML body shows as the character itself.
std::u16string WithCharacterReferencesResolved(std::u16string_view html) {
  std::u16string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html.substr(i, 2) == u"&#") {
      std::size_t end = i + 2;
      char32_t codePoint = 0;
      while (end < html.size() && end < i + 8 && html[end] >= u'0' && html[end] <= u'9') {
        codePoint = codePoint * 10 + (html[end++] - u'0');
      }
      if (end > i + 2 && end < html.size() && html[end] == u';' && codePoint < 0x10000) {
        text.push_back(static_cast<char16_t>(codePoint));
        i = end;
        continue;
      }
    }
    text.push_back(html[i]);
  }
  return text;
}

}  // namespace

SKERROW_FUZZ_TARGET(Message) {
  const std::size_t headLength = MaildirFiles::HeadLength(input);
  const MessageSummary summary = MessageReader::ReadSummary(input);
  const MessageSummary fromHead = MessageReader::ReadSummary(input.substr(0, headLength));
  Require(summary.subject == fromHead.subject && SameHeaderProperties(summary, fromHead),
          "the head alone gives the properties the whole file gives");
  const MessageBodies bodies = MessageReader::ReadBodies(input);

  const std::u16string subject = u"_<*3*> Re: caf\u00e9 \u20ac =?x?Q?y?= ";
  const auto marked = MessageRewriter::Apply(input, {subject, std::nullopt});
  Require(marked.ok(), "a subject can always be written");
  const MessageSummary remarked = MessageReader::ReadSummary(marked.value);
  Require(remarked.subject == subject, "a written subject reads back as written");
  Require(SameHeaderProperties(summary, remarked), "writing the subject changes no other field");
  Require(SameBodies(bodies, MessageReader::ReadBodies(marked.value)),
          "writing the subject changes no body");

  const std::u16string html = u"<html><body><p>Cleaned \u00e9</p>\n--x\n</body></html>";
  const auto cleaned = MessageRewriter::Apply(input, {std::nullopt, html});
  Require(cleaned.ok() == bodies.hasHtmlPart, "an HTML body can be written where one is");
  if (cleaned.ok()) {
    const MessageBodies rewritten = MessageReader::ReadBodies(cleaned.value);
    Require(WithCharacterReferencesResolved(InLfWithoutTrailingBreaks(rewritten.htmlBody)) == html,
            "a written HTML body reads back as written, line breaks and character references "
            "aside");
  }
}

SKERROW_FUZZ_SEEDS(Message) {
  // Messages as the store writes them: written by the rewriter over plain
  // ones, so that every transfer encoding it produces is among the seeds.
  const std::string plain =
      "From: \"Ann Example\" <ann@example.org>\r\n"
      "To: Bob <bob@example.org>, team: carol@example.org, dave@example.org;\r\n"
      "Cc: =?utf-8?B?w6lsaWU=?= <elie@example.org>\r\n"
      "Subject: =?iso-8859-1?Q?caf=E9?= plans\r\n"
      "Date: Tue, 3 Mar 2026 10:00:00 +0100\r\n"
      "Received: from x by y; Tue, 3 Mar 2026 10:00:05 +0100\r\n"
      "Importance: high\r\nSensitivity: Private\r\n"
      "\r\nHello Bob,\r\nsee you.\r\n";
  const std::string alternative =
      "From: shop@spam.example\nTo: you@example.org\nSubject: Offer\n"
      "MIME-Version: 1.0\nContent-Type: multipart/mixed; boundary=\"outer\"\n\n"
      "--outer\nContent-Type: multipart/alternative; boundary=inner\n\n"
      "--inner\nContent-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: "
      "quoted-printable\n\nBuy n=C3=B6w\n"
      "--inner\nContent-Type: text/html; charset=iso-8859-1\nContent-Transfer-Encoding: 7bit\n\n"
      "<html><body><script>x()</script><img src=a.gif></body></html>\n"
      "--inner--\n"
      "--outer\nContent-Type: application/octet-stream; name=\"=?utf-8?Q?r=C3=A9sum=C3=A9.exe?=\"\n"
      "Content-Disposition: attachment; filename*=utf-8''r%C3%A9sum%C3%A9.exe\n"
      "Content-Transfer-Encoding: base64\n\nTVqQAAMAAAAEAAAA\n"
      "--outer\nContent-Type: message/rfc822\n\nSubject: inner\n\nbody\n"
      "--outer--\n";
  std::vector<std::string> seeds{plain, alternative, "no header at all\n"};
  const std::u16string html = u"<p>\u00e9t\u00e9 \u4e2d</p>\n--inner\n";
  for (const std::string& message : {alternative}) {
    seeds.push_back(MessageRewriter::Apply(message, {u"_<*1*> Offer", html}).value);
  }
  seeds.push_back(MessageRewriter::Apply(plain, {u"Caf\u00e9 \u2014 plans", std::nullopt}).value);
  return seeds;
}
