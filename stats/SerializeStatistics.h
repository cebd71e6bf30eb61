// The layout of the dictionary file, for reading and for writing:
//   1 format version (int32), 2 spam total, 3 valid total, 4 reserved (int32 each),
//   5 word table (word -> packed counts), 6 valid senders, 7 spam senders,
//   8 spam subjects, 9 spam body starts, 10 spam links (each a map: a count,
//   then key string and int32 value per record, written in ascending key
//   order, read in any order), 11 valid texts (int32 count,
//   then the strings in ascending order; only in version 2 and later).
#pragma once

#include "stats/DictionaryArchive.h"

namespace skerrow {

class WordStatistics;

// What went wrong on the way; a clean run has no failed list and no failed
// body.
struct SerializeOutcome {
  // Learned lists (fields 6 to 10) that failed part-way. Each list has its
  // own guard: loading and storing go on with the next list.
  int failedLists = 0;
  // A failure anywhere else, which ends the body where it happened.
  bool bodyFailed = false;
};

// Loading keeps whatever was read before a failure: the records read so far
// of a map, the totals read so far. A later record with the same key
// overwrites an earlier one; keys are taken as stored. Storing prunes each
// learned list just before writing it.
SerializeOutcome SerializeStatistics(DictionaryArchive& archive, WordStatistics& statistics);

}  // namespace skerrow
