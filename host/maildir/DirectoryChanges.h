// What a watcher saw of one directory since the last poll: the names of the
// entries made, removed or renamed in it, or that it cannot tell (the
// directory was not watched all along, or events were lost), in which case
// the directory must be listed again.
#pragma once

#include <set>
#include <string>

namespace skerrow::maildir {

struct DirectoryChanges {
  bool unknown = true;
  std::set<std::string> names;
};

}  // namespace skerrow::maildir
