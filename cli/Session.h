// One connection of the add-in against a Maildir store, as one start and
// close of the mail client: the prefix's platform, the store (locked for the
// session's life), the add-in object over the process's options record.
// A process makes one session, which ends just before the process does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "addin/Skerrow.h"
#include "cli/Command.h"
#include "engine/SpamVerdict.h"
#include "host/maildir/MaildirStore.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/PrefixLock.h"

namespace skerrow::cli {

class Session {
 public:
  // Opens the prefix (created on first use) and the store (it must exist; a
  // missing Inbox is created); both stay locked for the session's life, and
  // a prefix or store held by another instance fails. What killed commands
  // left behind in either is cleared away. Null with a one-line reason on
  // failure.
  // A scratch session (replay, demo) skips the disk syncs that keep a real
  // store safe from crashes: its contents are thrown away afterwards.
  static std::unique_ptr<Session> Open(const Locations& where, std::string& error,
                                       bool scratch = false);
  ~Session();

  // Start-up of the add-in; from here on the store's events reach it.
  void Connect();
  // Shutdown: the dictionary is saved.
  void Disconnect();
  // Shutdown, then a line on standard error for each write of the session
  // that failed (the dictionary, the options, a message, a folder), naming
  // what was not saved and why. The command's exit status: status, or
  // kExitFailure when anything was not saved.
  int Close(int status);
  // Leaves the session at its end without the shutdown's save, for a
  // command that must change nothing (classify).
  void CloseWithoutSaving() { connected_ = false; }

  LinuxPlatform& home() { return *home_; }
  Platform& platform() { return home_->platform(); }
  maildir::MaildirStore& store() { return *store_; }
  Skerrow& addIn() { return *addIn_; }

  // The verdicts the pipeline reached since the last call, oldest first,
  // each with the message's subject as it arrived and its entry id (the
  // Maildir unique name).
  struct Classified {
    SpamVerdict verdict;
    std::u16string subject;
    std::u16string entryId;
  };
  std::vector<Classified> TakeVerdicts();

  // A message named on the command line: a path or a Maildir unique name.
  // Null with a one-line reason when the store has no such message.
  MailItemPtr FindMessage(const std::string& name, std::string& error);

 private:
  Session() = default;

  std::unique_ptr<LinuxPlatform> home_;
  std::unique_ptr<PrefixLock> prefixLock_;
  std::unique_ptr<maildir::MaildirStore> store_;
  std::unique_ptr<Skerrow> addIn_;
  std::vector<Classified> verdicts_;
  bool connected_ = false;
};

// The code page the prefix's texts use: SKERROW_CODEPAGE, else 1252. Zero
// when the variable holds no number.
unsigned ConfiguredCodePage();

}  // namespace skerrow::cli
