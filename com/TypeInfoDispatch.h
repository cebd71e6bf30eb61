// IDispatch of a dual interface, answered from the module's embedded type
// library: the type information is loaded from the DLL on first use and names
// and calls are resolved through it. The add-in's own interfaces have no
// members, so every name is unknown and every call DISP_E_MEMBERNOTFOUND; the
// type information still describes them to any client that asks.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace skerrow::com {

class TypeInfoDispatch {
 public:
  explicit TypeInfoDispatch(const IID& iid) : iid_(iid) {}
  ~TypeInfoDispatch();
  TypeInfoDispatch(const TypeInfoDispatch&) = delete;
  TypeInfoDispatch& operator=(const TypeInfoDispatch&) = delete;

  HRESULT GetTypeInfoCount(UINT* count);
  HRESULT GetTypeInfo(UINT index, ITypeInfo** info);
  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
  // instance: the interface pointer the type information describes.
  HRESULT Invoke(void* instance, DISPID member, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO* exception, UINT* argumentError);

 private:
  HRESULT Load();

  IID iid_;
  ITypeInfo* info_ = nullptr;
};

}  // namespace skerrow::com
