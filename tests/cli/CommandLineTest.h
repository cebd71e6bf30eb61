// The fixture of the end-to-end tests: runs the built skerrow command on a
// scratch prefix and store and captures what it prints.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace skerrow {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() {
    fs::create_directories(store());
    fs::create_directories(folder.path() / "in");
  }

  // The prefix and the store sit in base, the test's folder unless a test
  // moves them (onto a disk of its own).
  fs::path home() const { return base / "home"; }
  fs::path store() const { return base / "store"; }

  // input: the shell redirection of standard input.
  Outcome Run(const std::vector<std::string>& args, const std::string& input = "</dev/null") {
    std::string command = Quote(SKERROW_BINARY) + " --home " + Quote(home().string()) +
                          " --store " + Quote(store().string());
    for (const std::string& arg : args) command += " " + Quote(arg);
    const fs::path out = folder.path() / "out.txt";
    const fs::path err = folder.path() / "err.txt";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " " + input;
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = ReadText(out);
    outcome.err = ReadText(err);
    return outcome;
  }

  // A message file outside the store, to deliver.
  std::string Message(const std::string& name, const std::string& from, const std::string& subject,
                      const std::string& body) {
    const fs::path path = folder.path() / "in" / name;
    std::ofstream(path, std::ios::binary)
        << "From: " << from << "\r\nTo: Robin <robin@example.org>\r\nSubject: " << subject
        << "\r\nDate: Mon, 07 Dec 2026 10:00:00 +0100\r\nMIME-Version: 1.0\r\n"
        << "Content-Type: text/plain; charset=us-ascii\r\n\r\n"
        << body << "\r\n";
    return path.string();
  }

  // A field of a JSON result line.
  static std::string Field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const auto at = json.find(key);
    if (at == std::string::npos) return "";
    std::size_t start = at + key.size();
    if (json[start] != '"') {
      return json.substr(start, json.find_first_of(",}", start) - start);
    }
    std::string value;
    for (std::size_t i = start + 1; i < json.size() && json[i] != '"'; ++i) {
      if (json[i] == '\\' && i + 1 < json.size()) ++i;
      value += json[i];
    }
    return value;
  }

  // A message file's Maildir unique name: its name up to the ":".
  static std::string UniqueName(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    return name.substr(0, name.find(':'));
  }

  Outcome Deliver(const std::string& file) { return Run({"deliver", "--json", file}); }

  std::string Plain() {
    return Message("plain.eml", "Ann Lee <ann@example.org>", "Lunch on Friday",
                   "Shall we meet for lunch on Friday at noon? The usual place.");
  }
  std::string EmptyBody() {
    return Message("empty.eml", "Offers <offers@deals.example>", "Limited offer inside", ". . .");
  }

  TempFolder folder;
  fs::path base = folder.path();
};

}  // namespace skerrow
