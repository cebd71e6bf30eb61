// Reading and writing the dictionary file at WordStatistics::DictionaryPath().
// WordStatistics::LoadDictionary and SaveDictionary are the entry points.
#pragma once

#include <string_view>

namespace skerrow {

class WordStatistics;
class CodePage;
class FileSystem;
class UserInterface;

// The texts of the message boxes the user may see.
inline constexpr std::string_view kDataStoringError = "Skerrowed Data storing error!";
inline constexpr std::string_view kDictionaryWritingError =
    "Outlook Skerrow: Dictionary writing error!";
inline constexpr std::string_view kDictionaryMessageCaption = "Skerrow";

// A file that cannot be opened leaves the statistics as they are, silently; a
// damaged one gives what it holds up to the damage, silently. (The file is
// read whole, so a failure while reading is the same as a missing file.)
void ReadDictionaryFile(WordStatistics& statistics, FileSystem& files, const CodePage& codePage);

// Writes the statistics beside the old file and puts the new file in its place
// only once it is complete. A file that cannot be created is skipped
// silently; a failed learned list or body shows "Skerrowed Data storing
// error!" (once per list, once for the body), a failed flush or replacement
// "Outlook Skerrow: Dictionary writing error!". Whenever the new file is not
// whole, the old one stays.
void WriteDictionaryFile(WordStatistics& statistics, FileSystem& files, UserInterface& ui);

}  // namespace skerrow
