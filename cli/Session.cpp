#include "cli/Session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "options/FilterOptions.h"

namespace skerrow::cli {

namespace {

// The add-in of the process's session, once the session is over.
Skerrow* addInLeftToExit = nullptr;

}  // namespace

unsigned ConfiguredCodePage() {
  const char* text = std::getenv("SKERROW_CODEPAGE");
  if (text == nullptr || *text == '\0') return 1252;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  return (*end == '\0' && value > 0 && value < 65536) ? static_cast<unsigned>(value) : 0;
}

std::unique_ptr<Session> Session::Open(const Locations& where, std::string& error, bool scratch) {
  const unsigned codePage = ConfiguredCodePage();
  if (codePage == 0) {
    error = "SKERROW_CODEPAGE is not a code page number";
    return nullptr;
  }
  std::error_code ignored;
  if (!std::filesystem::is_directory(where.store, ignored)) {
    error = "no Maildir store at " + where.store;
    return nullptr;
  }
  std::unique_ptr<Session> session(new Session);
  session->home_ = LinuxPlatform::Open(where.home, codePage, &error);
  if (!session->home_) return nullptr;
  session->prefixLock_ = PrefixLock::Acquire(session->home_->prefix().Root(), error);
  if (!session->prefixLock_) return nullptr;
  session->home_->RemoveStaleReplacements();
  maildir::MaildirStoreOptions options;
  options.contactsDir = (session->home_->prefix().Root() / "contacts").string();
  options.clipboard = &session->platform().clipboard;
  options.durable = !scratch;
  maildir::MaildirStore::Opening opening = maildir::MaildirStore::Open(where.store, options);
  if (!opening.store) {
    error = opening.error;
    return nullptr;
  }
  session->store_ = std::move(opening.store);
  session->addIn_ = std::make_unique<Skerrow>(session->platform(), TheFilterOptions());
  Session* self = session.get();
  session->addIn_->classifier().SetVerdictObserver(
      [self](MailItem& item, const SpamVerdict& verdict) {
        self->verdicts_.push_back({verdict, item.Subject().value, item.EntryID().value});
      });
  return session;
}

Session::~Session() {
  if (connected_) Disconnect();
  // The store is closed first (its index, its lock, its threads); the
  // add-in, whose work ended with the shutdown, is left to the end of the
  // process, which comes with the session's: freeing its tables (the
  // dictionary's words, the address book) would take a millisecond and more
  // of every command for nothing. Held here, it stays reachable for leak
  // checkers.
  store_.reset();
  addInLeftToExit = addIn_.release();
}

void Session::Connect() {
  addIn_->OnConnection(store_->GetApplication(), 0, nullptr);
  connected_ = true;
}

void Session::Disconnect() {
  addIn_->OnDisconnection(0);
  connected_ = false;
}

int Session::Close(int status) {
  if (connected_) Disconnect();
  bool failed = false;
  const Prefix& prefix = home_->prefix();
  const std::optional<std::filesystem::path> dictionary =
      prefix.HostPath(addIn_->statistics().DictionaryPath());
  for (const WriteFailure& failure : home_->writeFailures().All()) {
    const std::string file = failure.file.string();
    std::string what = "cannot write " + file;
    if (failure.file == prefix.WinIni()) {
      what = "the options were not saved to " + file;
    } else if (dictionary && file.rfind(dictionary->string(), 0) == 0) {
      what = "the dictionary was not saved to " + file;
    }
    std::fprintf(stderr, "skerrow: %s: %s\n", what.c_str(), failure.reason.c_str());
    failed = true;
  }
  for (const std::string& failure : store_->TakeWriteFailures()) {
    std::fprintf(stderr, "skerrow: %s\n", failure.c_str());
    failed = true;
  }
  return failed ? kExitFailure : status;
}

std::vector<Session::Classified> Session::TakeVerdicts() {
  std::vector<Classified> taken;
  taken.swap(verdicts_);
  return taken;
}

MailItemPtr Session::FindMessage(const std::string& name, std::string& error) {
  Result<MailItemPtr> found = store_->FindItem(name);
  if (!found.ok() || !found.value) {
    error = "no message " + name + " in the store";
    return nullptr;
  }
  return found.value;
}

}  // namespace skerrow::cli
