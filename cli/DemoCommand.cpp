#include "cli/DemoCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/EmbeddedFile.h"
#include "cli/ScratchFolder.h"
#include "cli/Session.h"
#include "cli/Text.h"
#include "platform/Platform.h"
#include "stats/WordStatistics.h"

namespace skerrow::cli {

namespace {

// Which samples are spam: the demo's user knows and corrects the filter.
const std::set<std::string_view> kSpamSamples = {
    "02-lottery.eml",   "04-empty.eml",    "05-dangerous.eml", "06-crypto-1.eml", "07-chinese.eml",
    "09-crypto-2.eml",  "11-crypto-3.eml", "13-crypto-4.eml",  "15-russian.eml",  "16-crypto-5.eml",
    "17-after-end.eml", "21-crypto-6.eml", "23-crypto-7.eml",  "25-newspam.eml"};

const char* Why(const SpamVerdict& verdict) {
  switch (verdict.kind) {
    case VerdictKind::Valid:
      return "ordinary mail";
    case VerdictKind::Unchangeable:
      return "private: moved untouched";
    case VerdictKind::Undecided:
      return "no stage decided";
    case VerdictKind::Spam:
      break;
  }
  switch (verdict.reason) {
    case SpamReason::LangSubject:
      return "subject in a foreign script";
    case SpamReason::LangBody:
      return "body in a foreign script";
    case SpamReason::SpamSender:
      return "sender learned as a spammer";
    case SpamReason::SpamSubject:
      return "subject learned from spam";
    case SpamReason::SpamBody:
      return "body learned from spam";
    case SpamReason::SpamLink:
      return "link learned from spam";
    case SpamReason::EmptyBody:
      return "no text in the body";
    case SpamReason::EmptySender:
      return "no sender name";
    case SpamReason::BadHtmlTags:
      return "HTML full of unknown tags";
    case SpamReason::TextAfterHtmlEnd:
      return "text after the end of the HTML";
    case SpamReason::ExtraSmallFont:
      return "hidden extra-small HTML text";
    case SpamReason::ChineseSymbols:
      return "garbled symbol pattern";
    case SpamReason::DangerAttachment:
      return "dangerous attachment";
    case SpamReason::AnyAttachment:
      return "has an attachment";
    case SpamReason::Bayes:
      return "words learned from spam";
    default:
      return "marked";
  }
}

// Terminal columns of the character whose UTF-8 form starts at text[i]: two
// for the wide East Asian scripts, one for the rest.
std::size_t Columns(const std::string& text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u;
  };
  if (byte(i) < 0xE0 || byte(i) >= 0xF0) return 1;
  const unsigned codePoint =
      ((byte(i) & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
  const bool wide = (codePoint >= 0x1100 && codePoint <= 0x115F) ||
                    (codePoint >= 0x2E80 && codePoint <= 0xA4CF) ||
                    (codePoint >= 0xAC00 && codePoint <= 0xD7A3) ||
                    (codePoint >= 0xF900 && codePoint <= 0xFAFF) ||
                    (codePoint >= 0xFF00 && codePoint <= 0xFF60);
  return wide ? 2 : 1;
}

std::size_t Width(const std::string& utf8) {
  std::size_t columns = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) columns += Columns(utf8, i);
  }
  return columns;
}

// At most `width` columns, cut at a character boundary with "..." when cut.
std::string Shorten(const std::string& utf8, std::size_t width) {
  if (Width(utf8) <= width) return utf8;
  std::size_t columns = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    columns += Columns(utf8, i);
    if (columns > width - 3) return utf8.substr(0, i) + "...";
  }
  return utf8;
}

std::string Pad(const std::string& utf8, std::size_t width) {
  const std::size_t columns = Width(utf8);
  return utf8 + std::string(columns < width ? width - columns : 0, ' ');
}

bool WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

const char* DemoCommand::Help() const {
  return "usage: skerrow demo [--dir DIR]\n"
         "\n"
         "Runs the filter on the sample mail built into the command: a fresh scratch\n"
         "prefix and Maildir store, an address book of three contacts, spam moved to the\n"
         "Spam folder with report marks in the subjects. The messages arrive one by one;\n"
         "when the filter lets spam through, the user drags it into the Spam folder and\n"
         "the filter learns from it. Prints what happened to each message and why.\n"
         "--dir keeps the prefix and store in DIR (which must not exist yet).\n";
}

int DemoCommand::Run(const Locations&, const std::vector<std::string>& args) {
  OptionParser options({}, {"--dir"});
  std::string error;
  if (!options.Parse(args, error)) return UsageError(*this, error);
  if (!options.Operands().empty()) return UsageError(*this, "unexpected " + options.Operands()[0]);

  ScratchFolder scratch("demo");
  std::filesystem::path root = scratch.path();
  const auto dirs = options.Values("--dir");
  if (!dirs.empty()) {
    root = dirs.back();
    std::error_code exists;
    if (std::filesystem::exists(root, exists)) return Failure(root.string() + " already exists");
  }
  if (root.empty()) return Failure("cannot create a scratch folder");
  const Locations place{(root / "home").string(), (root / "mail").string()};
  std::error_code code;
  std::filesystem::create_directories(root / "home" / "contacts", code);
  std::filesystem::create_directories(place.store, code);
  if (code) return Failure("cannot create " + root.string());
  for (const EmbeddedFile& card : SampleContacts()) {
    if (!WriteFile(root / "home" / "contacts" / std::string(card.name), card.bytes)) {
      return Failure("cannot write the sample address book");
    }
  }

  auto session = Session::Open(place, error);
  if (!session) return Failure(error);
  Profile& profile = session->platform().profile;
  profile.WriteString("Tamsquil", "bSpamAutoMove", "1");
  profile.WriteString("Tamsquil", "bAddReportMarksToSubj", "1");
  session->Connect();
  const std::u16string spamName = session->addIn().spamFolder().SpamFolderName();
  const FolderPtr spamFolder = session->addIn().spamFolder().SpamFolder();

  std::printf("Skerrow demo: %zu sample messages arrive in a fresh mailbox.\n",
              SampleMail().size());
  std::printf(
      "Spam is moved to \"%s\" with a report mark; Maya, Dad and Anna are in the\n"
      "address book. When spam slips through, the user drags it to \"%s\".\n\n",
      ToUtf8(spamName).c_str(), ToUtf8(spamName).c_str());
  std::printf(" #  %s %-8s %s %s\n", Pad("message", 40).c_str(), "verdict", Pad("why", 32).c_str(),
              "now in");

  int number = 0;
  int caught = 0;
  int missed = 0;
  int wrong = 0;
  for (const EmbeddedFile& sample : SampleMail()) {
    ++number;
    const Result<MailItemPtr> item = session->store().Deliver(sample.bytes);
    const auto verdicts = session->TakeVerdicts();
    if (!item.value || verdicts.empty()) continue;
    const auto& classified = verdicts.back();
    const bool isSpam = kSpamSamples.count(sample.name) != 0;
    const bool judgedSpam = classified.verdict.kind == VerdictKind::Spam;
    ResultLine line =
        DescribeMessage(*session, std::string(sample.name), item.value, classified.verdict);
    std::printf("%2d  %s %-8s %s %s\n", number,
                Pad(Shorten(ToUtf8(classified.subject), 39), 40).c_str(),
                judgedSpam ? "spam" : "valid", Pad(Why(classified.verdict), 32).c_str(),
                line.folder.c_str());
    if (isSpam && judgedSpam) ++caught;
    if (isSpam && !judgedSpam && spamFolder) {
      ++missed;
      // The user's correction: a drag into the Spam folder, which the
      // folder watcher answers by learning the message as spam.
      const Result<DispatchPtr> moved = item.value->Move(spamFolder);
      session->TakeVerdicts();
      line = DescribeMessage(*session, line.file, moved.value ? moved.value : item.value, {});
      std::printf("    -> the user drags it to \"%s\"; it is learned as spam: %s\n",
                  line.folder.c_str(), Shorten(line.subject, 50).c_str());
    }
    if (!isSpam && judgedSpam) ++wrong;
  }

  const WordStatistics& stats = session->addIn().statistics();
  std::printf(
      "\n%d spam messages caught on arrival, %d let through and corrected by the user,"
      " %d valid messages taken for spam.\n",
      caught, missed, wrong);
  std::printf("Learned: %d spam and %d valid messages, %zu words, %zu spam senders.\n",
              stats.SpamMessageCount(), stats.ValidMessageCount(), stats.Words().size(),
              stats.SpamSenders().size());
  session->Disconnect();
  if (!dirs.empty()) {
    std::printf("The mailbox is in %s, the add-in's prefix in %s.\n", place.store.c_str(),
                place.home.c_str());
  }
  return kExitOk;
}

}  // namespace skerrow::cli
