#include "winsvc/ReminderHandler.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "options/FilterOptions.h"
#include "platform/Platform.h"
#include "winsvc/OpenWithAssociatedProgram.h"

namespace skerrow {

namespace {

// Upper-case extensions of the sound and video formats a reminder may play.
constexpr std::string_view kMediaExtensions[] = {
    "AAC",  "AIF", "AIFC", "AIFF", "ASF", "AU",  "AVI", "CDA", "FLAC", "M1V",
    "M3U",  "M4A", "MID",  "MIDI", "MOV", "MP2", "MP3", "MP4", "MPA",  "MPE",
    "MPEG", "MPG", "OGG",  "RA",   "RAM", "RMI", "SND", "WAV", "WMA",  "WMV",
};

// The file's last three characters; the client plays these itself.
constexpr std::string_view kWaveEnding = "wav";

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool ReminderHandler::IsMediaFile(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string extension(name.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(), AsciiUpper);
  return std::find(std::begin(kMediaExtensions), std::end(kMediaExtensions), extension) !=
         std::end(kMediaExtensions);
}

void ReminderHandler::OnReminder(const DispatchPtr& item) {
  if (!options_.bAllowPlayMpg || item == nullptr) return;
  // An appointment or a mail item has no sound of its own here.
  TaskItemPtr task = item->AsTaskItem();
  if (task == nullptr) return;
  Result<std::u16string> sound = task->ReminderSoundFile();
  if (!sound.ok()) return;
  const std::string name = platform_.codePage.ToNarrow(sound.value).text;
  if (name.size() <= kWaveEnding.size()) return;
  // Case matters here: "WAV" is opened like any other file.
  if (name.ends_with(kWaveEnding)) return;
  if (!IsMediaFile(name)) return;
  OpenWithAssociatedProgram(platform_.shell, platform_.ui, name);
}

}  // namespace skerrow
