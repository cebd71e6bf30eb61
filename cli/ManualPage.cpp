#include "cli/ManualPage.h"

#include <cctype>
#include <cstdio>

#include "base/Utf8.h"

namespace skerrow::cli {

namespace {

constexpr std::string_view kUsagePrefix = "usage: ";

std::size_t Indent(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? line.size() : first;
}

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

bool IsPlaceholder(std::string_view word) {
  bool capital = false;
  for (const char c : word) {
    if (std::islower(static_cast<unsigned char>(c))) return false;
    if (std::isupper(static_cast<unsigned char>(c))) capital = true;
  }
  return capital;
}

// The usage line of a help text and the rest.
std::pair<std::string_view, std::string_view> SplitUsage(std::string_view help) {
  if (help.substr(0, kUsagePrefix.size()) != kUsagePrefix) return {{}, help};
  const std::size_t end = help.find('\n');
  const std::string_view usage = help.substr(kUsagePrefix.size(), end - kUsagePrefix.size());
  return {usage, end == std::string_view::npos ? std::string_view{} : help.substr(end + 1)};
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

std::string RoffText(std::string_view text) {
  std::string out;
  if (!text.empty() && (text[0] == '.' || text[0] == '\'')) out += "\\&";
  const std::u16string wide = Utf8ToUtf16(text);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    }
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\[u%04X]", static_cast<unsigned>(c));
      out += escape;
    }
  }
  return out;
}

std::string RoffSynopsis(std::string_view usage) {
  std::string out;
  std::size_t i = 0;
  while (i < usage.size()) {
    const char c = usage[i];
    const bool wordChar =
        std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '=' || c == '/';
    if (!wordChar) {
      out += c == '.' && out.empty() ? "\\&." : std::string(1, c);
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < usage.size() &&
           (std::isalnum(static_cast<unsigned char>(usage[end])) || usage[end] == '-' ||
            usage[end] == '_' || usage[end] == '=' || usage[end] == '/')) {
      ++end;
    }
    const std::string_view word = usage.substr(i, end - i);
    out += (IsPlaceholder(word) ? "\\fI" : "\\fB") + RoffText(word) + "\\fR";
    i = end;
  }
  return out;
}

std::string RoffBody(std::string_view text) {
  std::string out;
  enum class State { Start, Paragraph, Item } state = State::Start;
  std::size_t itemIndent = 0;
  bool gap = false;  // a blank line since the last text
  for (const std::string_view line : Lines(text)) {
    const std::string_view content = Trim(line);
    if (content.empty()) {
      gap = true;
      continue;
    }
    const std::size_t indent = Indent(line);
    if (state == State::Item && indent > itemIndent && !gap) {
      out += RoffText(content) + "\n";
    } else if (indent >= 2) {
      const std::size_t split = content.find("  ");
      const std::string_view term = content.substr(0, split);
      const std::string_view rest =
          split == std::string_view::npos ? std::string_view{} : Trim(content.substr(split));
      out += ".TP\n\\fB" + RoffText(term) + "\\fR\n";
      if (!rest.empty()) out += RoffText(rest) + "\n";
      state = State::Item;
      itemIndent = indent;
    } else {
      if (state != State::Paragraph || gap) out += ".PP\n";
      out += RoffText(content) + "\n";
      state = State::Paragraph;
    }
    gap = false;
  }
  return out;
}

std::string ManualPage(std::string_view usageHead, const std::vector<ManualCommand>& commands,
                       const std::vector<HelpSection>& sections) {
  const auto [synopsis, description] = SplitUsage(usageHead);
  // The name line takes the description's first sentence, "Runs the ...".
  std::string_view sentence = Trim(description.substr(description.find_first_not_of('\n')));
  sentence = sentence.substr(0, sentence.find_first_of(".\n"));
  std::string what(sentence);
  if (!what.empty()) what[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(what[0])));

  std::string page = ".TH SKERROW 1 \"\" \"Skerrow\" \"User Commands\"\n";
  page += ".SH NAME\nskerrow \\- " + RoffText(what) + "\n";
  page += ".SH SYNOPSIS\n" + RoffSynopsis(synopsis) + "\n";
  page += ".SH DESCRIPTION\n" + RoffBody(description);
  page += ".SH COMMANDS\n";
  for (const ManualCommand& command : commands) {
    const auto [usage, body] = SplitUsage(command.help);
    page += ".SS " + RoffText(command.name) + "\n";
    page += RoffSynopsis(usage.empty() ? "skerrow " + command.name : std::string(usage)) + "\n";
    std::string summary = command.summary;
    if (!summary.empty())
      summary[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(summary[0])));
    page += ".PP\n" + RoffText(summary) + ".\n";
    page += RoffBody(body);
  }
  for (const HelpSection& section : sections) {
    page += ".SH " + RoffText(Upper(section.title)) + "\n" + RoffBody(section.body);
  }
  page +=
      ".SH SEE ALSO\n\\fBsystemctl\\fR(1), \\fBprocmailrc\\fR(5), \\fBmaildropfilter\\fR(7), "
      "\\fBfetchmail\\fR(1), \\fBgetmail\\fR(1), \\fBmbsync\\fR(1)\n";
  return page;
}

}  // namespace skerrow::cli
