#include "addin/EventRouter.h"

#include <utility>

namespace skerrow {

void EventRouter::Add(int sinkId, EventInterface iface, std::int32_t dispId, Handler handler) {
  rows_.push_back(Row{sinkId, iface, dispId, std::move(handler)});
}

bool EventRouter::Route(int sinkId, EventInterface iface, std::int32_t dispId,
                        const std::vector<DispatchPtr>& args) const {
  if (!open_) return false;
  for (const Row& row : rows_) {
    if (row.sinkId == sinkId && row.iface == iface && row.dispId == dispId) {
      // A handler never lets an exception out into the mail client: an
      // allocation failure in the middle of one item ends that item only.
      try {
        row.handler(args);
      } catch (...) {
      }
      return true;
    }
  }
  return false;
}

std::unique_ptr<RoutedSink> MakeRoutedSink(int id, const EventRouter& router) {
  return std::make_unique<RoutedSink>(id, router);
}

}  // namespace skerrow
