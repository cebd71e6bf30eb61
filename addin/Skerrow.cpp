#include "addin/Skerrow.h"

#include "addin/CurrentAddIn.h"
#include "html/HtmlDocumentAnalyzer.h"
#include "options/AddOptionsPage.h"
#include "options/FilterOptions.h"
#include "platform/Platform.h"

namespace skerrow {

namespace {

constexpr int kPlaceActiveExplorer = 200401;
constexpr int kPlaceCommandBars = 200402;
constexpr int kPlaceBuildToolbar = 200403;
constexpr int kPlaceBuildMenuItems = 200404;
constexpr int kPlaceAdviseOptionsPages = 200405;
constexpr int kPlaceAdviseReminder = 2004051;
constexpr int kPlaceInboxItems = 200418;
constexpr int kPlaceAdviseItemAdd = 200419;
constexpr int kPlaceUnadviseOptionsPages = 200701;
constexpr int kPlaceUnadviseReminder = 2007011;
constexpr int kPlaceUnadviseItemAdd = 200703;

constexpr int kSinkIds[] = {sink::kToSpamButton, sink::kToInboxButton, sink::kMarkButton,
                            sink::kUnmarkButton, sink::kToSpamMenu,    sink::kToInboxMenu,
                            sink::kMarkMenu,     sink::kUnmarkMenu,    sink::kHelpMenu,
                            sink::kOptionsPages, sink::kFolders,       sink::kInboxItems,
                            sink::kReminder};

DispatchPtr FirstArgument(const std::vector<DispatchPtr>& args) {
  return args.empty() ? nullptr : args.front();
}

}  // namespace

Skerrow::Skerrow(Platform& platform, FilterOptions& options)
    : platform_(platform),
      options_(options),
      log_(platform.files, platform.clock, options),
      env_{platform, options, log_},
      html_(std::make_unique<HtmlDocumentAnalyzer>(env_, platform.html)),
      extractor_(env_, *html_),
      stages_(env_, statistics_, addressBook_, extractor_),
      classifier_(stages_, options, log_),
      trainer_(extractor_, statistics_),
      spamFolder_(env_, trainer_),
      newMail_(env_, classifier_, spamFolder_),
      toolbar_(env_),
      windows_(platform, options) {
  for (int id : kSinkIds) sinks_.push_back(MakeRoutedSink(id, router_));
  BuildRoutingTable();
}

Skerrow::~Skerrow() {
  if (CurrentAddIn() == this) SetCurrentAddIn(nullptr);
  router_.Close();
  // Released while still subscribed (the client never disconnected it, or a
  // cancelling failed): the sources must not keep pointers to the sinks that
  // go with this object.
  try {
    DisconnectSinks();
  } catch (...) {
  }
  if (HoldsSubscriptions()) RetireSinks();
}

void Skerrow::BuildRoutingTable() {
  const auto command = [this](void (UserCommands::*run)()) {
    return [this, run](const std::vector<DispatchPtr>&) {
      if (commands_) (commands_.get()->*run)();
    };
  };
  const struct {
    int button;
    int menuItem;
    void (UserCommands::*run)();
  } commandSinks[] = {
      {sink::kToSpamButton, sink::kToSpamMenu, &UserCommands::MoveMarkedToSpam},
      {sink::kToInboxButton, sink::kToInboxMenu, &UserCommands::MoveSelectionToInbox},
      {sink::kMarkButton, sink::kMarkMenu, &UserCommands::MarkSelection},
      {sink::kUnmarkButton, sink::kUnmarkMenu, &UserCommands::UnmarkSelection},
  };
  for (const auto& row : commandSinks) {
    router_.Add(row.button, EventInterface::CommandBarButtonEvents, dispid::kClick,
                command(row.run));
    router_.Add(row.menuItem, EventInterface::CommandBarButtonEvents, dispid::kClick,
                command(row.run));
  }
  router_.Add(sink::kHelpMenu, EventInterface::CommandBarButtonEvents, dispid::kClick,
              command(&UserCommands::OpenHelp));
  router_.Add(
      sink::kOptionsPages, EventInterface::ApplicationEvents, dispid::kOptionsPagesAdd,
      [this](const std::vector<DispatchPtr>& args) { AddOptionsPage(FirstArgument(args), log_); });
  router_.Add(sink::kFolders, EventInterface::FoldersEvents, dispid::kFolderChange,
              [this](const std::vector<DispatchPtr>& args) {
                spamFolder_.OnFolderChange(FirstArgument(args));
              });
  router_.Add(sink::kInboxItems, EventInterface::ItemsEvents, dispid::kItemAdd,
              [this](const std::vector<DispatchPtr>& args) {
                newMail_.OnNewInboxItem(FirstArgument(args));
              });
  router_.Add(
      sink::kReminder, EventInterface::ApplicationEvents, dispid::kReminder,
      [this](const std::vector<DispatchPtr>& args) { windows_.OnReminder(FirstArgument(args)); });
}

RoutedSink& Skerrow::SinkFor(int id) {
  for (auto& sink : sinks_) {
    if (sink->id() == id) return *sink;
  }
  return *sinks_.front();  // unreachable: every id of the table has a sink
}

void Skerrow::Subscribe(EventSource& source, EventInterface iface, RoutedSink& sink,
                        std::optional<std::uint32_t>& cookie, int place) {
  const Result<std::uint32_t> advised = source.Advise(iface, &sink);
  log_.LogFailure(advised.status, place);
  if (advised.ok()) cookie = advised.value;
}

void Skerrow::Unsubscribe(EventSource* source, std::optional<std::uint32_t>& cookie, int place) {
  if (source == nullptr || !cookie) return;
  const HResult status = source->Unadvise(*cookie);
  log_.LogFailure(status, place);
  // The source may still hold the sink: keep the cookie to try again.
  if (hr::Succeeded(status)) cookie.reset();
}

bool Skerrow::HoldsSubscriptions() const {
  return optionsPagesCookie_ || reminderCookie_ || itemAddCookie_ ||
         toolbar_.HoldsSubscriptions() || spamFolder_.HoldsFolderChange();
}

void Skerrow::RetireSinks() {
  for (std::unique_ptr<RoutedSink>& sink : sinks_) {
    const int id = sink->id();
    sink->Detach();
    // Never freed on purpose: a source whose unsubscription failed may call
    // it at any time, and a detached sink only returns.
    static_cast<void>(sink.release());
    sink = MakeRoutedSink(id, router_);
  }
  optionsPagesCookie_.reset();
  reminderCookie_.reset();
  itemAddCookie_.reset();
}

HResult Skerrow::OnConnection(const DispatchPtr& application, std::int32_t /*connectMode*/,
                              const DispatchPtr& /*addInInstance*/) {
  SetCurrentAddIn(this);
  try {
    Connect(application);
  } catch (...) {
    // Nothing may reach the mail client. What was subscribed goes again, so
    // that no source keeps a sink of an add-in that is not connected.
    connected_ = false;
    try {
      DisconnectSinks();
    } catch (...) {
    }
    router_.Close();
  }
  return hr::kOk;
}

void Skerrow::Connect(const DispatchPtr& application) {
  // Sources of an earlier connection that could not be unsubscribed keep
  // their sinks; this connection gets new ones.
  if (HoldsSubscriptions()) RetireSinks();
  router_.Open();
  options_.LocateInstallFolder(platform_.registry, platform_.profile);
  statistics_.LoadDictionary(platform_, options_);
  spamFolder_.LoadTaughtMessages(statistics_.DictionaryFolder());

  ApplicationPtr app = application ? application->AsApplication() : nullptr;
  if (!app) return;

  // Without an explorer the mail client runs without a window (started by
  // automation): no toolbar, no events, no processing for this connection.
  Result<ExplorerPtr> explorer = app->ActiveExplorer();
  log_.LogFailure(explorer.status, kPlaceActiveExplorer);
  if (!explorer.ok() || !explorer.value) return;

  Result<CommandBarsPtr> bars = explorer.value->GetCommandBars();
  log_.LogFailure(bars.status, kPlaceCommandBars);
  if (bars.value) {
    ToolbarSinks sinks;
    sinks.buttons = {&SinkFor(sink::kToSpamButton), &SinkFor(sink::kToInboxButton),
                     &SinkFor(sink::kMarkButton), &SinkFor(sink::kUnmarkButton)};
    sinks.menuItems = {&SinkFor(sink::kToSpamMenu), &SinkFor(sink::kToInboxMenu),
                       &SinkFor(sink::kMarkMenu), &SinkFor(sink::kUnmarkMenu)};
    sinks.help = &SinkFor(sink::kHelpMenu);
    log_.LogFailure(toolbar_.BuildToolbar(*bars.value, sinks), kPlaceBuildToolbar);
    log_.LogFailure(toolbar_.BuildMenuItems(*bars.value, sinks), kPlaceBuildMenuItems);
  }

  application_ = app;
  commands_ = std::make_unique<UserCommands>(env_, *application_, spamFolder_, trainer_);
  Subscribe(*application_, EventInterface::ApplicationEvents, SinkFor(sink::kOptionsPages),
            optionsPagesCookie_, kPlaceAdviseOptionsPages);
  Subscribe(*application_, EventInterface::ApplicationEvents, SinkFor(sink::kReminder),
            reminderCookie_, kPlaceAdviseReminder);

  windows_.Start();

  spamFolder_.LocateSpamFolder(*application_, &SinkFor(sink::kFolders));

  if (const FolderPtr& inbox = spamFolder_.Inbox()) {
    Result<ItemsPtr> items = inbox->GetItems();
    log_.LogFailure(items.status, kPlaceInboxItems);
    inboxItems_ = items.value;
    if (inboxItems_) {
      Subscribe(*inboxItems_, EventInterface::ItemsEvents, SinkFor(sink::kInboxItems),
                itemAddCookie_, kPlaceAdviseItemAdd);
    }
  }

  if (!options_.bDisableCheckAddrBook && spamFolder_.MapiNameSpace()) {
    addressBook_.TakeSnapshot(*spamFolder_.MapiNameSpace(), platform_.codePage, log_);
  }

  connected_ = true;
}

HResult Skerrow::OnDisconnection(std::int32_t /*removeMode*/) {
  SetCurrentAddIn(nullptr);
  try {
    Disconnect();
  } catch (...) {
    // Nothing may reach the mail client; the sinks go whatever failed.
    try {
      DisconnectSinks();
    } catch (...) {
    }
  }
  router_.Close();
  connected_ = false;
  return hr::kOk;
}

void Skerrow::Disconnect() {
  if (!connected_) {
    // A connection that stopped early still may have hooked nothing; make
    // sure nothing in the window system leads into the add-in any more.
    windows_.Stop();
    return;
  }
  statistics_.SaveDictionary(platform_);
  spamFolder_.SaveTaughtMessages();
  windows_.RemoveIcon();
  DisconnectSinks();
}

void Skerrow::DisconnectSinks() {
  toolbar_.Disconnect();
  Unsubscribe(application_.get(), optionsPagesCookie_, kPlaceUnadviseOptionsPages);
  Unsubscribe(application_.get(), reminderCookie_, kPlaceUnadviseReminder);
  spamFolder_.DisconnectFolderChange();
  Unsubscribe(inboxItems_.get(), itemAddCookie_, kPlaceUnadviseItemAdd);
  // The module may be unloaded once disconnected: stop the one-copy timer and
  // give the main window its own procedure back.
  windows_.Stop();
}

void Skerrow::UpdateToolbarVisibility() {
  toolbar_.SetVisibility();
}

void Skerrow::RenameSpamFolder() {
  if (spamFolder_.SpamFolder()) spamFolder_.RenameSpamFolder();
}

void Skerrow::ShowTrayIcon(bool show) {
  windows_.ShowIcon(show);
}

std::set<std::string> Skerrow::ValidTexts() const {
  return statistics_.ValidTexts();
}

void Skerrow::SetValidTexts(const std::vector<std::string>& texts) {
  statistics_.SetValidTexts(texts);
}

void Skerrow::RemoveValidTexts(const std::vector<std::string>& texts) {
  statistics_.RemoveValidTexts(texts);
}

}  // namespace skerrow
