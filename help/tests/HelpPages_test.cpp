// The help describes what the user sees, in the words the user sees: every
// text of the options page and its three dialogs, every report mark with its
// marker, and the messages of the dictionary must stand on their help pages
// as a browser shows them. A changed dialog text or mark fails here until the
// help says the same.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "options/DialogResources.h"
#include "spamfolder/ReportMarks.h"
#include "stats/DictionaryFile.h"

namespace skerrow {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The character references the pages use; anything else stays as written, so
// an unknown one cannot match a dialog text by accident.
std::string_view DecodedReference(std::string_view name) {
  if (name == "lt") return "<";
  if (name == "gt") return ">";
  if (name == "amp") return "&";
  if (name == "quot") return "\"";
  if (name == "nbsp") return "\xA0";
  return {};
}

// The text as a browser shows it: tags dropped, runs of white space shown as
// one blank, and a no-break space as a blank of its own (that is how the
// pages write the two blanks that some dialog texts hold).
std::string RenderedText(std::string_view html) {
  std::string text;
  bool pendingBlank = false;
  auto append = [&](std::string_view piece) {
    if (pendingBlank && !text.empty()) text += ' ';
    pendingBlank = false;
    text += piece;
  };
  for (std::size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    if (c == '<') {
      const std::size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      i = end;
    } else if (IsBlank(c)) {
      pendingBlank = true;
    } else if (c == '&') {
      const std::size_t end = html.find(';', i);
      const std::string_view decoded = end == std::string_view::npos
                                           ? std::string_view{}
                                           : DecodedReference(html.substr(i + 1, end - i - 1));
      if (decoded.empty()) {
        append("&");
      } else {
        append(decoded == "\xA0" ? " " : decoded);
        i = end;
      }
    } else {
      append(std::string_view(&html[i], 1));
    }
  }
  return text;
}

std::string RenderedPage(std::string_view page) {
  const std::string path = std::string(SKERROW_SOURCE_DIR) + "/help/" + std::string(page);
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << path;
  std::ostringstream html;
  html << in.rdbuf();
  return RenderedText(html.str());
}

std::string_view PageOfDialog(int dialog) {
  switch (dialog) {
    case dialogid::kOptionsPage:
      return "options-page.htm";
    case dialogid::kOperationRules:
      return "operation-rules.htm";
    case dialogid::kValidationRules:
      return "validation-rules.htm";
    case dialogid::kSpamFilterRules:
      return "spam-filter-rules.htm";
  }
  return "";
}

bool Holds(const std::string& page, std::string_view text) {
  return page.find(text) != std::string::npos;
}

TEST(HelpPages, NameEveryControlOfTheOptionsPageAndItsDialogsAsTheyShowIt) {
  for (const DialogResource* dialog : AllDialogResources()) {
    const std::string_view name = PageOfDialog(dialog->id);
    ASSERT_FALSE(name.empty()) << "no help page for dialog " << dialog->id;
    const std::string page = RenderedPage(name);
    EXPECT_TRUE(Holds(page, dialog->caption)) << name << " lacks the caption " << dialog->caption;
    for (const ControlResource& control : dialog->controls) {
      EXPECT_TRUE(Holds(page, control.text))
          << name << " lacks \"" << control.text << "\" (control " << control.id << ")";
    }
  }
}

TEST(HelpPages, ShowEveryReportMarkBehindTheMarkerOfItsCategory) {
  const std::string page = RenderedPage("report-marks.htm");
  for (int code = static_cast<int>(SpamReason::LangSubject);
       code <= static_cast<int>(SpamReason::MarkByUser); ++code) {
    const auto reason = static_cast<SpamReason>(code);
    const std::string subjectStart =
        std::string("<*") + CategoryDigit(reason) + "*>" + ReportMarkText(reason, 0.973);
    EXPECT_TRUE(Holds(page, subjectStart)) << "report-marks.htm lacks " << subjectStart;
  }
}

TEST(HelpPages, QuoteTheMessagesOfTheDictionaryAsTheyShow) {
  const std::string page = RenderedPage("messages.htm");
  for (std::string_view message : {kDataStoringError, kDictionaryWritingError}) {
    EXPECT_TRUE(Holds(page, message)) << "messages.htm lacks " << message;
  }
  EXPECT_TRUE(Holds(page, "titled " + std::string(kDictionaryMessageCaption)));
}

}  // namespace
}  // namespace skerrow
