#include "host/outlook/OutlookIds.h"

#include <objbase.h>

#include <string>

namespace skerrow::outlook {

GUID SourceInterfaceId(EventInterface iface) {
  // The routing table's ids are kept once, as text, beside the interface.
  const char* text = EventInterfaceId(iface);
  const std::wstring wide(text, text + std::char_traits<char>::length(text));
  GUID id{};
  IIDFromString(wide.c_str(), &id);
  return id;
}

}  // namespace skerrow::outlook
