// The mail host interface over the mail client's object model, reached
// through IDispatch late binding so that one DLL works with every client
// version: members are called by name, each name resolved once per type of
// the model (OutlookSession), properties and methods called with Invoke.
//
// Every call returns its status and nothing throws: a failed call leaves the
// value empty. A failure the object raised as an automation exception
// (DISP_E_EXCEPTION) is reported with the code the exception carries.
//
// All adapters reached from one WrapObject share one session; they hold
// references to the client's objects and release them when they go. Use them
// on the thread that made them (the client's user-interface thread).
#pragma once

#include <oaidl.h>
#include <wrl/client.h>

#include <array>
#include <memory>
#include <typeinfo>
#include <utility>

#include "host/MailHost.h"
#include "host/outlook/Variant.h"

namespace skerrow::outlook {

class OutlookSession;

// The object as the core sees it, with a reference of its own, or null for
// a null object. Its faces (AsApplication, AsMailItem, ...) answer for the
// client's objects behind it.
DispatchPtr WrapObject(IDispatch* object);
// The same within a session already made, sharing its resolved names.
DispatchPtr WrapObject(IDispatch* object, std::shared_ptr<OutlookSession> session);

// How many event sinks of this module are still alive (held by a source or
// by a delivery in progress). The module must not be unloaded while any is.
long LiveEventSinks();

// The base of every adapter: one object of the model behind IDispatch.
class OutlookObject : public virtual Dispatch {
 public:
  using Face = Dispatch;

  // `type` is the mail host interface the object is adapted to, one per
  // interface of the model; dispatch ids are cached under it.
  OutlookObject(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session,
                const std::type_info& type = typeid(Dispatch));

  ApplicationPtr AsApplication() override;
  MailItemPtr AsMailItem() override;
  TaskItemPtr AsTaskItem() override;
  FolderPtr AsFolder() override;
  CommandBarButtonPtr AsCommandBarButton() override;
  CommandBarPopupPtr AsCommandBarPopup() override;
  PropertyPagesPtr AsPropertyPages() override;

  IDispatch* Interface() const { return object_.Get(); }

 protected:
  const std::shared_ptr<OutlookSession>& Session() const { return session_; }

  // A property read or a method called for its result (the way automation
  // clients read: DISPATCH_PROPERTYGET | DISPATCH_METHOD). Arguments in their
  // declared order.
  template <class... Args>
  Result<Variant> Read(const wchar_t* name, Args&&... args) {
    std::array<Variant, sizeof...(Args)> list{std::forward<Args>(args)...};
    return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, list.data(), list.size());
  }
  // A method called for its effect.
  template <class... Args>
  HResult Run(const wchar_t* name, Args&&... args) {
    std::array<Variant, sizeof...(Args)> list{std::forward<Args>(args)...};
    return Invoke(name, DISPATCH_METHOD, list.data(), list.size()).status;
  }
  HResult Write(const wchar_t* name, Variant value);

  Result<std::u16string> ReadText(const wchar_t* name);
  Result<std::int32_t> ReadInt(const wchar_t* name);

  // The object a read returns, wrapped in `Adapter` (null for Nothing).
  template <class Adapter, class... Args>
  Result<std::shared_ptr<typename Adapter::Face>> ReadObject(const wchar_t* name, Args&&... args) {
    return Wrap<Adapter>(Read(name, std::forward<Args>(args)...));
  }
  template <class Adapter>
  Result<std::shared_ptr<typename Adapter::Face>> Wrap(Result<Variant> read) {
    using Ptr = std::shared_ptr<typename Adapter::Face>;
    if (!read.ok()) return Fail<Ptr>(read.status);
    auto object = ToObject(read.value.get());
    if (!object.ok()) return Fail<Ptr>(object.status);
    if (!object.value) return Ok<Ptr>(nullptr);
    return Ok<Ptr>(std::make_shared<Adapter>(std::move(object.value), session_));
  }

 private:
  Result<Variant> Invoke(const wchar_t* name, WORD flags, Variant* args, std::size_t count);
  template <class Adapter>
  std::shared_ptr<Adapter> FaceOf(const GUID& iid);

  Microsoft::WRL::ComPtr<IDispatch> object_;
  std::shared_ptr<OutlookSession> session_;
  const std::type_info& type_;
};

// The adapter of one interface of the model to its mail host interface.
template <class FaceType>
class OutlookAdapter : public FaceType, public OutlookObject {
 public:
  using Face = FaceType;
  OutlookAdapter(Microsoft::WRL::ComPtr<IDispatch> object, std::shared_ptr<OutlookSession> session)
      : OutlookObject(std::move(object), std::move(session), typeid(FaceType)) {}
};

// The IDispatch of an adapter of this module, or null for any other object.
IDispatch* InterfaceOf(const Dispatch* object);

}  // namespace skerrow::outlook
