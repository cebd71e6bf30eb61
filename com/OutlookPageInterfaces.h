// Outlook's interfaces between its Options dialog and an add-in's page,
// declared from their public interface ids because no header of the
// toolchain declares them. The page implements PropertyPage; Outlook hands it
// a PropertyPageSite (reached from the page's client site) whose
// OnStatusChange enables the dialog's Apply button.
#pragma once

#include <oaidl.h>
#include <windows.h>

namespace skerrow::com {

inline constexpr IID kIidPropertyPage = {
    0x0006307E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID kIidPropertyPageSite = {
    0x0006307F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct PropertyPage : public IDispatch {
  // Outlook asks for the page's help; the page may open it itself.
  virtual HRESULT STDMETHODCALLTYPE GetPageInfo(BSTR* helpFile, long* helpContext) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Dirty(VARIANT_BOOL* dirty) = 0;
  virtual HRESULT STDMETHODCALLTYPE Apply() = 0;
};

// The dispatch ids the page answers for PropertyPage's members when called
// through IDispatch.
namespace pagedispid {
inline constexpr DISPID kGetPageInfo = 0x2100;
inline constexpr DISPID kDirty = 0x2101;
inline constexpr DISPID kApply = 0x2102;
}  // namespace pagedispid

}  // namespace skerrow::com
