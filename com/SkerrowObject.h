// The COM class Skerrow: the add-in object that Outlook creates through the
// class factory and connects through IDTExtensibility2. It owns the Win32
// platform and the core add-in object for its whole life and hands the core
// Outlook's Application wrapped for the mail host interface.
//
// Every method runs on Outlook's user-interface thread (apartment threaded).
// Nothing thrown inside the core crosses back into Outlook: OnConnection and
// OnDisconnection answer S_OK whatever happens, the other three E_NOTIMPL.
#pragma once

#include <memory>

#include "com/AddInInterfaces.h"
#include "com/ComObject.h"
#include "com/TypeInfoDispatch.h"

namespace skerrow {
class Skerrow;
class Win32Platform;
}  // namespace skerrow

namespace skerrow::com {

class SkerrowObject final : public ServerObject<ISkerrow, IDTExtensibility2> {
 public:
  // The class factory's creator.
  static HRESULT Create(REFIID riid, void** object);

  void* Find(REFIID riid) override;

  // IDispatch of ISkerrow, shared by IDTExtensibility2.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

  // IDTExtensibility2.
  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ConnectMode connectMode,
                                         IDispatch* addInInstance, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(DisconnectMode removeMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  SkerrowObject();
  ~SkerrowObject() override;

  TypeInfoDispatch dispatch_;
  std::unique_ptr<Win32Platform> platform_;
  // Destroyed before the platform it uses.
  std::unique_ptr<Skerrow> addIn_;
};

}  // namespace skerrow::com
