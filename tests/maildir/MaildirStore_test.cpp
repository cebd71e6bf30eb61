#include "host/maildir/MaildirStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/Utf8.h"
#include "host/maildir/MaildirStatus.h"
#include "host/maildir/StoreIndex.h"
#include "tests/support/TempFolder.h"

namespace skerrow::maildir {
namespace {

namespace fs = std::filesystem;

std::string Message(const std::string& subject, const std::string& extra = "") {
  return "From: Anna <anna@x.example>\nTo: Bob <bob@y.example>\nSubject: " + subject + "\n" +
         extra + "\nHello.\n";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  if (!fs::exists(dir)) return names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Text(const Result<std::u16string>& result) {
  return Utf16ToUtf8(result.value);
}

// Records "FolderChange <folder>" and "ItemAdd <subject>", then runs an
// optional reaction inside the handler.
class Recorder : public EventSink {
 public:
  void Invoke(EventInterface, std::int32_t dispId, const std::vector<DispatchPtr>& args) override {
    const DispatchPtr arg = args.empty() ? nullptr : args[0];
    if (dispId == dispid::kFolderChange) {
      log.push_back("FolderChange " + Text(arg->AsFolder()->Name()));
    } else if (dispId == dispid::kItemAdd) {
      log.push_back("ItemAdd " + Text(arg->AsMailItem()->Subject()));
    } else if (dispId == dispid::kClick) {
      log.push_back("Click " +
                    Utf16ToUtf8(std::dynamic_pointer_cast<StandInCommandBarButton>(arg)->tag));
    } else if (dispId == dispid::kOptionsPagesAdd) {
      arg->AsPropertyPages()->Add(u"Tamsquill.PropPage", u"Skerrow");
      log.push_back("OptionsPagesAdd");
    }
    if (reaction) reaction(dispId, arg);
  }
  std::vector<std::string> log;
  std::function<void(std::int32_t, const DispatchPtr&)> reaction;
};

class MaildirStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    storeDir = temp.path() / "Maildir";
    fs::create_directories(storeDir);
  }

  MaildirStore& Open() {
    auto opening = MaildirStore::Open(storeDir, {(temp.path() / "contacts").string(), nullptr});
    EXPECT_TRUE(opening.store) << opening.error;
    store = std::move(opening.store);
    return *store;
  }

  FolderPtr Folder(const char16_t* path) {
    auto folder = store->FindFolder(path);
    EXPECT_TRUE(folder.ok()) << Utf16ToUtf8(path);
    return folder.value;
  }

  FolderPtr AddTopLevel(const char16_t* name) {
    auto folders = store->RootFolder()->GetFolders().value;
    auto added = folders->Add(name, olk::kFolderDrafts);
    EXPECT_TRUE(added.ok()) << std::hex << added.status;
    return added.value;
  }

  MailItemPtr Deliver(const std::string& subject, const std::string& extra = "") {
    auto item = store->Deliver(Message(subject, extra));
    EXPECT_TRUE(item.ok()) << std::hex << item.status;
    return item.value;
  }

  // Subscribes the recorder to the top-level folders and to every folder's
  // items named.
  void Listen(Recorder& recorder, std::initializer_list<const char16_t*> itemFolders) {
    auto root = store->RootFolder()->GetFolders().value;
    ASSERT_TRUE(root->Advise(EventInterface::FoldersEvents, &recorder).ok());
    for (const char16_t* name : itemFolders) {
      ASSERT_TRUE(
          Folder(name)->GetItems().value->Advise(EventInterface::ItemsEvents, &recorder).ok());
    }
  }

  std::string PathOf(const DispatchPtr& item) { return store->Locate(item).value.path; }

  TempFolder temp;
  fs::path storeDir;
  std::unique_ptr<MaildirStore> store;
};

// Opening and locking ------------------------------------------------------

TEST_F(MaildirStoreTest, OpeningCreatesAMissingInboxAsAMaildir) {
  Open();
  for (const char* sub : {"cur", "new", "tmp"}) {
    EXPECT_TRUE(fs::is_directory(storeDir / "Inbox" / sub)) << sub;
  }
  EXPECT_EQ(Text(store->Inbox()->Name()), "Inbox");
}

TEST_F(MaildirStoreTest, OpeningAMissingStoreFailsWithAClearError) {
  auto opening = MaildirStore::Open((temp.path() / "nowhere").string());
  EXPECT_FALSE(opening.store);
  EXPECT_EQ(opening.status, kFileNotFound);
  EXPECT_NE(opening.error.find("nowhere"), std::string::npos) << opening.error;
  WriteFile(temp.path() / "plainfile", "x");
  opening = MaildirStore::Open((temp.path() / "plainfile").string());
  EXPECT_FALSE(opening.store);
  EXPECT_NE(opening.error.find("not a directory"), std::string::npos) << opening.error;
}

TEST_F(MaildirStoreTest, ASecondInstanceIsKeptOffUntilTheFirstCloses) {
  Open();
  auto second = MaildirStore::Open(storeDir);
  EXPECT_FALSE(second.store);
  EXPECT_EQ(second.status, kSharingViolation);
  EXPECT_NE(second.error.find("in use"), std::string::npos) << second.error;
  // Handles that outlive the store do not keep the lock.
  ApplicationPtr application = store->GetApplication();
  store.reset();
  EXPECT_TRUE(MaildirStore::Open(storeDir).store);
}

// Folders -------------------------------------------------------------------

TEST_F(MaildirStoreTest, TheRootsFoldersAreTheTopLevelMaildirs) {
  fs::create_directories(storeDir / "Junk E-mail" / "cur");
  fs::create_directories(storeDir / "Deleted Items" / "new");
  fs::create_directories(storeDir / "not a maildir");
  fs::create_directories(storeDir / ".hidden" / "cur");
  Open();
  auto folders = store->RootFolder()->GetFolders().value;
  ASSERT_EQ(folders->Count().value, 3);
  std::vector<std::string> names;
  for (int i = 1; i <= 3; ++i) names.push_back(Text(folders->Item(i).value->Name()));
  EXPECT_EQ(names, (std::vector<std::string>{"Deleted Items", "Inbox", "Junk E-mail"}));
  EXPECT_EQ(folders->Item(4).status, kBadIndex);
  // The Inbox's parent is the root, whose parent is the namespace.
  auto parent = store->Inbox()->Parent().value->AsFolder();
  ASSERT_TRUE(parent);
  EXPECT_EQ(parent->GetFolders().value->Count().value, 3);
  EXPECT_FALSE(parent->Parent().value->AsFolder());
}

TEST_F(MaildirStoreTest, AddingAFolderMakesAMaildirAndSubfoldersNestInside) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  for (const char* sub : {"cur", "new", "tmp"}) {
    EXPECT_TRUE(fs::is_directory(storeDir / "Junk E-mail" / sub));
  }
  auto sub = junk->GetFolders().value->Add(u"Old \u00e9", olk::kFolderDrafts);
  ASSERT_TRUE(sub.ok());
  EXPECT_TRUE(fs::is_directory(storeDir / "Junk E-mail" / "Old \xC3\xA9" / "cur"));
  EXPECT_EQ(Text(sub.value->Name()), "Old \xC3\xA9");
  EXPECT_EQ(junk->GetFolders().value->Count().value, 1);
  EXPECT_EQ(Text(Folder(u"Junk E-mail/Old \u00e9")->Name()), "Old \xC3\xA9");
  // No leftovers of the creation.
  for (const auto& entry : fs::directory_iterator(storeDir)) {
    const std::string name = entry.path().filename().string();
    if (name == ".skerrow.lock" || name.rfind(StoreIndex::kFileName, 0) == 0) continue;
    EXPECT_NE(name[0], '.') << entry.path();
  }
}

struct BadName {
  const char16_t* name;
  HResult status;
};

class FolderNames : public MaildirStoreTest, public testing::WithParamInterface<BadName> {};

TEST_P(FolderNames, AnInvalidOrTakenNameIsRefusedForAddAndRename) {
  Open();
  AddTopLevel(u"Junk E-mail");
  FolderPtr other = AddTopLevel(u"Other");
  auto folders = store->RootFolder()->GetFolders().value;
  EXPECT_EQ(folders->Add(GetParam().name, olk::kFolderDrafts).status, GetParam().status);
  EXPECT_EQ(other->SetName(GetParam().name), GetParam().status);
  EXPECT_EQ(Text(other->Name()), "Other");
  EXPECT_TRUE(fs::is_directory(storeDir / "Other" / "cur"));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FolderNames,
    testing::Values(BadName{u"Junk E-mail", kAlreadyExists}, BadName{u"Inbox", kAlreadyExists},
                    BadName{u"", kInvalidName}, BadName{u"a/b", kInvalidName},
                    BadName{u".hidden", kInvalidName}, BadName{u"..", kInvalidName},
                    BadName{u"cur", kInvalidName}, BadName{u"tmp", kInvalidName}));

TEST_F(MaildirStoreTest, RenamingAFolderRenamesItsDirectoryWithEverythingInIt) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  junk->GetFolders().value->Add(u"Sub", olk::kFolderDrafts);
  MailItemPtr item = Deliver("keep me");
  ASSERT_TRUE(item->Move(junk).ok());
  ASSERT_EQ(junk->SetName(u"Spam"), hr::kOk);
  EXPECT_EQ(Text(junk->Name()), "Spam");
  EXPECT_FALSE(fs::exists(storeDir / "Junk E-mail"));
  EXPECT_TRUE(fs::is_directory(storeDir / "Spam" / "Sub" / "cur"));
  // The message handle follows its folder.
  EXPECT_EQ(Text(item->Subject()), "keep me");
  EXPECT_EQ(store->Locate(item).value.topLevelFolder, u"Spam");
}

TEST_F(MaildirStoreTest, TheInboxCannotBeRenamed) {
  Open();
  EXPECT_EQ(store->Inbox()->SetName(u"Elsewhere"), hr::kAccessDenied);
  EXPECT_EQ(store->RootFolder()->SetName(u"Elsewhere"), hr::kAccessDenied);
  EXPECT_TRUE(fs::is_directory(storeDir / "Inbox"));
}

// Delivery and new mail -------------------------------------------------------

TEST_F(MaildirStoreTest, DeliveryRaisesFolderChangeThenItemAddAndLeavesTheFileInCur) {
  Open();
  Recorder recorder;
  Listen(recorder, {u"Inbox"});
  const std::string bytes = Message("first");
  auto item = store->Deliver(bytes);
  ASSERT_TRUE(item.ok());
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"FolderChange Inbox", "ItemAdd first"}));
  const ItemLocation where = store->Locate(item.value).value;
  EXPECT_EQ(fs::path(where.path).parent_path(), storeDir / "Inbox" / "cur");
  EXPECT_EQ(fs::path(where.path).filename(), where.uniqueName + ":2,");
  EXPECT_EQ(ReadFile(where.path), bytes);
  EXPECT_TRUE(where.unread);
  EXPECT_TRUE(FilesIn(storeDir / "Inbox" / "tmp").empty());
  EXPECT_TRUE(FilesIn(storeDir / "Inbox" / "new").empty());
  EXPECT_EQ(store->Inbox()->GetItems().value->Count().value, 1);
}

// The handlers of one delivery find the message's file once for all their
// reads, yet read back what they changed through the store at once, and
// still read a message another program moved meanwhile.
TEST_F(MaildirStoreTest, HandlersOfADeliveryReadTheirOwnChangesAndFollowAMoveElsewhere) {
  Open();
  Recorder recorder;
  Listen(recorder, {u"Inbox"});
  std::vector<std::string> seen;
  recorder.reaction = [&](std::int32_t dispId, const DispatchPtr& arg) {
    if (dispId != dispid::kItemAdd) return;
    const MailItemPtr item = arg->AsMailItem();
    seen.push_back(Text(item->Subject()) + " " + std::to_string(item->Size().value));
    item->SetSubject(u"<*9*> longer subject");
    item->Save();
    seen.push_back(Text(item->Subject()) + " " + std::to_string(item->Size().value));
    const std::string path = PathOf(arg);
    fs::rename(path, path + "S");  // read in another client
    seen.push_back(Text(item->Body()));
  };
  ASSERT_TRUE(store->Deliver(Message("short")).ok());
  const auto size = [](const std::string& subject) {
    return std::to_string(Message(subject).size());
  };
  EXPECT_EQ(seen, (std::vector<std::string>{"short " + size("short"),
                                            "<*9*> longer subject " + size("<*9*> longer subject"),
                                            "Hello.\n"}));
}

TEST_F(MaildirStoreTest, PollTurnsFilesDroppedIntoInboxNewIntoNewMail) {
  Open();
  Recorder recorder;
  Listen(recorder, {u"Inbox"});
  WriteFile(storeDir / "Inbox" / "new" / "1700000000.external.host", Message("external"));
  EXPECT_EQ(store->Poll(), 2);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"FolderChange Inbox", "ItemAdd external"}));
  EXPECT_EQ(FilesIn(storeDir / "Inbox" / "cur"),
            std::vector<std::string>{"1700000000.external.host:2,"});
  recorder.log.clear();
  EXPECT_EQ(store->Poll(), 0);
  EXPECT_TRUE(recorder.log.empty());
}

TEST_F(MaildirStoreTest, PollReportsItemCountChangesOfTopLevelFoldersMadeElsewhere) {
  fs::create_directories(storeDir / "Archive" / "cur");
  WriteFile(storeDir / "Archive" / "cur" / "1.a.h:2,S", Message("old"));
  Open();
  Recorder recorder;
  Listen(recorder, {});
  fs::remove(storeDir / "Archive" / "cur" / "1.a.h:2,S");
  fs::create_directories(storeDir / "Archive" / "Deeper" / "cur");
  WriteFile(storeDir / "Archive" / "Deeper" / "cur" / "2.a.h:2,", Message("deep"));
  EXPECT_EQ(store->Poll(), 1);
  EXPECT_EQ(recorder.log, std::vector<std::string>{"FolderChange Archive"});
}

// Opening a store lists no folder it does not use: the baseline of a
// folder the index knows is its count at the last command, so that a
// delivery does not pay for a large archive, and a watch reports what other
// programs changed between the commands.
TEST_F(MaildirStoreTest, PollReportsTopLevelFoldersChangedSinceTheLastCommand) {
  fs::create_directories(storeDir / "Archive" / "cur");
  WriteFile(storeDir / "Archive" / "cur" / "1.a.h:2,S", Message("old"));
  Open();
  EXPECT_EQ(Folder(u"Archive")->GetItems().value->Count().value, 1);
  store.reset();
  WriteFile(storeDir / "Archive" / "cur" / "2.a.h:2,S", Message("filed elsewhere"));
  Open();
  Recorder recorder;
  Listen(recorder, {});
  EXPECT_EQ(store->Poll(), 1);
  EXPECT_EQ(recorder.log, std::vector<std::string>{"FolderChange Archive"});
}

TEST_F(MaildirStoreTest, WaitingForChangesWakesWhenMailArrives) {
  Open();
  EXPECT_FALSE(store->WaitForChanges(0));
  WriteFile(storeDir / "Inbox" / "new" / "1.wake.host", Message("wake"));
  EXPECT_TRUE(store->WaitForChanges(2000));
  EXPECT_EQ(store->Poll(), 2);
}

// A watched poll lists only what the watcher cannot vouch for; what other
// programs did in cur/, also before the watch began, is still found.
TEST_F(MaildirStoreTest, WatchedPollsFindWhatOtherProgramsDidInCur) {
  const fs::path cur = storeDir / "Archive" / "cur";
  fs::create_directories(cur);
  WriteFile(cur / "1.a.h:2,S", Message("one"));
  Open();
  FolderPtr archive = Folder(u"Archive");
  const auto count = [&] { return archive->GetItems().value->Count().value; };
  WriteFile(cur / "2.a.h:2,S", Message("before the watch"));
  EXPECT_FALSE(store->WaitForChanges(0));
  store->Poll();
  EXPECT_EQ(count(), 2);
  WriteFile(cur / "3.a.h:2,", Message("while watched"));
  EXPECT_TRUE(store->WaitForChanges(2000));
  store->Poll();
  EXPECT_EQ(count(), 3);
  fs::rename(cur / "3.a.h:2,", cur / "3.a.h:2,S");  // read elsewhere: same count
  fs::remove(cur / "1.a.h:2,S");
  WriteFile(cur / "4.a.h:2,", Message("replaces one"));
  EXPECT_TRUE(store->WaitForChanges(2000));
  store->Poll();
  EXPECT_EQ(count(), 3);
  EXPECT_TRUE(store->FindItem("3.a.h").ok());
  EXPECT_EQ(store->FindItem((cur / "1.a.h:2,S").string()).status, kFileNotFound);
  EXPECT_EQ(store->Locate(store->FindItem("3.a.h").value).value.path, (cur / "3.a.h:2,S").string());

  // A cur/ moved away and made anew is watched anew.
  fs::rename(cur, storeDir / "Archive" / "old-cur");
  fs::create_directories(cur);
  WriteFile(cur / "5.a.h:2,", Message("in the new cur"));
  EXPECT_TRUE(store->WaitForChanges(2000));
  store->Poll();
  EXPECT_EQ(count(), 1);
  store->WaitForChanges(0);  // watches the new cur/ from here on
  store->Poll();
  WriteFile(cur / "6.a.h:2,", Message("later"));
  EXPECT_TRUE(store->WaitForChanges(2000));
  store->Poll();
  EXPECT_EQ(count(), 2);
}

// Moves and their events ---------------------------------------------------

TEST_F(MaildirStoreTest, AMoveRenamesIntoTheOtherFoldersCurKeepingFlags) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  MailItemPtr item = Deliver("move me");
  ASSERT_EQ(item->SetUnRead(false), hr::kOk);
  const std::string unique = store->Locate(item).value.uniqueName;
  auto moved = item->Move(junk);
  ASSERT_TRUE(moved.ok());
  EXPECT_EQ(FilesIn(storeDir / "Junk E-mail" / "cur"), std::vector<std::string>{unique + ":2,S"});
  EXPECT_TRUE(FilesIn(storeDir / "Inbox" / "cur").empty());
  EXPECT_EQ(Text(moved.value->AsMailItem()->Subject()), "move me");
  EXPECT_EQ(Text(moved.value->AsMailItem()->EntryID()), unique);
  EXPECT_EQ(store->Locate(moved.value).value.topLevelFolder, u"Junk E-mail");
}

// A synchronising program's number of the message in its old folder
// (",U=n") does not go along: in the other folder it would be beyond that
// program's count, and the program would refuse to synchronise the folder.
TEST_F(MaildirStoreTest, AMoveLeavesTheSynchronisingProgramsNumberBehind) {
  fs::create_directories(storeDir / "Inbox" / "cur");
  fs::create_directories(storeDir / "Junk E-mail" / "cur");
  WriteFile(storeDir / "Inbox" / "cur" / "7.M1P2.host,U=12:2,S", Message("synced"));
  WriteFile(storeDir / "Inbox" / "cur" / "8.M1P2.host,U=x:2,", Message("not a number"));
  Open();
  for (const char* name : {"7.M1P2.host,U=12:2,S", "8.M1P2.host,U=x:2,"}) {
    auto item = store->FindItem((storeDir / "Inbox" / "cur" / name).string());
    ASSERT_TRUE(item.ok()) << name;
    ASSERT_TRUE(item.value->Move(Folder(u"Junk E-mail")).ok()) << name;
  }
  EXPECT_EQ(FilesIn(storeDir / "Junk E-mail" / "cur"),
            (std::vector<std::string>{"7.M1P2.host:2,S", "8.M1P2.host,U=x:2,"}));
}

TEST_F(MaildirStoreTest, AMoveRaisesSourceThenDestinationFolderChangeThenItemAdd) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  MailItemPtr item = Deliver("dragged");
  ASSERT_TRUE(item->Move(junk).ok());
  Recorder recorder;
  Listen(recorder, {u"Inbox", u"Junk E-mail"});
  ASSERT_TRUE(item->Move(store->Inbox()).ok());
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"FolderChange Junk E-mail",
                                                    "FolderChange Inbox", "ItemAdd dragged"}));
}

TEST_F(MaildirStoreTest, EventsCausedInsideAHandlerWaitUntilItReturns) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  Recorder recorder;
  Listen(recorder, {u"Inbox", u"Junk E-mail"});
  // New mail is moved to the Junk folder by the ItemAdd handler.
  bool moved = false;
  recorder.reaction = [&](std::int32_t dispId, const DispatchPtr& arg) {
    if (dispId != dispid::kItemAdd || moved) return;
    moved = true;
    auto item = arg->AsMailItem();
    if (Text(item->Subject()) != "spam") return;
    item->Move(junk);
    recorder.log.push_back("handler done");
  };
  Deliver("spam");
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"FolderChange Inbox", "ItemAdd spam",
                                                    "handler done", "FolderChange Inbox",
                                                    "FolderChange Junk E-mail", "ItemAdd spam"}));
}

TEST_F(MaildirStoreTest, AMoveIntoASubfolderRaisesOnTheParentsFolders) {
  Open();
  FolderPtr archive = AddTopLevel(u"Archive");
  FolderPtr old = archive->GetFolders().value->Add(u"Old", olk::kFolderDrafts).value;
  Recorder top;
  Listen(top, {});
  Recorder nested;
  ASSERT_TRUE(archive->GetFolders().value->Advise(EventInterface::FoldersEvents, &nested).ok());
  ASSERT_TRUE(Deliver("x")->Move(old).ok());
  EXPECT_EQ(nested.log, std::vector<std::string>{"FolderChange Old"});
  EXPECT_EQ(top.log, (std::vector<std::string>{"FolderChange Inbox", "FolderChange Inbox"}));
}

TEST_F(MaildirStoreTest, AMoveIntoAFolderHoldingTheSameUniqueNameIsRefused) {
  fs::create_directories(storeDir / "Inbox" / "cur");
  fs::create_directories(storeDir / "Copy" / "cur");
  WriteFile(storeDir / "Inbox" / "cur" / "5.same.host:2,", Message("inbox copy"));
  WriteFile(storeDir / "Copy" / "cur" / "5.same.host:2,S", Message("other copy"));
  Open();
  auto item = store->FindItem((storeDir / "Inbox" / "cur" / "5.same.host:2,").string());
  ASSERT_TRUE(item.ok());
  EXPECT_EQ(item.value->Move(Folder(u"Copy")).status, kAlreadyExists);
  EXPECT_EQ(ReadFile(storeDir / "Copy" / "cur" / "5.same.host:2,S"), Message("other copy"));
  EXPECT_EQ(ReadFile(storeDir / "Inbox" / "cur" / "5.same.host:2,"), Message("inbox copy"));
}

// Items ---------------------------------------------------------------------

TEST_F(MaildirStoreTest, RestrictSelectsSubjectsByTheMarkerFilters) {
  Open();
  for (const char* subject : {"_<*5*>[SpamBody     ]one", "<*2*>two", "plain", "_<*1*>four"}) {
    Deliver(subject);
  }
  ItemsPtr items = store->Inbox()->GetItems().value;
  auto marked = items->Restrict(u"[Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\"");
  ASSERT_TRUE(marked.ok());
  EXPECT_EQ(marked.value->Count().value, 2);
  std::vector<std::string> subjects;
  for (auto item = marked.value->GetFirst().value; item; item = marked.value->GetNext().value) {
    subjects.push_back(Text(item->AsMailItem()->Subject()));
  }
  EXPECT_EQ(subjects, (std::vector<std::string>{"_<*5*>[SpamBody     ]one", "_<*1*>four"}));
  auto unmarked = items->Restrict(u"NOT( [Subject] >= \"_<*0*>\" AND  [Subject] <= \"_<*9*>\")");
  EXPECT_EQ(unmarked.value->Count().value, 2);
  EXPECT_EQ(items->Restrict(u"[Subject] >= ").status, hr::kInvalidArg);
}

TEST_F(MaildirStoreTest, RestrictJudgesAWrittenUnsavedSubjectInTheFolderTheMessageIsIn) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  Deliver("plain");
  Deliver("other");
  const char16_t* marked = u"[Subject] >= \"<*0*>\" AND  [Subject] <= \"<*9*>\"";
  ItemsPtr inbox = store->Inbox()->GetItems().value;
  MailItemPtr item = inbox->GetFirst().value->AsMailItem();
  ASSERT_EQ(item->SetSubject(u"<*4*>plain"), hr::kOk);
  EXPECT_EQ(inbox->Restrict(marked).value->Count().value, 1);
  auto moved = item->Move(junk);
  ASSERT_TRUE(moved.ok());
  ASSERT_EQ(moved.value->AsMailItem()->SetSubject(u"<*5*>plain"), hr::kOk);
  EXPECT_EQ(inbox->Restrict(marked).value->Count().value, 0);
  EXPECT_EQ(junk->GetItems().value->Restrict(marked).value->Count().value, 1);
}

TEST_F(MaildirStoreTest, ARestrictResultStaysAsItWasWhenItemsChangeAfterwards) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  Deliver("<*5*>a");
  Deliver("<*5*>b");
  ItemsPtr items = store->Inbox()->GetItems().value;
  ItemsPtr marked = items->Restrict(u"[Subject] >= \"<*0*>\" AND  [Subject] <= \"<*9*>\"").value;
  // Walking the result and moving each item away visits every one.
  int moved = 0;
  for (auto item = marked->GetFirst().value; item; item = marked->GetNext().value) {
    item->AsMailItem()->SetSubject(u"changed");
    EXPECT_TRUE(item->AsMailItem()->Move(junk).ok());
    ++moved;
  }
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(marked->Count().value, 2);
  EXPECT_EQ(items->Count().value, 0);
  EXPECT_EQ(junk->GetItems().value->Count().value, 2);
}

TEST_F(MaildirStoreTest, GetNextPastTheEndGivesNothing) {
  Open();
  ItemsPtr items = store->Inbox()->GetItems().value;
  EXPECT_EQ(items->GetFirst().value, nullptr);
  Deliver("only");
  EXPECT_TRUE(items->GetFirst().value);
  EXPECT_EQ(items->GetNext().value, nullptr);
  EXPECT_EQ(items->GetNext().value, nullptr);
}

// Writing items ---------------------------------------------------------------

TEST_F(MaildirStoreTest, SavingASubjectRewritesTheFileInPlaceAtomically) {
  Open();
  MailItemPtr item = Deliver("Hello", "X-Keep: this\n");
  const std::string before = PathOf(item);
  const std::string original = ReadFile(before);
  ASSERT_EQ(item->SetSubject(u"<*5*>Hello"), hr::kOk);
  // Until saved, the item shows the new subject but the file is unchanged.
  EXPECT_EQ(Text(item->Subject()), "<*5*>Hello");
  EXPECT_EQ(ReadFile(before), original);
  ASSERT_EQ(item->Save(), hr::kOk);
  EXPECT_EQ(PathOf(item), before);
  std::string expected = original;
  expected.replace(expected.find("Subject: Hello"), 14, "Subject: <*5*>Hello");
  EXPECT_EQ(ReadFile(before), expected);
  EXPECT_TRUE(FilesIn(storeDir / "Inbox" / "tmp").empty());
  // Another handle of the same message reads the saved subject.
  auto again = store->FindItem(store->Locate(item).value.uniqueName);
  EXPECT_EQ(Text(again.value->Subject()), "<*5*>Hello");
}

TEST_F(MaildirStoreTest, SavingKeepsTheFilesPermissions) {
  Open();
  MailItemPtr item = Deliver("perm");
  fs::permissions(PathOf(item),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  item->SetSubject(u"changed");
  ASSERT_EQ(item->Save(), hr::kOk);
  EXPECT_EQ(fs::status(PathOf(item)).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(MaildirStoreTest, SettingAnHtmlBodyOfAMessageWithoutOneFails) {
  Open();
  MailItemPtr item = Deliver("plain only");
  EXPECT_EQ(item->SetHTMLBody(u"<p>x</p>"), hr::kNotImpl);
  EXPECT_EQ(item->Save(), hr::kOk);
}

TEST_F(MaildirStoreTest, UnreadFollowsTheSeenFlag) {
  Open();
  MailItemPtr item = Deliver("flags");
  const std::string unique = store->Locate(item).value.uniqueName;
  ASSERT_EQ(item->SetUnRead(false), hr::kOk);
  EXPECT_EQ(FilesIn(storeDir / "Inbox" / "cur"), std::vector<std::string>{unique + ":2,S"});
  EXPECT_FALSE(store->Locate(item).value.unread);
  ASSERT_EQ(item->SetUnRead(true), hr::kOk);
  EXPECT_EQ(FilesIn(storeDir / "Inbox" / "cur"), std::vector<std::string>{unique + ":2,"});
  // Other flags stay and stay sorted.
  fs::rename(storeDir / "Inbox" / "cur" / (unique + ":2,"),
             storeDir / "Inbox" / "cur" / (unique + ":2,FR"));
  ASSERT_EQ(item->SetUnRead(false), hr::kOk);
  EXPECT_EQ(FilesIn(storeDir / "Inbox" / "cur"), std::vector<std::string>{unique + ":2,FRS"});
}

// Finding items and missing files ----------------------------------------------

TEST_F(MaildirStoreTest, FindsAnItemByPathUniqueNameOrAStalePath) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  MailItemPtr item = Deliver("findable");
  const ItemLocation first = store->Locate(item).value;
  item->SetUnRead(false);
  item->Move(junk);
  for (const std::string& key : {first.path, first.uniqueName, first.uniqueName + ":2,T",
                                 fs::relative(store->Locate(item).value.path).string()}) {
    auto found = store->FindItem(key);
    ASSERT_TRUE(found.ok()) << key;
    EXPECT_EQ(Text(found.value->Subject()), "findable");
    EXPECT_EQ(store->Locate(found.value).value.topLevelFolder, u"Junk E-mail");
  }
  EXPECT_EQ(store->FindItem("no-such-message").status, kFileNotFound);
  EXPECT_EQ(store->FindItem("").status, hr::kInvalidArg);
}

TEST_F(MaildirStoreTest, AMessageRenamedElsewhereIsFoundAgain) {
  Open();
  MailItemPtr item = Deliver("renamed");
  const std::string path = PathOf(item);
  fs::rename(path, path + "FS");
  EXPECT_EQ(Text(item->Subject()), "renamed");
  EXPECT_EQ(PathOf(item), path + "FS");
}

TEST_F(MaildirStoreTest, AMissingMessageFileGivesClearErrorsNotACrash) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  MailItemPtr item = Deliver("doomed");
  fs::remove(PathOf(item));
  EXPECT_EQ(item->Subject().status, kFileNotFound);
  EXPECT_EQ(item->Body().status, kFileNotFound);
  EXPECT_EQ(item->Size().status, kFileNotFound);
  EXPECT_EQ(item->SetSubject(u"x"), kFileNotFound);
  EXPECT_EQ(item->SetUnRead(false), kFileNotFound);
  EXPECT_EQ(item->Move(junk).status, kFileNotFound);
  EXPECT_EQ(item->EntryID().status, kFileNotFound);
  EXPECT_EQ(store->Locate(item).status, kFileNotFound);
}

// Properties through the store -------------------------------------------------

TEST_F(MaildirStoreTest, ReceivedTimeFallsBackToTheFilesModificationTime) {
  setenv("TZ", "UTC", 1);
  tzset();
  Open();
  MailItemPtr dated = Deliver("dated", "Date: Thu, 01 Jan 1970 12:00:00 +0000\n");
  EXPECT_DOUBLE_EQ(dated->ReceivedTime().value, 25569.5);
  MailItemPtr undated = Deliver("undated");
  struct stat info {};
  ASSERT_EQ(stat(PathOf(undated).c_str(), &info), 0);
  EXPECT_NEAR(undated->ReceivedTime().value, 25569.0 + info.st_mtime / 86400.0, 1.0 / 86400);
  EXPECT_EQ(undated->Size().value, static_cast<std::int32_t>(Message("undated").size()));
}

TEST_F(MaildirStoreTest, RecipientsAndAttachmentsAreCollections) {
  Open();
  MailItemPtr item =
      store
          ->Deliver(
              "From: a@x\nTo: B <b@y>\nCc: c@z\nSubject: s\n"
              "Content-Type: multipart/mixed; boundary=m\n\n--m\nContent-Type: text/plain\n\nhi\n"
              "--m\nContent-Type: application/zip; name=\"a.zip\"\n\nPK\n--m--\n")
          .value;
  auto recipients = item->GetRecipients().value;
  ASSERT_EQ(recipients->Count().value, 2);
  EXPECT_EQ(recipients->Item(2).value->Address().value, u"c@z");
  EXPECT_EQ(recipients->Item(3).status, kBadIndex);
  auto attachments = item->GetAttachments().value;
  ASSERT_EQ(attachments->Count().value, 1);
  EXPECT_EQ(attachments->Item(1).value->FileName().value, u"a.zip");
  EXPECT_EQ(item->To().value, u"B");
}

// A message over a mebibyte keeps no texts between reads: each is read from
// its part of the file, as a small message's are from the whole.
TEST_F(MaildirStoreTest, ALargeMessagesTextsAreReadFromItsFileAndRewritable) {
  Open();
  std::string raw =
      "Subject: large\nContent-Type: multipart/mixed; boundary=m\n\n"
      "--m\nContent-Type: multipart/alternative; boundary=a\n\n"
      "--a\nContent-Type: text/plain; charset=utf-8\n\ncaf\xC3\xA9\n"
      "--a\nContent-Type: text/html; charset=iso-8859-1\nContent-Transfer-Encoding: "
      "quoted-printable\n\n<p>caf=E9</p><script>x</script>\n"
      "--a--\n--m\nContent-Type: application/zip; name=\"big.zip\"\n"
      "Content-Transfer-Encoding: base64\n\n";
  while (raw.size() < (3u << 19)) raw += std::string(76, 'Q') + "\n";
  raw += "--m--\n";
  MailItemPtr item = store->Deliver(raw).value;
  EXPECT_EQ(item->Body().value, u"caf\u00e9");
  EXPECT_EQ(item->HTMLBody().value, u"<p>caf\u00e9</p><script>x</script>");
  EXPECT_EQ(item->GetAttachments().value->Item(1).value->FileName().value, u"big.zip");
  ASSERT_EQ(item->SetHTMLBody(u"<p>caf\u00e9</p>"), hr::kOk);
  ASSERT_EQ(item->Save(), hr::kOk);
  auto again = store->FindItem(store->Locate(item).value.uniqueName).value;
  EXPECT_EQ(again->HTMLBody().value, u"<p>caf\u00e9</p>");
  EXPECT_EQ(again->Body().value, u"caf\u00e9");
}

// The application side -----------------------------------------------------------

TEST_F(MaildirStoreTest, AddressListsComeFromTheContactsVCards) {
  fs::create_directories(temp.path() / "contacts");
  WriteFile(temp.path() / "contacts" / "family.vcf",
            "BEGIN:VCARD\nFN:Dad\nEMAIL:dad@hale.example\nEND:VCARD\n");
  WriteFile(temp.path() / "contacts" / "work.VCF",
            "BEGIN:VCARD\nFN:Maya\nEMAIL:maya@x\nEND:VCARD\nBEGIN:VCARD\nFN:Joe\nEND:VCARD\n");
  WriteFile(temp.path() / "contacts" / "notes.txt", "not a card");
  Open();
  auto space = store->GetApplication()->GetNamespace(u"mapi").value;
  auto lists = space->GetAddressLists().value;
  ASSERT_EQ(lists->Count().value, 2);
  auto work = lists->Item(2).value->GetAddressEntries().value;
  ASSERT_EQ(work->Count().value, 2);
  EXPECT_EQ(work->Item(1).value->Name().value, u"Maya");
  EXPECT_EQ(work->Item(1).value->Address().value, u"maya@x");
  EXPECT_EQ(store->GetApplication()->GetNamespace(u"OTHER").status, hr::kInvalidArg);
}

// The address book's cache: a file whose size and modification time are as
// when it was read is not read again; a changed one is, and the files
// around it keep their cards.
TEST_F(MaildirStoreTest, AContactsFileIsReadAgainOnlyWhenItsSizeOrTimeChanged) {
  const fs::path contacts = temp.path() / "contacts";
  const fs::path card = contacts / "family.vcf";
  fs::create_directories(contacts);
  WriteFile(contacts / "club.vcf",
            "BEGIN:VCARD\nFN:Ada\nEND:VCARD\nBEGIN:VCARD\nFN:Bo\nEND:VCARD\n");
  WriteFile(card, "BEGIN:VCARD\nFN:Dad\nEND:VCARD\n");
  WriteFile(contacts / "work.vcf", "BEGIN:VCARD\nFN:Maya\nEMAIL:maya@x\nEND:VCARD\n");
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {"club.vcf", "family.vcf", "work.vcf"}) {
    fs::last_write_time(contacts / name, past);
  }
  const auto names = [&] {
    auto space = store->GetApplication()->GetNamespace(u"MAPI").value;
    auto lists = space->GetAddressLists().value;
    std::vector<std::string> all;
    for (int list = 1; list <= lists->Count().value; ++list) {
      auto entries = lists->Item(list).value->GetAddressEntries().value;
      for (int entry = 1; entry <= entries->Count().value; ++entry) {
        all.push_back(Utf16ToUtf8(entries->Item(entry).value->Name().value + u" " +
                                  entries->Item(entry).value->Address().value));
      }
    }
    return all;
  };
  const std::vector<std::string> before = {"Ada ", "Bo ", "Dad ", "Maya maya@x"};
  Open();
  EXPECT_EQ(names(), before);
  store.reset();
  WriteFile(card, "BEGIN:VCARD\nFN:Mum\nEND:VCARD\n");  // same size, time put back
  fs::last_write_time(card, past);
  Open();
  EXPECT_EQ(names(), before);
  store.reset();
  WriteFile(card, "BEGIN:VCARD\nFN:Grandma\nEND:VCARD\n");
  fs::last_write_time(card, past + std::chrono::seconds(1));
  Open();
  const std::vector<std::string> after = {"Ada ", "Bo ", "Grandma ", "Maya maya@x"};
  EXPECT_EQ(names(), after);
  store.reset();
  Open();  // from the cache written with the new card
  EXPECT_EQ(names(), after);
}

// Delivery in a batch: nothing is a message before it is durable, and a kill
// before the end loses no message delivered and delivers none twice.
TEST_F(MaildirStoreTest, ABatchDeliversOnlyWhatItStagedEachMessageOnce) {
  const std::vector<std::string> messages = {Message("one"), Message("two"), Message("three")};
  const std::vector<std::string_view> bytes(messages.begin(), messages.end());
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto opening = MaildirStore::Open(storeDir);
    if (!opening.store) _exit(2);
    MaildirStore& opened = *opening.store;
    auto staged = opened.Stage(bytes);
    bool ok = staged.size() == 3 && FilesIn(storeDir / "Inbox/new").empty() &&
              FilesIn(storeDir / "Inbox/tmp").size() == 3;
    for (std::size_t i = 0; i < 2; ++i) {
      ok = ok && opened.DeliverStaged(staged[i].value, bytes[i]).ok();
    }
    _exit(ok ? 0 : 1);  // killed before the third and before the batch ended
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  auto reopened = MaildirStore::Open(storeDir);
  std::vector<std::string> subjects;
  auto items = reopened.store->Inbox()->GetItems().value;
  for (auto item = items->GetFirst(); item.value; item = items->GetNext()) {
    subjects.push_back(Text(item.value->AsMailItem()->Subject()));
  }
  std::sort(subjects.begin(), subjects.end());
  EXPECT_EQ(subjects, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(FilesIn(storeDir / "Inbox/tmp").size(), 1u);  // never a message

  auto staged = reopened.store->Stage(bytes);
  for (std::size_t i = 0; i < staged.size(); ++i) {
    EXPECT_TRUE(reopened.store->DeliverStaged(staged[i].value, bytes[i]).ok());
  }
  EXPECT_TRUE(hr::Succeeded(reopened.store->EndDeliveries()));
  EXPECT_EQ(reopened.store->Inbox()->GetItems().value->Count().value, 5);
}

TEST_F(MaildirStoreTest, TheExplorerShowsTheCurrentFolderAndSelectionTheCommandLineSet) {
  Open();
  FolderPtr junk = AddTopLevel(u"Junk E-mail");
  MailItemPtr item = Deliver("selected");
  auto explorer = store->GetApplication()->ActiveExplorer().value;
  ASSERT_TRUE(explorer);
  EXPECT_EQ(Text(explorer->CurrentFolder().value->Name()), "Inbox");
  EXPECT_EQ(explorer->GetSelection().value->Count().value, 0);
  ASSERT_EQ(store->SetCurrentFolder(junk), hr::kOk);
  store->SetSelection({item});
  EXPECT_EQ(Text(explorer->CurrentFolder().value->Name()), "Junk E-mail");
  auto selection = explorer->GetSelection().value;
  ASSERT_EQ(selection->Count().value, 1);
  EXPECT_EQ(Text(selection->Item(1).value->AsMailItem()->Subject()), "selected");
}

TEST_F(MaildirStoreTest, CommandBarsRecordTheAddInsControlsAndPressThem) {
  Open();
  auto bars = store->GetApplication()->ActiveExplorer().value->GetCommandBars().value;
  auto toolbar = bars->Add(u"Tamsquill", olk::kBarTop, true).value;
  auto button =
      toolbar->Controls().value->Add(olk::kControlButton, true).value->AsCommandBarButton();
  ASSERT_TRUE(button);
  button->SetCaption(u"To Spam");
  button->SetTag(u"To Spam");
  toolbar->SetVisible(false);
  Recorder recorder;
  ASSERT_TRUE(button->Advise(EventInterface::CommandBarButtonEvents, &recorder).ok());
  // The menu bar has the client's seven menus; the fifth takes items.
  auto menus = bars->ActiveMenuBar().value->Controls().value;
  auto tools = menus->Item(5).value->AsCommandBarPopup();
  ASSERT_TRUE(tools);
  EXPECT_TRUE(menus->Item(7).value->AsCommandBarPopup());
  auto menuItem = tools->Controls().value->Add(olk::kControlButton, true).value;
  menuItem->AsCommandBarButton()->SetCaption(u"Mark selected letters as Spam.");

  const auto buttons = store->Buttons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].bar, u"Tamsquill");
  EXPECT_FALSE(buttons[0].barVisible);
  EXPECT_EQ(buttons[0].subscribers, 1u);
  EXPECT_EQ(buttons[1].bar, u"&Tools");
  EXPECT_EQ(store->ClickButton(u"To Spam"), hr::kOk);
  EXPECT_EQ(recorder.log, std::vector<std::string>{"Click To Spam"});
  EXPECT_EQ(store->ClickButton(u"No such"), kNotFound);
}

TEST_F(MaildirStoreTest, OptionsPagesAddRecordsThePagesTheHandlerAdds) {
  Open();
  Recorder recorder;
  ASSERT_TRUE(store->GetApplication()->Advise(EventInterface::ApplicationEvents, &recorder).ok());
  const auto pages = store->ShowOptionsPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].progId, u"Tamsquill.PropPage");
  EXPECT_EQ(pages[0].title, u"Skerrow");
}

// Maildir++ --------------------------------------------------------------------

TEST_F(MaildirStoreTest, ReadsAMaildirPlusPlusStore) {
  for (const char* sub : {"cur", "new", "tmp"}) {
    fs::create_directories(storeDir / sub);
    fs::create_directories(storeDir / ".Junk E-mail" / sub);
    fs::create_directories(storeDir / ".Archive.2025" / sub);
  }
  WriteFile(storeDir / "cur" / "1.pp.host:2,S", Message("in the root"));
  Open();
  auto folders = store->RootFolder()->GetFolders().value;
  ASSERT_EQ(folders->Count().value, 3);
  EXPECT_EQ(Text(store->Inbox()->Name()), "Inbox");
  EXPECT_EQ(store->Inbox()->GetItems().value->Count().value, 1);
  EXPECT_EQ(Text(Folder(u"Archive/2025")->Name()), "2025");
  MailItemPtr item = store->FindItem("1.pp.host").value;
  ASSERT_TRUE(item->Move(Folder(u"Junk E-mail")).ok());
  EXPECT_TRUE(fs::exists(storeDir / ".Junk E-mail" / "cur" / "1.pp.host:2,S"));
  FolderPtr added = AddTopLevel(u"Deleted Items");
  EXPECT_TRUE(fs::is_directory(storeDir / ".Deleted Items" / "cur"));
  EXPECT_EQ(added->SetName(u"Bin"), hr::kOk);
  EXPECT_TRUE(fs::is_directory(storeDir / ".Bin" / "cur"));
  EXPECT_EQ(Folder(u"Archive")->SetName(u"Old"), hr::kOk);
  EXPECT_TRUE(fs::is_directory(storeDir / ".Old.2025" / "cur"));
  EXPECT_EQ(added->SetName(u"has.dot"), kInvalidName);
}

}  // namespace
}  // namespace skerrow::maildir
