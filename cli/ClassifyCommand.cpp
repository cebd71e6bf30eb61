#include "cli/ClassifyCommand.h"

#include <cstdio>
#include <filesystem>

#include "cli/CommandLine.h"
#include "cli/Delivered.h"
#include "cli/ScratchFolder.h"
#include "cli/Session.h"
#include "cli/Text.h"
#include "engine/MailClassifier.h"
#include "options/FilterOptions.h"

namespace skerrow::cli {

namespace {

// The stages of the running add-in with the lessons left out: classify
// judges as new mail processing would, and teaches the statistics nothing.
class JudgingStages : public ClassifierStages {
 public:
  explicit JudgingStages(ClassifierStages& stages) : stages_(stages) {}

  void extractFeatures(MailItem& item, MessageFeatures& features) override {
    stages_.extractFeatures(item, features);
  }
  bool isValidMessage(const MessageFeatures& features) override {
    return stages_.isValidMessage(features);
  }
  SpamReason testIllegalLanguage(MailItem& item) override {
    return stages_.testIllegalLanguage(item);
  }
  SpamReason checkRules(const MessageFeatures& features) override {
    return stages_.checkRules(features);
  }
  double BayesProbability(const WordSet& words, int minDecisiveWords) override {
    return stages_.BayesProbability(words, minDecisiveWords);
  }
  void LearnValid(const MessageFeatures&) override {}
  void LearnSpam(const MessageFeatures&) override {}

 private:
  ClassifierStages& stages_;
};

}  // namespace

const char* ClassifyCommand::Help() const {
  return "usage: skerrow classify [--json] FILE...\n"
         "\n"
         "Prints the verdict the add-in would reach for each message, with its reason and\n"
         "score, as new mail processing would decide it now. Nothing is trained, marked,\n"
         "moved or saved; the messages are not added to the store. Messages over 64 MiB,\n"
         "folders and unreadable files are refused.\n";
}

int ClassifyCommand::Run(const Locations& where, const std::vector<std::string>& args) {
  MessageFiles messages;
  if (const int status = ReadMessageFiles(*this, args, messages); status != kExitOk) return status;
  const bool json = messages.json;

  std::string error;
  auto session = Session::Open(where, error);
  if (!session) return Failure(error);
  // Each message is read from a scratch store of its own, so the user's
  // store never sees it.
  ScratchFolder scratch("classify");
  if (!scratch.ok()) return Failure("cannot create a scratch folder for the messages");
  maildir::MaildirStore::Opening reading = maildir::MaildirStore::Open(scratch.path().string());
  if (!reading.store) return Failure(reading.error);

  session->Connect();
  FilterOptions& filterOptions = TheFilterOptions();
  // Cleaning would write the message back; judging must not.
  filterOptions.bRemoveScripts = 0;
  filterOptions.bRemoveImages = 0;
  Skerrow& addIn = session->addIn();
  JudgingStages stages(addIn.stages());
  MailClassifier judge(stages, filterOptions, addIn.env().log);

  int status = kExitOk;
  for (std::size_t i = 0; i < messages.bytes.size(); ++i) {
    const std::string& file = messages.names[i];
    const Result<MailItemPtr> item = reading.store->Deliver(messages.bytes[i]);
    // The item reads its file from now on.
    std::string().swap(messages.bytes[i]);
    if (!item.ok() || !item.value) {
      std::fprintf(stderr, "skerrow: cannot read %s as a message\n", file.c_str());
      status = kExitFailure;
      continue;
    }
    ResultLine line;
    line.file = file;
    line.path = file;
    line.subject = ToUtf8(item.value->Subject().value);
    line.verdict = judge.classify(*item.value);
    std::printf("%s\n", (json ? FormatJson(line) : FormatText(line)).c_str());
  }
  // No shutdown: the dictionary is not saved, the store keeps its state.
  session->CloseWithoutSaving();
  return status;
}

}  // namespace skerrow::cli
