// The add-in's own COM objects: the Windows home's IUnknown, plus the count of
// live objects from which DllCanUnloadNow answers. A class derives from
// ServerObject<Interfaces...> and answers Find(iid).
#pragma once

#include "com/ComModule.h"
#include "platform/win32/ComObject.h"

namespace skerrow::com {

template <class... Interfaces>
class ServerObject : public win32::ComObject<Interfaces...> {
 protected:
  ServerObject() { ObjectCreated(); }
  ~ServerObject() override { ObjectDestroyed(); }
};

}  // namespace skerrow::com
