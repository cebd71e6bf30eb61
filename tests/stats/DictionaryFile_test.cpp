#include "stats/DictionaryFile.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "stats/PackedCounts.h"
#include "stats/WordStatistics.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

constexpr std::string_view kFolder = "C:\\Dict";
constexpr std::string_view kPath = "C:\\Dict\\Tamsquill.bin";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values) bytes.push_back(static_cast<char>(value));
  return bytes;
}

class DictionaryFileTest : public testing::Test {
 protected:
  // A statistics object whose dictionary lives in kFolder.
  WordStatistics Fresh() {
    WordStatistics statistics;
    statistics.LoadDictionary(files_, world_.codePage(), world_.ui(), kFolder);
    return statistics;
  }

  WordStatistics Loaded(std::string_view bytes) {
    files_.files[std::string(kPath)] = std::string(bytes);
    return Fresh();
  }

  std::string Saved(WordStatistics& statistics) {
    statistics.SaveDictionary(files_, world_.ui());
    return files_.files[std::string(kPath)];
  }

  // Every list and table filled, some keys long enough for the longer
  // length prefixes.
  WordStatistics Rich() {
    WordStatistics statistics = Fresh();
    statistics.SetSpamMessageCount(120);
    statistics.SetValidMessageCount(340);
    statistics.SetReservedCount(-7);
    for (int i = 0; i < 40; ++i) {
      statistics.Words()["WORD" + std::to_string(i)] = PackCounts(i, 40 - i);
    }
    statistics.Words()[std::string(300, 'L')] = PackCounts(65535, 65535);
    statistics.ValidSenders().Increment("Alice Example");
    statistics.SpamSenders().Increment("Spammer");
    statistics.SpamSenders().Increment("Spammer");
    for (int i = 0; i < 5; ++i) statistics.SpamSubjects().Increment("Subject " + std::to_string(i));
    statistics.SpamBodies().Increment("Dear friend, I am a prince");
    statistics.SpamLinks().Increment("WWW.EXAMPLE.COM");
    statistics.SetValidTexts({"invoice", "Project X", std::string(260, 'v')});
    return statistics;
  }

  TestPlatform world_;
  MemoryFileSystem files_;
};

void ExpectSameStatistics(const WordStatistics& a, const WordStatistics& b) {
  EXPECT_EQ(a.SpamMessageCount(), b.SpamMessageCount());
  EXPECT_EQ(a.ValidMessageCount(), b.ValidMessageCount());
  EXPECT_EQ(a.ReservedCount(), b.ReservedCount());
  EXPECT_EQ(a.Words(), b.Words());
  EXPECT_EQ(a.ValidSenders().entries(), b.ValidSenders().entries());
  EXPECT_EQ(a.SpamSenders().entries(), b.SpamSenders().entries());
  EXPECT_EQ(a.SpamSubjects().entries(), b.SpamSubjects().entries());
  EXPECT_EQ(a.SpamBodies().entries(), b.SpamBodies().entries());
  EXPECT_EQ(a.SpamLinks().entries(), b.SpamLinks().entries());
  EXPECT_EQ(a.ValidTexts(), b.ValidTexts());
}

// --- Layout

TEST_F(DictionaryFileTest, WritesTheOneWordExampleByteForByte) {
  WordStatistics statistics = Fresh();
  statistics.SetSpamMessageCount(1);
  statistics.UpdateWordCounts({"FREE"}, WordCountMode::AsSpam);
  statistics.SetValidTexts({"Hi"});

  const std::string expected = Bytes({
      0x02, 0,    0,    0,   0x01, 0,   0,   0,    0,    0,    0,    0, 0, 0, 0, 0,  // header
      0x01, 0x00, 0x04, 'F', 'R',  'E', 'E', 0x00, 0x00, 0x01, 0x00,                 // word table
      0,    0,    0,    0,   0,    0,   0,   0,    0,    0,                          // five lists
      0x01, 0,    0,    0,   0x02, 'H', 'i',                                         // valid texts
  });
  EXPECT_EQ(Saved(statistics), expected);
  EXPECT_EQ(expected.size(), 44u);
  EXPECT_TRUE(world_.ui().messages.empty());
}

TEST_F(DictionaryFileTest, WritesEmptyStatisticsAsThirtyTwoBytes) {
  WordStatistics statistics = Fresh();
  std::string expected = Bytes({0x02, 0, 0, 0});
  expected += std::string(12, '\0') + std::string(12, '\0') + std::string(4, '\0');
  EXPECT_EQ(Saved(statistics), expected);
}

TEST_F(DictionaryFileTest, JoinsTheFolderAndTheFileNameWithOneBackslash) {
  WordStatistics plain;
  plain.LoadDictionary(files_, world_.codePage(), world_.ui(), "C:\\Dict");
  WordStatistics trailing;
  trailing.LoadDictionary(files_, world_.codePage(), world_.ui(), "C:\\Dict\\");
  EXPECT_EQ(plain.DictionaryPath(), "C:\\Dict\\Tamsquill.bin");
  EXPECT_EQ(trailing.DictionaryPath(), "C:\\Dict\\\\Tamsquill.bin");
}

TEST_F(DictionaryFileTest, WritesTheWordsInAscendingByteOrder) {
  // Keys of every length up to twenty bytes, many sharing their first eight
  // bytes or being the start of another, bytes above 0x7F and NULs among them.
  std::mt19937 random(7);
  std::set<std::string> keys;
  WordStatistics statistics = Fresh();
  for (int i = 0; i < 3000; ++i) {
    std::string key(random() % 21, '\0');
    for (char& c : key) c = "AB\x00\xE9\xFFz"[random() % 6];
    if (keys.insert(key).second) statistics.Words()[key] = PackCounts(1, 0);
  }
  const std::string saved = Saved(statistics);
  std::vector<std::string> written;
  std::size_t at = 16 + 2;  // the header, then the count of the words
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const auto length = static_cast<unsigned char>(saved[at]);
    written.push_back(saved.substr(at + 1, length));
    at += 1 + length + 4;
  }
  EXPECT_EQ(written, std::vector<std::string>(keys.begin(), keys.end()));
}

// --- Round trips

TEST_F(DictionaryFileTest, DumpLoadDumpGivesTheSameBytes) {
  WordStatistics original = Rich();
  const std::string first = Saved(original);

  WordStatistics reloaded = Loaded(first);
  ExpectSameStatistics(reloaded, original);
  EXPECT_EQ(Saved(reloaded), first);
}

TEST_F(DictionaryFileTest, ReplacesTheFileOnlyWhenItsBytesWouldChange) {
  WordStatistics original = Rich();
  const std::string first = Saved(original);
  WordStatistics reloaded = Loaded(first);
  const int commits = files_.commits;
  EXPECT_TRUE(reloaded.SaveDictionary(files_, world_.ui()));
  EXPECT_TRUE(reloaded.SaveDictionary(files_, world_.ui()));
  EXPECT_EQ(files_.commits, commits) << "nothing learned: nothing written";

  reloaded.UpdateWordCounts({"FREE"}, WordCountMode::AsSpam);
  EXPECT_NE(Saved(reloaded), first);
  EXPECT_EQ(files_.commits, commits + 1);
  files_.files.erase(std::string(kPath));  // gone behind the filter's back
  Saved(reloaded);
  EXPECT_EQ(files_.commits, commits + 2) << "a missing file is written again";
}

TEST_F(DictionaryFileTest, RoundTripsThroughTheRealFileSystem) {
  world_.WriteFile(world_.options().InstallFolder + "\\placeholder", "");
  WordStatistics original;
  original.LoadDictionary(world_.platform(), world_.options());
  original.UpdateWordCounts({"FREE", "MONEY"}, WordCountMode::AsSpam);
  original.SetValidTexts({"Hi"});
  original.SaveDictionary(world_.platform());

  WordStatistics reloaded;
  reloaded.LoadDictionary(world_.platform(), world_.options());
  EXPECT_EQ(reloaded.Words(), original.Words());
  EXPECT_EQ(reloaded.ValidTexts(), original.ValidTexts());
  EXPECT_TRUE(reloaded.DictionaryLoaded());
}

TEST_F(DictionaryFileTest, LoadsOnlyOnce) {
  files_.files[std::string(kPath)] = Bytes({0x02, 0, 0, 0, 0x09, 0, 0, 0});
  WordStatistics statistics = Fresh();
  statistics.SetSpamMessageCount(1);
  statistics.LoadDictionary(files_, world_.codePage(), world_.ui(), "C:\\Elsewhere");
  EXPECT_EQ(statistics.SpamMessageCount(), 1);
  EXPECT_EQ(statistics.DictionaryFolder(), kFolder);
}

TEST_F(DictionaryFileTest, StartsEmptyAndSilentWithoutAFile) {
  WordStatistics statistics = Fresh();
  EXPECT_TRUE(statistics.DictionaryLoaded());
  EXPECT_TRUE(statistics.Words().empty());
  EXPECT_TRUE(world_.ui().messages.empty());
}

TEST_F(DictionaryFileTest, LoadsAVersionOneFileAndWritesVersionTwoNextTime) {
  WordStatistics original = Rich();
  original.SetValidTexts({});
  std::string bytes = Saved(original);
  // Version 1 ends after the spam links: no valid-text count.
  bytes[0] = 0x01;
  bytes.resize(bytes.size() - 4);

  WordStatistics loaded = Loaded(bytes);
  ExpectSameStatistics(loaded, original);

  const std::string rewritten = Saved(loaded);
  EXPECT_EQ(rewritten[0], 0x02);
  EXPECT_EQ(rewritten.size(), bytes.size() + 4);
}

TEST_F(DictionaryFileTest, LetsALaterRecordOverwriteAnEarlierOneWithTheSameKey) {
  const std::string bytes =
      Bytes({0x01, 0,    0,    0,   0,    0, 0, 0, 0,    0,   0,    0, 0, 0, 0, 0,  //
             0x02, 0x00, 0x01, 'A', 0x01, 0, 0, 0, 0x01, 'A', 0x05, 0, 0,
             0,  //
             0,    0,    0,    0,   0,    0, 0, 0, 0,    0});
  WordStatistics loaded = Loaded(bytes);
  EXPECT_EQ(loaded.Words(), (WordTable{{"A", 5}}));
}

TEST_F(DictionaryFileTest, TakesStoredKeysAsTheyAreWithoutTheKeyLengthCut) {
  WordStatistics original = Fresh();
  original.SpamSubjects().entries()[std::string(40, 's')] = 3;
  WordStatistics loaded = Loaded(Saved(original));
  EXPECT_TRUE(loaded.SpamSubjects().entries().contains(std::string(40, 's')));
}

// --- Damaged files

TEST_F(DictionaryFileTest, LoadsEveryCutOfTheFileKeepingWhatCameBeforeTheCut) {
  WordStatistics original = Rich();
  const std::string full = Saved(original);

  std::size_t previousItems = 0;
  for (std::size_t cut = 0; cut <= full.size(); ++cut) {
    WordStatistics loaded = Loaded(std::string_view(full).substr(0, cut));
    std::size_t items = loaded.Words().size() + loaded.ValidSenders().size() +
                        loaded.SpamSenders().size() + loaded.SpamSubjects().size() +
                        loaded.SpamBodies().size() + loaded.SpamLinks().size() +
                        loaded.ValidTexts().size();
    for (const auto& [word, counts] : loaded.Words()) {
      ASSERT_EQ(original.Words().at(word), counts) << cut;
    }
    for (const std::string& text : loaded.ValidTexts()) {
      ASSERT_TRUE(original.ValidTexts().contains(text)) << cut;
    }
    ASSERT_GE(items, previousItems) << "a longer cut lost something, at " << cut;
    previousItems = items;
  }
  EXPECT_TRUE(world_.ui().messages.empty());
  ExpectSameStatistics(Loaded(full), original);
}

TEST_F(DictionaryFileTest, KeepsTheListsBeforeACutInTheSubjectListAndTheSubjectsReadSoFar) {
  std::string bytes = Bytes({0x02, 0, 0, 0, 0x03, 0, 0, 0, 0x07, 0, 0, 0, 0, 0, 0, 0});
  bytes += Bytes({0x01, 0x00, 0x04, 'F', 'R', 'E', 'E', 0, 0, 0x01, 0});        // words
  bytes += Bytes({0x01, 0x00, 0x03, 'A', 'n', 'n', 0x02, 0, 0, 0});             // valid senders
  bytes += Bytes({0x01, 0x00, 0x03, 'B', 'o', 'b', 0x05, 0, 0, 0});             // spam senders
  bytes += Bytes({0x03, 0x00, 0x02, 'S', '1', 0x02, 0, 0, 0, 0x02, 'S', '2'});  // subjects, cut

  WordStatistics loaded = Loaded(bytes);

  EXPECT_EQ(loaded.SpamMessageCount(), 3);
  EXPECT_EQ(loaded.ValidMessageCount(), 7);
  EXPECT_EQ(loaded.Words(), (WordTable{{"FREE", 65536}}));
  EXPECT_EQ(loaded.ValidSenders().entries(), (LearnedList::Entries{{"Ann", 2}}));
  EXPECT_EQ(loaded.SpamSenders().entries(), (LearnedList::Entries{{"Bob", 5}}));
  EXPECT_EQ(loaded.SpamSubjects().entries(), (LearnedList::Entries{{"S1", 2}}));
  EXPECT_TRUE(loaded.SpamBodies().entries().empty());
  EXPECT_TRUE(world_.ui().messages.empty());
}

TEST_F(DictionaryFileTest, GoesOnWithTheNextListAfterABadLengthInOne) {
  std::string bytes = Bytes({0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  // Valid senders: one record whose key has a 64-bit length beyond the
  // signed limit: a bad format, after which reading goes on from there.
  bytes += Bytes({0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0, 0, 0});
  // Spam senders: one good record.
  bytes += Bytes({0x01, 0x00, 0x03, 'B', 'o', 'b', 0x02, 0, 0, 0});
  bytes += Bytes({0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0x02, 'H', 'i'});

  WordStatistics loaded = Loaded(bytes);

  EXPECT_TRUE(loaded.ValidSenders().entries().empty());
  EXPECT_EQ(loaded.SpamSenders().entries(), (LearnedList::Entries{{"Bob", 2}}));
  EXPECT_EQ(loaded.ValidTexts(), (std::set<std::string>{"Hi"}));
}

TEST_F(DictionaryFileTest, SurvivesAHostileHugeCountWithoutAllocatingForIt) {
  std::string bytes = Bytes({0x02, 0, 0, 0, 0x05, 0, 0, 0, 0x09, 0, 0, 0, 0, 0, 0, 0});
  bytes += Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});  // four billion words
  bytes += Bytes({0x02, 'H', 'I', 0x01, 0x00, 0x01, 0x00});
  WordStatistics loaded = Loaded(bytes);
  EXPECT_EQ(loaded.SpamMessageCount(), 5);
  EXPECT_EQ(loaded.Words(), (WordTable{{"HI", 65537}}));

  // Valid texts: two billion of them, then one.
  std::string texts = Bytes({0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  texts += std::string(12, '\0') + Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x01, 'x'});
  EXPECT_EQ(Loaded(texts).ValidTexts(), (std::set<std::string>{"x"}));
}

TEST_F(DictionaryFileTest, ReadsNoValidTextsForACountOfZeroOrLess) {
  std::string bytes = Bytes({0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  bytes += std::string(12, '\0') + Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x01, 'x'});
  EXPECT_TRUE(Loaded(bytes).ValidTexts().empty());
}

// --- Saving

TEST_F(DictionaryFileTest, HalvesTotalsAboveTheCountLimitAndKeepsThemHalved) {
  WordStatistics statistics = Fresh();
  statistics.SetSpamMessageCount(WordStatistics::CountLimit + 1);
  statistics.SetValidMessageCount(11);
  const std::string bytes = Saved(statistics);
  EXPECT_EQ(bytes.substr(4, 8), Bytes({0x00, 0x80, 0, 0, 0x05, 0, 0, 0}));
  EXPECT_EQ(statistics.SpamMessageCount(), 32768);
  EXPECT_EQ(statistics.ValidMessageCount(), 5);
}

TEST_F(DictionaryFileTest, PrunesAnOverfullListBeforeWritingIt) {
  WordStatistics statistics = Fresh();
  for (int i = 0; i < 1025; ++i) statistics.SpamSenders().Increment("S" + std::to_string(i));
  WordStatistics loaded = Loaded(Saved(statistics));
  EXPECT_EQ(loaded.SpamSenders().size(), 1025u - 104u);
}

TEST_F(DictionaryFileTest, PrunesAnOverfullWordTableBeforeWritingIt) {
  WordStatistics statistics = Fresh();
  for (int i = 0; i <= WordStatistics::WordLimit; ++i) {
    statistics.Words()["W" + std::to_string(i)] = PackCounts(0, 1);
  }
  // One word over the limit: the quota 1 + 16384 / 10 ends the run after
  // one removal more.
  EXPECT_EQ(Loaded(Saved(statistics)).Words().size(), 16385u - 1640u);
}

// --- The word order kept from the reading to the writing

// "K0000", "K0002" and so on: words with room between them.
std::string Key(int i) {
  std::string key = std::to_string(i);
  return "K" + std::string(4 - key.size(), '0') + key;
}

// The words of a saved file in the order written (keys under 255 bytes).
std::vector<std::string> WrittenWords(const std::string& saved) {
  std::vector<std::string> words;
  std::size_t at = 16;
  std::size_t count = static_cast<unsigned char>(saved[at]) |
                      static_cast<std::size_t>(static_cast<unsigned char>(saved[at + 1])) << 8;
  at += 2;
  for (; count > 0; --count) {
    const auto length = static_cast<unsigned char>(saved[at]);
    words.push_back(saved.substr(at + 1, length));
    at += 1 + length + 4;
  }
  return words;
}

// What a change can do with the file beside changing the statistics.
struct Dictionary {
  std::function<WordStatistics()> load;  // other statistics, read from it
  std::function<void(WordStatistics&)> save;
};

struct OrderChange {
  const char* name;
  // Changes statistics read from a file of the even keys below 2000.
  void (*change)(WordStatistics& statistics, const Dictionary& dictionary);
};

class KeptWordOrder : public DictionaryFileTest, public testing::WithParamInterface<OrderChange> {};

TEST_P(KeptWordOrder, WritesEveryWordOnceInAscendingOrder) {
  WordStatistics original = Fresh();
  for (int i = 0; i < 2000; i += 2) original.Words()[Key(i)] = PackCounts(1, 1);
  const std::string file = Saved(original);
  const Dictionary dictionary{[&] { return Loaded(file); },
                              [&](WordStatistics& s) { s.SaveDictionary(files_, world_.ui()); }};
  WordStatistics statistics = dictionary.load();
  GetParam().change(statistics, dictionary);

  files_.files.erase(std::string(kPath));  // so that the save cannot skip the write
  const std::vector<std::string> written = WrittenWords(Saved(statistics));
  std::set<std::string> expected;
  for (const auto& [word, counts] : std::as_const(statistics).Words()) expected.insert(word);
  EXPECT_EQ(written, std::vector<std::string>(expected.begin(), expected.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, KeptWordOrder,
    testing::Values(OrderChange{"LearnsWordsBeforeBetweenAndAfterTheRead",
                                [](WordStatistics& s, const Dictionary&) {
                                  s.UpdateWordCounts(
                                      {"A", "K", "K0001", "K0002x", "K1999", "K3", "Z"},
                                      WordCountMode::AsSpam);
                                  s.UpdateWordCounts({"K0001", "K0003"}, WordCountMode::AsValid);
                                }},
                    OrderChange{"LearnsAfterASaveAndSavesAgain",
                                [](WordStatistics& s, const Dictionary& dictionary) {
                                  s.UpdateWordCounts({"K0001"}, WordCountMode::AsSpam);
                                  dictionary.save(s);
                                  s.UpdateWordCounts({"K0000a", "K0001a"}, WordCountMode::AsSpam);
                                }},
                    OrderChange{"PrunesWhatWasReadAndLearned",
                                [](WordStatistics& s, const Dictionary&) {
                                  WordSet words;
                                  for (int i = 0; i < WordStatistics::WordLimit; ++i)
                                    words.insert("N" + std::to_string(i));
                                  s.UpdateWordCounts(words, WordCountMode::AsSpam);
                                }},
                    OrderChange{"ErasesAndAddsThroughTheTable",
                                [](WordStatistics& s, const Dictionary&) {
                                  s.Words().erase(Key(10));
                                  s.Words()["K2001"] =
                                      PackCounts(1, 0);  // where the erased one was, if it is kept
                                  s.UpdateWordCounts({"K0013"}, WordCountMode::AsSpam);
                                }},
                    OrderChange{"IsMovedThenLearns",
                                [](WordStatistics& s, const Dictionary&) {
                                  WordStatistics moved = std::move(s);
                                  moved.UpdateWordCounts({"K0005"}, WordCountMode::AsSpam);
                                  s = std::move(moved);
                                  s.UpdateWordCounts({"K0007"}, WordCountMode::AsSpam);
                                }},
                    OrderChange{"IsACopyOfStatisticsThatAreGone",
                                [](WordStatistics& s, const Dictionary& dictionary) {
                                  {
                                    WordStatistics other = dictionary.load();
                                    other.UpdateWordCounts({"K0009"}, WordCountMode::AsSpam);
                                    s = other;
                                  }
                                  s.UpdateWordCounts({"K0015"}, WordCountMode::AsSpam);
                                }}),
    [](const testing::TestParamInfo<OrderChange>& info) { return std::string(info.param.name); });

TEST_F(DictionaryFileTest, ShowsTheWritingErrorWhenTheFileCannotBeCreated) {
  files_.files[std::string(kPath)] = "old";
  files_.refuseCreate = true;
  WordStatistics statistics = Rich();
  statistics.SetSpamMessageCount(70000);
  EXPECT_FALSE(statistics.SaveDictionary(files_, world_.ui()));
  EXPECT_EQ(files_.files[std::string(kPath)], "old");
  EXPECT_EQ(world_.ui().Texts(),
            (std::vector<std::string>{"Outlook Skerrow: Dictionary writing error!"}));
  EXPECT_EQ(statistics.SpamMessageCount(), 35000);
}

// What loading a file tells the user, and whether the next save keeps the
// file beside the new one because it was not read whole.
struct ReadingCase {
  const char* name;
  std::optional<std::string> bytes;  // none: no file
  bool unreadable;
  bool message;
  bool kept;
};

class DictionaryReading : public DictionaryFileTest,
                          public testing::WithParamInterface<ReadingCase> {};

TEST_P(DictionaryReading, WarnsOfUnreadableOrForeignFilesAndKeepsThemOnce) {
  const ReadingCase& c = GetParam();
  if (c.bytes) files_.files[std::string(kPath)] = *c.bytes;
  files_.refuseRead = c.unreadable;
  WordStatistics statistics = Fresh();
  files_.refuseRead = false;
  EXPECT_EQ(!world_.ui().Texts().empty(), c.message) << c.name;
  if (c.message) {
    EXPECT_EQ(world_.ui().Texts(),
              (std::vector<std::string>{"Outlook Skerrow: Dictionary reading error!"}));
  }

  ASSERT_TRUE(statistics.SaveDictionary(files_, world_.ui())) << c.name;
  const std::string damaged = std::string(kPath) + ".damaged";
  EXPECT_EQ(files_.files.count(damaged), c.kept ? 1u : 0u) << c.name;
  if (c.kept) {
    EXPECT_EQ(files_.files[damaged], *c.bytes) << c.name;
  }

  // Kept once: the file written since is the user's dictionary now.
  files_.files.erase(damaged);
  ASSERT_TRUE(statistics.SaveDictionary(files_, world_.ui()));
  EXPECT_EQ(files_.files.count(damaged), 0u) << c.name;
}

const std::string kEmptyDictionary = Bytes({2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

INSTANTIATE_TEST_SUITE_P(
    Files, DictionaryReading,
    testing::Values(ReadingCase{"missing", std::nullopt, false, false, false},
                    ReadingCase{"whole", kEmptyDictionary, false, false, false},
                    ReadingCase{"unreadable", kEmptyDictionary, true, true, true},
                    ReadingCase{"cut short", kEmptyDictionary.substr(0, 20), false, false, true},
                    ReadingCase{"followed by other bytes", kEmptyDictionary + "xyz", false, false,
                                true},
                    ReadingCase{"negative valid total",
                                Bytes({2, 0, 0, 0, 0x41, 0x42, 0x43, 0x4C, 0x19, 0x1E, 0x2F, 0xD8}),
                                false, true, true}));

struct WriteFailure {
  const char* name;
  std::size_t acceptedBytes;  // of the rich file, which is one 4096-byte buffer at most
  std::vector<std::string> messages;
};

TEST_F(DictionaryFileTest, KeepsThePreviousFileWhenTheNewOneCannotBeWrittenWhole) {
  WordStatistics statistics = Rich();
  const std::string previous = Saved(statistics);
  ASSERT_LT(previous.size(), 4096u);

  files_.acceptedBytes = 10;
  statistics.SetSpamMessageCount(9);
  statistics.SaveDictionary(files_, world_.ui());

  EXPECT_EQ(files_.files[std::string(kPath)], previous);
  EXPECT_EQ(world_.ui().Texts(),
            (std::vector<std::string>{"Outlook Skerrow: Dictionary writing error!"}));
}

TEST_F(DictionaryFileTest, ShowsOneStoringErrorPerFailingListAndKeepsThePreviousFile) {
  WordStatistics statistics = Fresh();
  // Big enough lists that each of them spills through the 4096-byte buffer.
  for (int i = 0; i < 200; ++i) {
    const std::string text = std::string(45, 'a') + std::to_string(1000 + i);
    statistics.ValidSenders().Increment(text);
    statistics.SpamSenders().Increment(text);
    statistics.SpamSubjects().entries()[text] = 2;
    statistics.SpamBodies().entries()[text] = 2;
    statistics.SpamLinks().Increment(text);
  }
  files_.files[std::string(kPath)] = "previous";
  files_.acceptedBytes = 0;

  statistics.SaveDictionary(files_, world_.ui());

  const std::string storing = "Skerrowed Data storing error!";
  EXPECT_EQ(world_.ui().Texts(),
            (std::vector<std::string>{storing, storing, storing, storing, storing,
                                      "Outlook Skerrow: Dictionary "
                                      "writing error!"}));
  EXPECT_EQ(files_.files[std::string(kPath)], "previous");
  EXPECT_EQ(files_.commits, 0);
}

TEST_F(DictionaryFileTest, ShowsTheWritingErrorAndKeepsThePreviousFileWhenTheSwapFails) {
  files_.files[std::string(kPath)] = "previous";
  files_.refuseCommit = true;
  WordStatistics statistics = Rich();
  statistics.SaveDictionary(files_, world_.ui());
  EXPECT_EQ(files_.files[std::string(kPath)], "previous");
  EXPECT_EQ(world_.ui().Texts(),
            (std::vector<std::string>{"Outlook Skerrow: Dictionary writing error!"}));
}

}  // namespace
}  // namespace skerrow
