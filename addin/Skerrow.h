// The add-in object: what the mail client creates and connects through its
// add-in interface, and what owns everything of one connection — the
// references to the client's objects, the event sinks and their routing, the
// word statistics, the address book, the Spam folder bookkeeping, the toolbar
// and the window services.
//
// Written against the mail host and platform interfaces only, so that the same
// object runs in the in-memory store, in the Maildir store and inside the mail
// client through the COM adapters. Every method and handler runs on the mail
// client's one thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "addin/EventRouter.h"
#include "addin/NewMailProcessor.h"
#include "base/Env.h"
#include "base/ErrorLog.h"
#include "engine/AddressBook.h"
#include "engine/EngineStages.h"
#include "engine/FeatureExtractor.h"
#include "engine/MailClassifier.h"
#include "host/MailHost.h"
#include "html/HtmlAnalyzer.h"
#include "options/OptionsPageTarget.h"
#include "spamfolder/SpamFolderManager.h"
#include "spamfolder/StatisticsTrainer.h"
#include "spamfolder/Toolbar.h"
#include "spamfolder/UserCommands.h"
#include "stats/WordStatistics.h"
#include "winsvc/WindowServices.h"

namespace skerrow {

struct Platform;
struct FilterOptions;

class Skerrow : public OptionsPageTarget {
 public:
  // The platform and the options record (the process's one record in a real
  // home) must outlive the object.
  Skerrow(Platform& platform, FilterOptions& options);
  ~Skerrow() override;
  Skerrow(const Skerrow&) = delete;
  Skerrow& operator=(const Skerrow&) = delete;

  // The add-in interface. OnConnection and OnDisconnection always succeed
  // and let no exception out: a start-up that breaks off takes back its
  // subscriptions and stays not connected. The other three are not
  // implemented.
  HResult OnConnection(const DispatchPtr& application, std::int32_t connectMode,
                       const DispatchPtr& addInInstance);
  HResult OnDisconnection(std::int32_t removeMode);
  HResult OnAddInsUpdate() { return hr::kNotImpl; }
  HResult OnStartupComplete() { return hr::kNotImpl; }
  HResult OnBeginShutdown() { return hr::kNotImpl; }

  bool Connected() const { return connected_; }

  // OptionsPageTarget: what Apply of the options page brings in line.
  void UpdateToolbarVisibility() override;
  void RenameSpamFolder() override;
  void ShowTrayIcon(bool show) override;
  std::set<std::string> ValidTexts() const override;
  void SetValidTexts(const std::vector<std::string>& texts) override;
  void RemoveValidTexts(const std::vector<std::string>& texts) override;

  // What the command line and the tests reach.
  Env& env() { return env_; }
  WordStatistics& statistics() { return statistics_; }
  const AddressBook& addressBook() const { return addressBook_; }
  MailClassifier& classifier() { return classifier_; }
  ClassifierStages& stages() { return stages_; }
  FeatureExtractor& extractor() { return extractor_; }
  SpamFolderManager& spamFolder() { return spamFolder_; }
  Toolbar& toolbar() { return toolbar_; }
  WindowServices& windows() { return windows_; }
  // Null until a connection got as far as the application.
  UserCommands* commands() { return commands_.get(); }

 private:
  void BuildRoutingTable();
  void Connect(const DispatchPtr& application);
  void Disconnect();
  // Shutdown's unsubscriptions, in their order, and the window services' stop.
  // A subscription whose cancelling failed is kept, to be tried again.
  void DisconnectSinks();
  bool HoldsSubscriptions() const;
  // Gives up the sinks that sources may still call after a failed
  // unsubscription: they are detached and never freed, and fresh sinks take
  // their place.
  void RetireSinks();
  void Subscribe(EventSource& source, EventInterface iface, RoutedSink& sink,
                 std::optional<std::uint32_t>& cookie, int place);
  void Unsubscribe(EventSource* source, std::optional<std::uint32_t>& cookie, int place);
  RoutedSink& SinkFor(int id);

  Platform& platform_;
  FilterOptions& options_;
  ErrorLog log_;
  Env env_;

  EventRouter router_;
  std::vector<std::unique_ptr<RoutedSink>> sinks_;

  WordStatistics statistics_;
  AddressBook addressBook_;
  std::unique_ptr<HtmlAnalyzer> html_;
  FeatureExtractor extractor_;
  EngineStages stages_;
  MailClassifier classifier_;
  StatisticsTrainer trainer_;
  SpamFolderManager spamFolder_;
  NewMailProcessor newMail_;
  Toolbar toolbar_;
  WindowServices windows_;
  std::unique_ptr<UserCommands> commands_;

  ApplicationPtr application_;
  ItemsPtr inboxItems_;
  std::optional<std::uint32_t> optionsPagesCookie_;
  std::optional<std::uint32_t> reminderCookie_;
  std::optional<std::uint32_t> itemAddCookie_;
  bool connected_ = false;
};

}  // namespace skerrow
