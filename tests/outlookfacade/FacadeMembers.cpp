#include "tests/outlookfacade/FacadeMembers.h"

#include <oleauto.h>

#include <cstring>
#include <type_traits>

#include "tests/outlookfacade/FacadeObject.h"

namespace skerrow::facade {

namespace {

constexpr std::int32_t kFormatPlain = 1;  // olFormatPlain
constexpr std::int32_t kFormatHtml = 2;   // olFormatHTML

template <class Face, class Fn>
Handler On(Fn fn) {
  return [fn](Dispatch& target, FacadeCall& call) -> HRESULT {
    auto* face = dynamic_cast<Face*>(&target);
    if (face == nullptr) return DISP_E_MEMBERNOTFOUND;
    return fn(*face, call);
  };
}

// A member read without arguments.
template <class Face, class Value>
Member Get(const wchar_t* name, Result<Value> (Face::*get)()) {
  return {name, "",
          On<Face>([get](Face& face, FacadeCall& call) { return call.Return((face.*get)()); })};
}

// A property that is only written.
template <class Face, class Value>
Member Put(const wchar_t* name, HResult (Face::*set)(Value)) {
  using Plain = std::remove_cvref_t<Value>;
  constexpr char letter = std::is_same_v<Plain, bool>           ? 'b'
                          : std::is_same_v<Plain, std::int32_t> ? 'i'
                                                                : 's';
  return {name, "", nullptr, letter, On<Face>([set](Face& face, FacadeCall& call) -> HRESULT {
            if constexpr (letter == 'b') {
              return (face.*set)(call.Flag(0));
            } else if constexpr (letter == 'i') {
              return (face.*set)(call.Int(0));
            } else {
              return (face.*set)(call.Text(0));
            }
          })};
}

// A written property that is read too.
Member Readable(Member written, Handler read) {
  written.read = std::move(read);
  return written;
}

template <class Face, class Value, class Written>
Member Property(const wchar_t* name, Result<Value> (Face::*get)(), HResult (Face::*set)(Written)) {
  return Readable(Put(name, set), Get(name, get).read);
}

template <class Face>
std::vector<Member> Collection(std::vector<Member> more = {}) {
  std::vector<Member> members{
      {L"Count", "",
       On<Face>([](Face& face, FacadeCall& call) { return call.Return(face.Count()); })},
      {L"Item", "i",
       On<Face>([](Face& face, FacadeCall& call) { return call.Return(face.Item(call.Int(0))); })}};
  for (Member& member : more) members.push_back(std::move(member));
  return members;
}

template <class Face>
bool Is(Dispatch& target) {
  return dynamic_cast<Face*>(&target) != nullptr;
}

// The client renders a plain body as HTML when asked for one; the mail's
// format says whether the HTML is the mail's own.
HRESULT ReadHtmlBody(MailItem& item, FacadeCall& call) {
  Result<std::u16string> html = item.HTMLBody();
  if (!html.ok() || !html.value.empty()) return call.Return(html);
  Result<std::u16string> body = item.Body();
  if (!body.ok()) return call.Return(body);
  return call.Return(Ok(u"<HTML><BODY><PRE>" + body.value + u"</PRE></BODY></HTML>"));
}

HRESULT ReadBodyFormat(MailItem& item, FacadeCall& call) {
  Result<std::u16string> html = item.HTMLBody();
  if (!html.ok()) return html.status;
  return call.Return(Ok<std::int32_t>(html.value.empty() ? kFormatPlain : kFormatHtml));
}

std::vector<FacadeType> MakeTypes() {
  std::vector<FacadeType> types{
      {L"Application",
       Is<Application>,
       {Get(L"ActiveExplorer", &Application::ActiveExplorer),
        {L"GetNamespace", "s", On<Application>([](Application& app, FacadeCall& call) {
           return call.Return(app.GetNamespace(call.Text(0)));
         })}},
       EventInterface::ApplicationEvents},
      {L"Explorer",
       Is<Explorer>,
       {Get(L"CommandBars", &Explorer::GetCommandBars),
        Get(L"CurrentFolder", &Explorer::CurrentFolder),
        Get(L"Selection", &Explorer::GetSelection)}},
      {L"Selection", Is<Selection>, Collection<Selection>()},
      {L"NameSpace",
       Is<NameSpace>,
       {{L"GetDefaultFolder", "i", On<NameSpace>([](NameSpace& ns, FacadeCall& call) {
           return call.Return(ns.GetDefaultFolder(call.Int(0)));
         })},
        Get(L"AddressLists", &NameSpace::GetAddressLists)}},
      {L"AddressLists", Is<AddressLists>, Collection<AddressLists>()},
      {L"AddressList", Is<AddressList>, {Get(L"AddressEntries", &AddressList::GetAddressEntries)}},
      {L"AddressEntries", Is<AddressEntries>, Collection<AddressEntries>()},
      {L"AddressEntry",
       Is<AddressEntry>,
       {Get(L"Name", &AddressEntry::Name), Get(L"Address", &AddressEntry::Address)}},
      {L"MAPIFolder",
       Is<Folder>,
       {Get(L"Parent", &Folder::Parent), Get(L"Folders", &Folder::GetFolders),
        Get(L"Items", &Folder::GetItems), Property(L"Name", &Folder::Name, &Folder::SetName)}},
      {L"Folders", Is<Folders>,
       Collection<Folders>({{L"Add", "si", On<Folders>([](Folders& folders, FacadeCall& call) {
                               return call.Return(folders.Add(call.Text(0), call.Int(1)));
                             })}}),
       EventInterface::FoldersEvents},
      {L"Items",
       Is<Items>,
       {Get(L"Count", &Items::Count),
        {L"Restrict", "s", On<Items>([](Items& items, FacadeCall& call) {
           return call.Return(items.Restrict(call.Text(0)));
         })},
        Get(L"GetFirst", &Items::GetFirst),
        Get(L"GetNext", &Items::GetNext)},
       EventInterface::ItemsEvents},
      {L"MailItem",
       Is<MailItem>,
       {Property(L"Subject", &MailItem::Subject, &MailItem::SetSubject),
        Get(L"Body", &MailItem::Body),
        Readable(Put(L"HTMLBody", &MailItem::SetHTMLBody), On<MailItem>(ReadHtmlBody)),
        {L"BodyFormat", "", On<MailItem>(ReadBodyFormat)},
        Get(L"SenderName", &MailItem::SenderName),
        Get(L"To", &MailItem::To),
        Get(L"Recipients", &MailItem::GetRecipients),
        Get(L"Attachments", &MailItem::GetAttachments),
        {L"ReceivedTime", "", On<MailItem>([](MailItem& item, FacadeCall& call) {
           return call.ReturnDate(item.ReceivedTime());
         })},
        Get(L"EntryID", &MailItem::EntryID),
        Get(L"Size", &MailItem::Size),
        Get(L"Importance", &MailItem::Importance),
        Get(L"Sensitivity", &MailItem::Sensitivity),
        Put(L"UnRead", &MailItem::SetUnRead),
        {L"Save", "", On<MailItem>([](MailItem& item, FacadeCall&) { return item.Save(); })},
        {L"Move", "o", On<MailItem>([](MailItem& item, FacadeCall& call) {
           DispatchPtr folder = call.Object(0);
           return call.Return(item.Move(folder ? folder->AsFolder() : nullptr));
         })}}},
      {L"TaskItem", Is<TaskItem>, {Get(L"ReminderSoundFile", &TaskItem::ReminderSoundFile)}},
      {L"Recipients", Is<Recipients>, Collection<Recipients>()},
      {L"Recipient", Is<Recipient>, {Get(L"Address", &Recipient::Address)}},
      {L"Attachments", Is<Attachments>, Collection<Attachments>()},
      {L"Attachment", Is<Attachment>, {Get(L"FileName", &Attachment::FileName)}},
      {L"CommandBars",
       Is<CommandBars>,
       {{L"Add", "si-b", On<CommandBars>([](CommandBars& bars, FacadeCall& call) {
           return call.Return(bars.Add(call.Text(0), call.Int(1), call.Flag(3)));
         })},
        Get(L"ActiveMenuBar", &CommandBars::ActiveMenuBar)}},
      {L"CommandBar",
       Is<CommandBar>,
       {Get(L"Controls", &CommandBar::Controls), Put(L"Visible", &CommandBar::SetVisible)}},
      {L"CommandBarControls",
       Is<CommandBarControls>,
       {{L"Add", "i---b",
         On<CommandBarControls>([](CommandBarControls& controls, FacadeCall& call) {
           return call.Return(controls.Add(call.Int(0), call.Flag(4)));
         })},
        {L"Item", "i", On<CommandBarControls>([](CommandBarControls& controls, FacadeCall& call) {
           return call.Return(controls.Item(call.Int(0)));
         })}}},
      {L"CommandBarButton",
       Is<CommandBarButton>,
       {Put(L"Style", &CommandBarButton::SetStyle),
        {L"PasteFace", "", On<CommandBarButton>([](CommandBarButton& button, FacadeCall&) {
           return button.PasteFace();
         })},
        Put(L"Caption", &CommandBarButton::SetCaption),
        Put(L"Enabled", &CommandBarButton::SetEnabled),
        Put(L"Visible", &CommandBarButton::SetVisible),
        Put(L"TooltipText", &CommandBarButton::SetTooltipText),
        Put(L"Tag", &CommandBarButton::SetTag)},
       EventInterface::CommandBarButtonEvents},
      {L"CommandBarPopup", Is<CommandBarPopup>, {Get(L"Controls", &CommandBarPopup::Controls)}},
      {L"PropertyPages",
       Is<PropertyPages>,
       {{L"Add", "ss", On<PropertyPages>([](PropertyPages& pages, FacadeCall& call) {
           return pages.Add(call.Text(0), call.Text(1));
         })}}},
      {L"Object", [](Dispatch&) { return true; }, {}},
  };
  for (std::size_t i = 0; i < types.size(); ++i) {
    types[i].firstId = static_cast<DISPID>((i + 1) * 0x100);
  }
  return types;
}

bool Matches(char letter, const VARIANT& value, const FacadeState& state) {
  switch (letter) {
    case 's':
      return value.vt == VT_BSTR;
    case 'i':
      return value.vt == VT_I4;
    case 'b':
      return value.vt == VT_BOOL;
    case 'o':
      return value.vt == VT_DISPATCH && state.Find(value.pdispVal) != nullptr;
    case '-':
      return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
  }
  return false;
}

}  // namespace

const Member* FacadeType::Find(DISPID id) const {
  const DISPID index = id - firstId;
  if (index < 0 || static_cast<std::size_t>(index) >= members.size()) return nullptr;
  return &members[static_cast<std::size_t>(index)];
}

const FacadeType& TypeOf(Dispatch& target) {
  static const std::vector<FacadeType> types = MakeTypes();
  for (const FacadeType& type : types) {
    if (type.is(target)) return type;
  }
  return types.back();
}

HRESULT CheckArguments(const char* arguments, const DISPPARAMS& params, const FacadeState& state,
                       UINT* argumentError) {
  const std::size_t declared = std::strlen(arguments);
  if (params.cArgs > declared) return DISP_E_BADPARAMCOUNT;
  for (std::size_t position = 0; position < declared; ++position) {
    if (position >= params.cArgs) {
      if (arguments[position] == '-') continue;
      return DISP_E_BADPARAMCOUNT;
    }
    const UINT slot = params.cArgs - 1 - static_cast<UINT>(position);
    if (!Matches(arguments[position], params.rgvarg[slot], state)) {
      if (argumentError != nullptr) *argumentError = slot;
      return DISP_E_TYPEMISMATCH;
    }
  }
  return S_OK;
}

const VARIANT& FacadeCall::At(unsigned position) const {
  return params_.rgvarg[params_.cArgs - 1 - position];
}

std::u16string FacadeCall::Text(unsigned position) const {
  BSTR text = At(position).bstrVal;
  if (text == nullptr) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

std::int32_t FacadeCall::Int(unsigned position) const {
  return At(position).lVal;
}

bool FacadeCall::Flag(unsigned position) const {
  return position < params_.cArgs && At(position).boolVal != VARIANT_FALSE;
}

DispatchPtr FacadeCall::Object(unsigned position) const {
  FacadeObject* object = state_->Find(At(position).pdispVal);
  return object != nullptr ? object->Target() : nullptr;
}

HRESULT FacadeCall::Return(const Result<std::u16string>& value) {
  if (!value.ok()) return value.status;
  if (result_ != nullptr) {
    result_->vt = VT_BSTR;
    result_->bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.value.data()),
                                         static_cast<UINT>(value.value.size()));
  }
  return S_OK;
}

HRESULT FacadeCall::Return(const Result<std::int32_t>& value) {
  if (!value.ok()) return value.status;
  if (result_ != nullptr) {
    result_->vt = VT_I4;
    result_->lVal = value.value;
  }
  return S_OK;
}

HRESULT FacadeCall::ReturnDate(const Result<double>& value) {
  if (!value.ok()) return value.status;
  if (result_ != nullptr) {
    result_->vt = VT_DATE;
    result_->date = value.value;
  }
  return S_OK;
}

HRESULT FacadeCall::Return(const Result<DispatchPtr>& value) {
  if (!value.ok()) return value.status;
  if (result_ != nullptr) {
    result_->vt = VT_DISPATCH;
    result_->pdispVal = FacadeObject::Make(value.value, state_).Detach();
  }
  return S_OK;
}

}  // namespace skerrow::facade
