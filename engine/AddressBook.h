// The names and addresses of the user's address lists, taken once at
// start-up. The valid check compares a sender name with both, ignoring case.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace skerrow {

class CodePage;
class ErrorLog;
class NameSpace;

class AddressBook {
 public:
  // Appends every entry of every address list: its name to Names() and its
  // address to Addresses(), in narrow form. A failed call is logged and
  // leaves that value empty; a missing list or entry is skipped. The caller
  // decides whether to take it (not when bDisableCheckAddrBook is set).
  void TakeSnapshot(NameSpace& nameSpace, const CodePage& codePage, const ErrorLog& log);

  // Equal to a name or an address, ignoring case as the code page does
  // (CompareNoCase compares the upper-cased texts: the entries are
  // upper-cased once, at the snapshot).
  bool Contains(std::string_view text, const CodePage& codePage) const;

  const std::vector<std::string>& Names() const { return names_; }
  const std::vector<std::string>& Addresses() const { return addresses_; }

 private:
  std::vector<std::string> names_;
  std::vector<std::string> addresses_;
  std::unordered_set<std::string> upperCased_;
};

}  // namespace skerrow
