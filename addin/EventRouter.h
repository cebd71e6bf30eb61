// The routing table of the add-in: which handler an event reaches, matched on
// the sink that received it, the sink's source interface and the dispatch id,
// the way the mail client's Invoke calls arrive. Events that match no row are
// dropped; once closed, the router drops everything (nothing may run after
// disconnection).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/MailHost.h"

namespace skerrow {

// The add-in's sinks, one per subscribed event source.
namespace sink {
inline constexpr int kToSpamButton = 100;
inline constexpr int kToInboxButton = 101;
inline constexpr int kMarkButton = 102;
inline constexpr int kUnmarkButton = 103;
inline constexpr int kToSpamMenu = 200;
inline constexpr int kToInboxMenu = 201;
inline constexpr int kMarkMenu = 202;
inline constexpr int kUnmarkMenu = 203;
inline constexpr int kHelpMenu = 206;
inline constexpr int kOptionsPages = 300;
inline constexpr int kFolders = 302;
inline constexpr int kInboxItems = 303;
inline constexpr int kReminder = 305;
}  // namespace sink

class EventRouter {
 public:
  using Handler = std::function<void(const std::vector<DispatchPtr>& args)>;

  void Add(int sinkId, EventInterface iface, std::int32_t dispId, Handler handler);
  // Runs the matching handler; false when no row matched or the router is closed.
  bool Route(int sinkId, EventInterface iface, std::int32_t dispId,
             const std::vector<DispatchPtr>& args) const;
  void Open() { open_ = true; }
  void Close() { open_ = false; }

 private:
  struct Row {
    int sinkId;
    EventInterface iface;
    std::int32_t dispId;
    Handler handler;
  };
  std::vector<Row> rows_;
  bool open_ = false;
};

// One sink of the add-in: connected to one source at a time, forwarding every
// call to the router under its own id until it is detached.
class RoutedSink : public EventSink {
 public:
  RoutedSink(int id, const EventRouter& router) : id_(id), router_(&router) {}

  void Invoke(EventInterface iface, std::int32_t dispId,
              const std::vector<DispatchPtr>& args) override {
    if (router_) router_->Route(id_, iface, dispId, args);
  }
  int id() const { return id_; }
  // From now on every call only returns.
  void Detach() { router_ = nullptr; }

 private:
  int id_;
  const EventRouter* router_;
};

// Every sink of the add-in is made here, so that the sinks kept alive on
// purpose after a failed unsubscription can be told apart from real leaks
// (the sanitizer build's leak check is told to pass over this function).
std::unique_ptr<RoutedSink> MakeRoutedSink(int id, const EventRouter& router);

}  // namespace skerrow
