#include "spamfolder/TaughtMessages.h"

#include <memory>
#include <optional>
#include <utility>

#include "base/Utf8.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

bool IsRecordable(std::string_view key) {
  return !key.empty() && key.size() <= TaughtMessages::kLongestId &&
         key.find_first_of("\r\n") == std::string_view::npos && IsValidUtf8(key);
}

}  // namespace

void TaughtMessages::RememberKey(std::string key) {
  if (!IsRecordable(key)) return;
  if (const auto known = index_.find(key); known != index_.end()) {
    if (known->second != std::prev(order_.end())) {
      order_.splice(order_.end(), order_, known->second);
      changed_ = true;
    }
    return;
  }
  changed_ = true;
  order_.push_back(key);
  index_.emplace(std::move(key), std::prev(order_.end()));
  if (index_.size() > kLimit) {
    index_.erase(order_.front());
    order_.pop_front();
  }
}

void TaughtMessages::Remember(const std::u16string& entryId) {
  RememberKey(Utf16ToUtf8(entryId));
}

void TaughtMessages::Forget(const std::u16string& entryId) {
  const auto known = index_.find(Utf16ToUtf8(entryId));
  if (known == index_.end()) return;
  order_.erase(known->second);
  index_.erase(known);
  changed_ = true;
}

bool TaughtMessages::Contains(const std::u16string& entryId) const {
  return index_.count(Utf16ToUtf8(entryId)) != 0;
}

void TaughtMessages::Load(FileSystem& files, std::string_view path) {
  order_.clear();
  index_.clear();
  const std::optional<std::string> text = files.ReadAll(path);
  if (!text) return;
  std::string_view rest = *text;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    RememberKey(std::string(line));
  }
  changed_ = false;
}

bool TaughtMessages::Save(FileSystem& files, std::string_view path) {
  // Written again, the file would say what it says: the write and its disk
  // syncs are spared.
  if (!changed_) return true;
  const std::unique_ptr<ReplacementFile> file = files.CreateReplacement(path);
  if (!file) return false;
  std::string text;
  for (const std::string& key : order_) {
    text += key;
    text += '\n';
  }
  if (!file->Write(text.data(), text.size()) || !file->Commit()) return false;
  changed_ = false;
  return true;
}

}  // namespace skerrow
