#include "host/maildir/StoreIndex.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/Utf8.h"
#include "host/SubjectFilter.h"
#include "host/maildir/FolderTree.h"
#include "host/maildir/MaildirStore.h"
#include "host/maildir/MessageCatalog.h"
#include "tests/support/TempFolder.h"

namespace skerrow::maildir {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The store's index as the commands see it: each Open is one command.
class StoreIndexTest : public testing::Test {
 protected:
  void SetUp() override {
    store = temp.path() / "Maildir";
    for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(store / "Inbox" / sub);
  }

  std::unique_ptr<MaildirStore> Open() {
    auto opening = MaildirStore::Open(store);
    EXPECT_TRUE(opening.store) << opening.error;
    return std::move(opening.store);
  }

  // A message file put there by another program.
  void Put(const std::string& folder, const std::string& file, const std::string& subject) {
    fs::create_directories(store / folder / "cur");
    fs::create_directories(store / folder / "new");
    WriteFile(store / folder / file, "From: a@x.example\nSubject: " + subject + "\n\nHi.\n");
  }

  // The subjects the filter matches in the Inbox, in the store's order.
  static std::vector<std::string> Restrict(MaildirStore& opened, const char16_t* filter) {
    std::vector<std::string> subjects;
    auto items = opened.Inbox()->GetItems().value->Restrict(filter);
    EXPECT_TRUE(items.ok());
    for (auto item = items.value->GetFirst(); item.value; item = items.value->GetNext()) {
      subjects.push_back(Utf16ToUtf8(item.value->AsMailItem()->Subject().value));
    }
    return subjects;
  }

  static std::int32_t InboxCount(MaildirStore& opened) {
    return opened.Inbox()->GetItems().value->Count().value;
  }

  TempFolder temp;
  fs::path store;
};

constexpr const char16_t* kMarked = u"[Subject] >= \"<*0*>\" AND [Subject] <= \"<*9*>\"";

TEST_F(StoreIndexTest, SeesFilesAddedRemovedRenamedAndRewrittenByOthersBetweenCommands) {
  Put("Inbox", "cur/1.a:2,", "<*1*> first");
  Put("Inbox", "new/2.b", "plain");
  Put("Inbox", "cur/3.c:2,S", "<*2*> third");
  {
    auto opened = Open();
    EXPECT_EQ(InboxCount(*opened), 3);
    EXPECT_EQ(Restrict(*opened, kMarked), (std::vector<std::string>{"<*1*> first", "<*2*> third"}));
  }
  // Another client: one file gone, one taken into cur/ with a flag, one new,
  // and one rewritten in place of the old (a new file renamed over it).
  fs::remove(store / "Inbox/cur/1.a:2,");
  fs::rename(store / "Inbox/new/2.b", store / "Inbox/cur/2.b:2,S");
  Put("Inbox", "new/4.d", "<*5*> fourth");
  Put("Inbox", "tmp/3.c", "no longer marked");
  fs::rename(store / "Inbox/tmp/3.c", store / "Inbox/cur/3.c:2,S");
  {
    auto opened = Open();
    EXPECT_EQ(InboxCount(*opened), 3);
    EXPECT_EQ(Restrict(*opened, kMarked), (std::vector<std::string>{"<*5*> fourth"}));
    EXPECT_TRUE(opened->FindItem("2.b").ok());
    EXPECT_FALSE(opened->FindItem("1.a").ok());
  }
}

TEST_F(StoreIndexTest, IsMadeAnewWhenMissingTruncatedOrGarbage) {
  Put("Inbox", "cur/1.a:2,", "<*1*> spam");
  Put("Inbox", "cur/2.b:2,", "ham");
  const fs::path index = store / StoreIndex::kFileName;
  const std::vector<std::function<void()>> damages = {
      [&] { fs::remove(index); },
      [&] { fs::resize_file(index, fs::file_size(index) / 3); },
      [&] { WriteFile(index, std::string(8192, '\x5a')); },
      [&] { WriteFile(index, "SQLite format 3" + std::string(4000, '\0')); },
  };
  for (std::size_t i = 0; i < damages.size(); ++i) {
    SCOPED_TRACE(i);
    { Open(); }  // a sound index of both files
    for (const char* suffix : {"-wal", "-shm"}) fs::remove(index.string() + suffix);
    damages[i]();
    auto opened = Open();
    EXPECT_EQ(InboxCount(*opened), 2);
    EXPECT_EQ(Restrict(*opened, kMarked), (std::vector<std::string>{"<*1*> spam"}));
  }
}

TEST_F(StoreIndexTest, AnotherVersionIsMadeAnew) {
  Put("Inbox", "cur/1.a:2,", "<*1*> spam");
  { Open(); }
  {
    auto db = SqliteDatabase::Open((store / StoreIndex::kFileName).string());
    ASSERT_TRUE(db);
    ASSERT_TRUE(db->Exec("PRAGMA user_version=99; DELETE FROM messages"));
  }
  auto opened = Open();
  EXPECT_EQ(Restrict(*opened, kMarked), (std::vector<std::string>{"<*1*> spam"}));
}

// A command killed after its file operations, before the index commits: the
// next command must see the files as they are.
TEST_F(StoreIndexTest, NextCommandIsRightAfterAKillBeforeTheIndexCommitted) {
  Put("Inbox", "cur/1.a:2,", "<*1*> old spam");
  Put("Inbox", "cur/2.b:2,", "ham");
  { Open(); }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto opening = MaildirStore::Open(store);
    MaildirStore& opened = *opening.store;
    opened.Deliver("Subject: <*3*> new spam\n\nx\n");
    auto marked = opened.FindItem("1.a").value;
    marked->SetSubject(u"unmarked now");
    marked->Save();
    auto junk = opened.RootFolder()->GetFolders().value->Add(u"Junk", olk::kFolderDrafts).value;
    opened.FindItem("2.b").value->Move(junk);
    _exit(0);  // no destructor runs: the index transaction is lost
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  auto opened = Open();
  EXPECT_EQ(InboxCount(*opened), 2);
  EXPECT_EQ(Restrict(*opened, kMarked), (std::vector<std::string>{"<*3*> new spam"}));
  EXPECT_TRUE(opened->FindFolder(u"Junk").ok());
  EXPECT_EQ(opened->FindFolder(u"Junk").value->GetItems().value->Count().value, 1);
}

// A watcher's poll lists a folder, then meets a file that came after the
// listing and takes it into cur/: the index learns of it without being made
// anew, which would cost the address book's cache and every subject, and
// without listing the folder again, which costs a poll the size of cur/ (a
// file another program put there meanwhile is the next listing's to find).
TEST_F(StoreIndexTest, FileThatCameAfterTheListingIsLearnedWithoutListingTheFolderAgain) {
  Put("Inbox", "cur/1.a:2,", "<*1*> listed");
  const std::string inbox = (store / "Inbox").string();
  auto index = StoreIndex::Open(store.string());
  index->Sync("Inbox", inbox);
  ContactsRecord book;
  book.Add("a.vcf", 60, 1700000000000000000, {{u"Ann", u"a@x"}});
  index->CacheAddressBook("/contacts", book);
  Put("Inbox", "new/2.b", "<*2*> late");
  fs::rename(store / "Inbox/new/2.b", store / "Inbox/cur/2.b:2,");
  Put("Inbox", "cur/3.c:2,", "<*3*> unannounced");
  index->Renamed("Inbox", {"new", "2.b"}, "Inbox", {"cur", "2.b:2,"});
  EXPECT_EQ(index->Count("Inbox"), 2);
  const auto marked = index->Matching("Inbox", *SubjectFilter::Parse(kMarked));
  ASSERT_EQ(marked.size(), 2u);
  EXPECT_EQ(marked[1].subdir + "/" + marked[1].name, "cur/2.b:2,");
  EXPECT_EQ(index->CachedAddressBook("/contacts").Files().size(), 1u);
  index.reset();

  auto next = StoreIndex::Open(store.string());
  next->Sync("Inbox", inbox);
  EXPECT_EQ(next->Count("Inbox"), 3);
  EXPECT_EQ(next->Matching("Inbox", *SubjectFilter::Parse(kMarked)).size(), 3u);
}

// Each command writes its changes to the index's log. The log is folded
// into the database and emptied once it is long, so that a command does not
// start by reading megabytes of log, whatever the commands before it wrote.
TEST_F(StoreIndexTest, LogStaysShortOverManyCommands) {
  std::vector<VCardEntry> cards;
  for (int i = 0; i < 4000; ++i) {
    cards.push_back({u"Contact " + Utf8ToUtf16(std::to_string(i)), u"c@x.example"});
  }
  const fs::path log = store / (std::string(StoreIndex::kFileName) + "-wal");
  for (int command = 0; command < 40; ++command) {
    ContactsRecord book;
    book.Add("all.vcf", command, 1, cards);  // a record changed at every command
    auto index = StoreIndex::Open(store.string());
    index->CacheAddressBook("/contacts", book);
    index->Commit();
  }
  EXPECT_LT(fs::file_size(log), 2u << 20);
  EXPECT_EQ(StoreIndex::Open(store.string())->CachedAddressBook("/contacts").Files().size(), 1u);
}

// The address book's record comes back as it was written; a damaged one
// gives nothing, so that every contacts file is read again.
TEST_F(StoreIndexTest, AddressBookRecordComesBackWholeOrNotAtAll) {
  ContactsRecord files;
  files.Add("a.vcf", 60, 1700000000000000000, {{u"Ann", u"a@x"}, {u"\u00c9mile", u""}});
  files.Add("b.vcf", 0, 5, {});
  const auto cache = [&] { StoreIndex::Open(store.string())->CacheAddressBook("/c", files); };
  cache();
  const ContactsRecord read = StoreIndex::Open(store.string())->CachedAddressBook("/c");
  ASSERT_EQ(read.Files().size(), 2u);
  EXPECT_EQ(read.Files()[0].name, "a.vcf");
  EXPECT_EQ(read.Files()[0].size, 60);
  EXPECT_EQ(read.Files()[0].modifiedNs, 1700000000000000000);
  ASSERT_EQ(read.Files()[0].cardCount, 2u);
  EXPECT_EQ(read.CardName(1), u"\u00c9mile");
  EXPECT_EQ(read.CardAddress(0), u"a@x");
  EXPECT_EQ(read.Files()[1].name, "b.vcf");
  EXPECT_EQ(read.Files()[1].cardCount, 0u);
  for (int cut : {1, 9, 30, 66, 95}) {
    SCOPED_TRACE(cut);
    {
      auto db = SqliteDatabase::Open((store / StoreIndex::kFileName).string());
      ASSERT_TRUE(db);
      const std::string cutting =
          "UPDATE address_books SET files = substr(files, 1, " + std::to_string(cut) + ")";
      ASSERT_TRUE(db->Exec(cutting.c_str()));
    }
    EXPECT_TRUE(StoreIndex::Open(store.string())->CachedAddressBook("/c").Empty());
    cache();
  }
}

// The same folder read through the index and by reading every file: every
// filter gives the same messages.
TEST(StoreIndexRestrict, GivesExactlyWhatTheHeaderScanGives) {
  TempFolder temp;
  const fs::path store = temp.path() / "Maildir";
  for (const char* sub : {"cur", "new", "tmp"}) fs::create_directories(store / "Inbox" / sub);
  std::mt19937 random(12);
  const std::vector<std::string> pieces = {"<*",
                                           "*>",
                                           "_",
                                           "0",
                                           "5",
                                           "9",
                                           "a",
                                           "A",
                                           "z",
                                           "\xc3\xa9",
                                           "\xc3\x89",
                                           "\xc3\x9f",
                                           "\xe4\xb8\xad",
                                           " ",
                                           "=?utf-8?B?w6k=?=",
                                           "Re: ",
                                           "\xf0\x9f\x98\x80"};
  for (int i = 0; i < 300; ++i) {
    // A third carry an Inbox marker, a third a Spam-folder marker.
    const std::string digit(1, static_cast<char>('0' + random() % 10));
    const std::string markers[] = {"", "<*" + digit + "*>", "_<*" + digit + "*>"};
    std::string subject = markers[random() % 3];
    for (int n = random() % 6; n > 0; --n) subject += pieces[random() % pieces.size()];
    WriteFile(store / "Inbox/cur" / (std::to_string(i) + ".x:2,"),
              "Subject: " + subject + "\n\nbody\n");
  }
  const std::vector<std::u16string> filters = {
      kMarked,
      u"[Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\"",
      u"NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")",
      u"[Subject] = 'a' OR [Subject] <> \"\u00c9\" AND NOT [Subject] < 'Re:'",
      u"[Subject] > \"\u00e9\" OR [Subject] <= \"\" OR [Subject] = \"\u00df\"",
      u"NOT (NOT ([Subject] >= '<*5') OR [subject] > '<*5*>z')",
      u"[Subject] < \"\U0001F600\" AND [Subject] >= \"\u4e2d\"",
  };
  auto layoutTree = [&] {
    return std::make_unique<FolderTree>(store.string(), StoreLayout::Detect(store.string()),
                                        std::make_shared<EventQueue>());
  };
  auto indexedTree = layoutTree();
  MessageCatalog indexed(*indexedTree, false);
  indexed.UseIndex(StoreIndex::Open(store.string()));
  auto scannedTree = layoutTree();
  MessageCatalog scanned(*scannedTree, false);
  const auto names = [](const std::vector<std::shared_ptr<MessageRecord>>& records) {
    std::vector<std::string> out;
    for (const auto& record : records) out.push_back(record->fileName);
    return out;
  };
  for (const std::u16string& text : filters) {
    SCOPED_TRACE(Utf16ToUtf8(text));
    const auto filter = SubjectFilter::Parse(text);
    ASSERT_TRUE(filter);
    const auto expected = names(scanned.Matching(scannedTree->Inbox(), *filter));
    EXPECT_EQ(names(indexed.Matching(indexedTree->Inbox(), *filter)), expected);
    EXPECT_FALSE(expected.empty());
  }
}

}  // namespace
}  // namespace skerrow::maildir
