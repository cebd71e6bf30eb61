#include "host/MailHost.h"

namespace skerrow {

const char* EventInterfaceId(EventInterface iface) {
  switch (iface) {
    case EventInterface::CommandBarButtonEvents:
      return "{000C0351-0000-0000-C000-000000000046}";
    case EventInterface::ApplicationEvents:
      return "{0006304E-0000-0000-C000-000000000046}";
    case EventInterface::FoldersEvents:
      return "{00063076-0000-0000-C000-000000000046}";
    case EventInterface::ItemsEvents:
      break;
  }
  return "{00063077-0000-0000-C000-000000000046}";
}

}  // namespace skerrow
