// The C++ declarations of the interfaces the add-in's classes implement.
// ISkerrow and IPropPage are the classes' own empty dual interfaces (their
// type information is in the embedded type library). IDTExtensibility2, the
// Office add-in interface through which Outlook connects the add-in, is
// declared here from its public interface id because no header of the
// toolchain declares it.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace skerrow::com {

struct ISkerrow : public IDispatch {};
struct IPropPage : public IDispatch {};

// ext_ConnectMode and ext_DisconnectMode.
enum ConnectMode : int {
  kConnectAfterStartup = 0,
  kConnectStartup = 1,
  kConnectExternal = 2,
  kConnectCommandLine = 3,
};
enum DisconnectMode : int {
  kDisconnectHostShutdown = 0,
  kDisconnectUserClosed = 1,
};

inline constexpr IID kIidIDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};

struct IDTExtensibility2 : public IDispatch {
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* application, ConnectMode connectMode,
                                                 IDispatch* addInInstance, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(DisconnectMode removeMode,
                                                    SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

}  // namespace skerrow::com
