// A connected Spam folder side over the in-memory store, wired the way the
// add-in object wires it: the watcher subscribed to the top-level folders'
// FolderChange, the commands behind the toolbar buttons and menu items, the
// lessons going to real word statistics through a recorder.
//
//   SpamFolderScene scene;
//   scene.Connect();                       // lookup, toolbar, menus
//   MailItemPtr mail = scene.store.AddMail(scene.store.Inbox(), {.subject = u"Hi"});
//   scene.store.UserMove(mail, scene.Junk());
//   EXPECT_EQ(scene.trainer.lessons, Lessons{"RelearnSpam Hi"});
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/FeatureExtractor.h"
#include "engine/NoHtmlAnalyzer.h"
#include "host/memory/MemoryStore.h"
#include "spamfolder/SpamFolderManager.h"
#include "spamfolder/StatisticsTrainer.h"
#include "spamfolder/Toolbar.h"
#include "spamfolder/UserCommands.h"
#include "stats/WordStatistics.h"
#include "tests/support/LoggedFailures.h"
#include "tests/support/TestPlatform.h"

namespace skerrow {

using Lessons = std::vector<std::string>;

// Records each lesson as "<lesson> <subject>" and gives it to real statistics.
class RecordingTrainer : public SpamTrainer {
 public:
  explicit RecordingTrainer(Env env) : extractor_(env, html_), inner_(extractor_, statistics) {}

  WordStatistics statistics;
  Lessons lessons;
  int extractions = 0;

  void extractFeatures(MailItem& item, MessageFeatures& features) override {
    ++extractions;
    inner_.extractFeatures(item, features);
  }
  void LearnSpam(const MessageFeatures& features) override {
    lessons.push_back("LearnSpam " + features.subject);
    inner_.LearnSpam(features);
  }
  void UnlearnSpam(const MessageFeatures& features) override {
    lessons.push_back("UnlearnSpam " + features.subject);
    inner_.UnlearnSpam(features);
  }
  void RelearnSpam(const MessageFeatures& features) override {
    lessons.push_back("RelearnSpam " + features.subject);
    inner_.RelearnSpam(features);
  }

 private:
  NoHtmlAnalyzer html_;
  FeatureExtractor extractor_;
  StatisticsTrainer inner_;
};

// An event sink that hands the event's arguments to a function.
class FunctionSink : public EventSink {
 public:
  explicit FunctionSink(std::function<void(const std::vector<DispatchPtr>&)> handler)
      : handler_(std::move(handler)) {}
  void Invoke(EventInterface, std::int32_t, const std::vector<DispatchPtr>& args) override {
    handler_(args);
  }

 private:
  std::function<void(const std::vector<DispatchPtr>&)> handler_;
};

class SpamFolderScene {
 public:
  SpamFolderScene() {
    world.options().bErrorLog = 1;
    store.SetClipboard(&world.clipboard());
  }

  // Start-up as the add-in does it: the toolbar and menus over the active
  // explorer's command bars, then the Spam folder lookup.
  void Connect() {
    const Result<ExplorerPtr> explorer = application->ActiveExplorer();
    const Result<CommandBarsPtr> bars = explorer.value->GetCommandBars();
    toolbar.BuildToolbar(*bars.value, Sinks());
    toolbar.BuildMenuItems(*bars.value, Sinks());
    manager.LocateSpamFolder(*application, &folderChange);
  }

  ToolbarSinks Sinks() {
    ToolbarSinks sinks;
    sinks.buttons = {&toSpam, &toInbox, &mark, &unmark};
    sinks.menuItems = {&toSpam, &toInbox, &mark, &unmark};
    sinks.help = &help;
    return sinks;
  }

  FolderPtr Junk() { return manager.SpamFolder(); }

  std::u16string SubjectOf(const DispatchPtr& item) const {
    return MemoryStore::Inspect(item)->subject;
  }

  // The failures in the error log, in order.
  std::vector<LoggedFailure> Failures() const { return LoggedFailures(world); }

  TestPlatform world;
  MemoryStore store;
  RecordingTrainer trainer{world.env()};
  ApplicationPtr application = store.GetApplication();
  SpamFolderManager manager{world.env(), trainer};
  UserCommands commands{world.env(), *application, manager, trainer};
  Toolbar toolbar{world.env()};
  FunctionSink folderChange{
      [this](const std::vector<DispatchPtr>& args) { manager.OnFolderChange(args.at(0)); }};
  FunctionSink toSpam{[this](const std::vector<DispatchPtr>&) { commands.MoveMarkedToSpam(); }};
  FunctionSink toInbox{
      [this](const std::vector<DispatchPtr>&) { commands.MoveSelectionToInbox(); }};
  FunctionSink mark{[this](const std::vector<DispatchPtr>&) { commands.MarkSelection(); }};
  FunctionSink unmark{[this](const std::vector<DispatchPtr>&) { commands.UnmarkSelection(); }};
  FunctionSink help{[this](const std::vector<DispatchPtr>&) { commands.OpenHelp(); }};
};

}  // namespace skerrow
