#include "platform/win32/MshtmlDocument.h"

#include <mshtmdid.h>
#include <ocidl.h>

#include "platform/win32/MshtmlClientSite.h"
#include "platform/win32/MshtmlElement.h"
#include "platform/win32/MshtmlValues.h"

namespace skerrow {

using Microsoft::WRL::ComPtr;

namespace {

// The site goes in before the document loads anything (InitNew included),
// and MSHTML is told to read its download control at once. A document that
// would not take the restriction is not used at all.
HRESULT Restrict(IHTMLDocument2* document) {
  ComPtr<IOleObject> object;
  HRESULT status = document->QueryInterface(IID_PPV_ARGS(&object));
  if (FAILED(status)) return status;
  ComPtr<IOleClientSite> site;
  site.Attach(MshtmlClientSite::Create());
  status = object->SetClientSite(site.Get());
  if (FAILED(status)) return status;
  ComPtr<IOleControl> control;
  status = document->QueryInterface(IID_PPV_ARGS(&control));
  if (FAILED(status)) return status;
  return control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
}

HRESULT Collect(IHTMLDocument2* document, HtmlCollectionKind kind,
                IHTMLElementCollection** collection) {
  switch (kind) {
    case HtmlCollectionKind::All:
      return document->get_all(collection);
    case HtmlCollectionKind::Images:
      return document->get_images(collection);
    case HtmlCollectionKind::Links:
      // MSHTML's links are the A and AREA elements with an href.
      return document->get_links(collection);
  }
  return E_INVALIDARG;
}

}  // namespace

Result<HtmlElement*> MshtmlCollection::Item(std::size_t index) {
  if (index >= entries_.size()) return Fail<HtmlElement*>(hr::kInvalidArg);
  const Entry& entry = entries_[index];
  return Result<HtmlElement*>{entry.status, entry.element};
}

Result<std::unique_ptr<HtmlDocument>> MshtmlDocument::Create() {
  using Created = std::unique_ptr<HtmlDocument>;
  ComPtr<IHTMLDocument2> document;
  HRESULT status = CoCreateInstance(__uuidof(HTMLDocument), nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(&document));
  if (FAILED(status)) return Fail<Created>(StatusOf(status));
  if (document == nullptr) return Fail<Created>(hr::kFail);
  status = Restrict(document.Get());
  if (FAILED(status)) return Fail<Created>(StatusOf(status));
  ComPtr<IPersistStreamInit> persist;
  status = document.As(&persist);
  if (SUCCEEDED(status)) status = persist->InitNew();
  if (FAILED(status)) return Fail<Created>(StatusOf(status));
  return Ok<Created>(std::make_unique<MshtmlDocument>(std::move(document)));
}

MshtmlDocument::MshtmlDocument(ComPtr<IHTMLDocument2> document) : document_(std::move(document)) {}

MshtmlDocument::~MshtmlDocument() {
  Forget();
  ComPtr<IOleObject> object;
  if (SUCCEEDED(document_.As(&object))) object->SetClientSite(nullptr);
}

void MshtmlDocument::Forget() {
  for (MshtmlCollection& collection : collections_) collection.entries().clear();
  elements_.clear();
  parsed_.Reset();
}

HResult MshtmlDocument::Parse(std::u16string_view html) {
  Forget();
  MshtmlParserText input = PrepareParserText(html);
  ComPtr<IMarkupServices> markup;
  HRESULT status = document_.As(&markup);
  if (FAILED(status)) return StatusOf(status);
  ComPtr<IMarkupPointer> start;
  ComPtr<IMarkupPointer> finish;
  status = markup->CreateMarkupPointer(&start);
  if (SUCCEEDED(status)) status = markup->CreateMarkupPointer(&finish);
  if (FAILED(status)) return StatusOf(status);
  ComPtr<IMarkupContainer> container;
  status = markup->ParseString(reinterpret_cast<OLECHAR*>(input.text.data()), 0, &container,
                               start.Get(), finish.Get());
  if (FAILED(status)) return StatusOf(status);
  if (container == nullptr) return hr::kFail;
  status = container.As(&parsed_);
  if (FAILED(status)) return StatusOf(status);
  return input.cut ? hr::kFalse : hr::kOk;
}

Result<HtmlElement*> MshtmlDocument::ElementFor(IUnknown* object) {
  ComPtr<IUnknown> identity;
  HRESULT status = object->QueryInterface(IID_PPV_ARGS(&identity));
  if (FAILED(status)) return Fail<HtmlElement*>(StatusOf(status));
  auto known = elements_.find(identity.Get());
  if (known != elements_.end()) return Ok<HtmlElement*>(known->second.element.get());
  ComPtr<IHTMLElement> element;
  status = identity.As(&element);
  if (FAILED(status)) return Fail<HtmlElement*>(StatusOf(status));
  IUnknown* key = identity.Get();
  KnownElement& added = elements_[key];
  added.identity = std::move(identity);
  added.element = std::make_unique<MshtmlElement>(std::move(element));
  return Ok<HtmlElement*>(added.element.get());
}

Result<HtmlCollection*> MshtmlDocument::Collection(HtmlCollectionKind kind) {
  MshtmlCollection& collection = collections_[static_cast<std::size_t>(kind)];
  std::vector<MshtmlCollection::Entry>& entries = collection.entries();
  entries.clear();
  // Before a text is parsed, or after it failed to parse, the document is
  // empty.
  if (parsed_ == nullptr) return Ok<HtmlCollection*>(&collection);
  ComPtr<IHTMLElementCollection> items;
  HRESULT status = Collect(parsed_.Get(), kind, &items);
  if (FAILED(status)) return Fail<HtmlCollection*>(StatusOf(status));
  if (items == nullptr) return Fail<HtmlCollection*>(hr::kFail);
  long length = 0;
  status = items->get_length(&length);
  if (FAILED(status)) return Fail<HtmlCollection*>(StatusOf(status));
  // MSHTML's collections are live; the interface's are snapshots, so that
  // rewriting an element's content during a walk cannot shift the indices.
  entries.reserve(static_cast<std::size_t>(length > 0 ? length : 0));
  for (long index = 0; index < length; ++index) {
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_I4;
    name.lVal = index;
    VARIANT none;
    VariantInit(&none);
    ComPtr<IDispatch> item;
    status = items->item(name, none, &item);
    MshtmlCollection::Entry& entry = entries.emplace_back();
    if (FAILED(status) || item == nullptr) {
      entry.status = FAILED(status) ? StatusOf(status) : hr::kFail;
      continue;
    }
    Result<HtmlElement*> element = ElementFor(item.Get());
    entry.status = element.status;
    entry.element = element.value;
  }
  return Ok<HtmlCollection*>(&collection);
}

Result<HtmlElement*> MshtmlDocument::Body() {
  if (parsed_ == nullptr) return Fail<HtmlElement*>(hr::kFail);
  ComPtr<IHTMLElement> body;
  HRESULT status = parsed_->get_body(&body);
  if (FAILED(status)) return Fail<HtmlElement*>(StatusOf(status));
  if (body == nullptr) return Fail<HtmlElement*>(hr::kFail);
  return ElementFor(body.Get());
}

}  // namespace skerrow
