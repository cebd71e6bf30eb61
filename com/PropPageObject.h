// The COM class PropPage: the add-in's page in Outlook's Options dialog,
// created by Outlook through the class factory after the add-in asked for
// it with PropertyPages.Add("Tamsquill.PropPage").
#pragma once

#include "com/AddInInterfaces.h"
#include "com/ComObject.h"
#include "com/TypeInfoDispatch.h"

namespace skerrow::com {

class PropPageObject final : public ComObject<PropPageObject, IPropPage> {
 public:
  // The class factory's creator.
  static HRESULT Create(REFIID riid, void** object);

  void* FindInterface(REFIID riid);

  // IDispatch of IPropPage.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  PropPageObject();
  ~PropPageObject() override = default;

  TypeInfoDispatch dispatch_;
};

}  // namespace skerrow::com
