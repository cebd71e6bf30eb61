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
inline constexpr std::string_view kDictionaryReadingError =
    "Outlook Skerrow: Dictionary reading error!";
inline constexpr std::string_view kDictionaryMessageCaption = "Skerrow";

// Beside the dictionary: the last file that could not be read whole, kept
// when a new dictionary replaces it.
inline constexpr std::string_view kDamagedCopySuffix = ".damaged";

// A missing file leaves the statistics as they are, silently; a damaged one
// gives what it holds up to the damage. A file that is there but cannot be
// read, or reads with a negative message total (no dictionary ever holds
// one: the file is not a dictionary), shows "Outlook Skerrow: Dictionary
// reading error!". Returns false when a file was there and not all of it
// was read as a dictionary (unreadable, damaged, cut short or followed by
// other bytes).
bool ReadDictionaryFile(WordStatistics& statistics, FileSystem& files, const CodePage& codePage,
                        UserInterface& ui);

// Writes the statistics beside the old file and puts the new file in its place
// only once it is complete. A file that cannot be created (no space, no
// rights, a read-only dictionary) or replaced shows "Outlook Skerrow:
// Dictionary writing error!"; a failed learned list or body shows
// "Skerrowed Data storing error!" (once per list, once for the body).
// Whenever the new file is not whole, the old one stays. When keepOld is set
// the old file is first renamed to the dictionary's name plus
// kDamagedCopySuffix (replacing an earlier copy), so that the learning it
// holds can still be recovered, and renamed back when the new file cannot
// be put in place after all. Returns whether the new file is in place.
bool WriteDictionaryFile(WordStatistics& statistics, FileSystem& files, UserInterface& ui,
                         bool keepOld);

}  // namespace skerrow
