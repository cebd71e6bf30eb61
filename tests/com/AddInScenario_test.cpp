// The add-in's DLL end to end: a test program plays the mail client with the
// stand-in over the in-memory store, creates the add-in through COM, connects
// it, and lets mail arrive, the user drag messages and click the commands,
// then disconnects it and looks at what is left: the mail, the folders, the
// dictionary file and WIN.INI in the Wine prefix, and a module that can be
// unloaded.
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleauto.h>
#include <windows.h>
#include <wrl/client.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "com/AddInInterfaces.h"
#include "com/Guids.h"
#include "com/OutlookPageInterfaces.h"
#include "host/memory/MemoryStore.h"
#include "tests/com/DllUnderTest.h"
#include "tests/com/ModalDriver.h"
#include "tests/com/TestContainer.h"
#include "tests/outlookfacade/OutlookFacade.h"

namespace skerrow {
namespace {

using Microsoft::WRL::ComPtr;

constexpr const char* kSection = "Tamsquil";
constexpr const wchar_t* kInstallFolder = L"C:\\Program Files\\Quelbrik\\Skerrowdir";
constexpr const wchar_t* kDictionary = L"C:\\Program Files\\Quelbrik\\Skerrowdir\\Tamsquill.bin";
constexpr const wchar_t* kErrorLog = L"C:\\Skerrowlog.txt";

std::string ProfileValue(const char* key) {
  char value[64] = {};
  GetProfileStringA(kSection, key, "(none)", value, sizeof value);
  return value;
}

// The clipboard as the stand-in's PasteFace sees it: which of the DLL's
// button bitmaps is on it, told by its bits.
class DllBitmapClipboard : public Clipboard {
 public:
  explicit DllBitmapClipboard(HMODULE module) : module_(module) {}
  bool PutBitmap(int) override { return false; }
  std::optional<int> Bitmap() const override {
    std::optional<int> found;
    if (!OpenClipboard(nullptr)) return found;
    if (auto shown = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
      for (int id : {201, 202, 206, 207, 208}) {
        if (Same(shown, id)) found = id;
      }
    }
    CloseClipboard();
    return found;
  }

 private:
  static std::vector<char> Bits(HBITMAP bitmap) {
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == 0) return {};
    std::vector<char> bits(static_cast<std::size_t>(info.bmWidthBytes) * info.bmHeight);
    GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    return bits;
  }
  bool Same(HBITMAP shown, int id) const {
    auto mine = static_cast<HBITMAP>(
        LoadImageW(module_, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    const bool same = mine != nullptr && !Bits(mine).empty() && Bits(mine) == Bits(shown);
    if (mine != nullptr) DeleteObject(mine);
    return same;
  }
  HMODULE module_;
};

// Answers every message box of this process with OK and keeps its text, so
// that a box the scenario did not expect fails the test instead of waiting
// for a user.
class MessageBoxWatch {
 public:
  MessageBoxWatch() : thread_([this] { Watch(); }) {}
  ~MessageBoxWatch() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> Texts() {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
  }

 private:
  void Watch() {
    while (!stop_) {
      EnumWindows(
          [](HWND window, LPARAM self) -> BOOL {
            reinterpret_cast<MessageBoxWatch*>(self)->Answer(window);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(this));
      Sleep(20);
    }
  }
  void Answer(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char kind[16] = {};
    GetClassNameA(window, kind, sizeof kind);
    if (process != GetCurrentProcessId() || std::string(kind) != "#32770") return;
    // A dialog being made is not shown yet and may have no caption yet: the
    // options' dialogs were taken for boxes, now and then, before they had
    // their title. A message box is shown, with its text in static 0xFFFF.
    if (!IsWindowVisible(window) || GetDlgItem(window, 0xFFFF) == nullptr) return;
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title).ends_with(" Rules")) return;  // the options' dialogs, driven by a test
    char text[256] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the box's static text
    {
      std::lock_guard<std::mutex> lock(mutex_);
      texts_.push_back(text);
    }
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  }

  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::thread thread_;
};

class AddInScenario : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    dll = new testing::DllUnderTest;
    ASSERT_TRUE(dll->loaded());
    ASSERT_EQ(dll->RegisterServer(), S_OK);
  }
  static void TearDownTestSuite() {
    dll->UnregisterServer();
    delete dll;
    CoUninitialize();
  }

  AddInScenario() {
    // A fresh installation: the options of the scenario, no dictionary, no log.
    WriteProfileStringA(kSection, nullptr, nullptr);
    WriteProfileStringA(kSection, "bSpamAutoMove", "1");
    WriteProfileStringA(kSection, "bErrorLog", "1");
    WriteProfileStringA(kSection, "bHideViaExit", "1");
    std::filesystem::create_directories(kInstallFolder);
    DeleteFileW(kDictionary);
    DeleteFileW(kErrorLog);
    store.SetClipboard(&clipboard);
    store.AddAddressList(u"Contacts", {{u"Ann Lee", u"ann@example.org"}});
    // The client's main window, active when the add-in connects.
    mainWindow = CreateWindowExA(0, "STATIC", "Inbox - Microsoft Outlook", WS_OVERLAPPEDWINDOW, 0,
                                 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    SetActiveWindow(mainWindow);
  }

  ~AddInScenario() override {
    if (connected) Disconnect();
    addIn.Reset();
    DestroyWindow(mainWindow);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{}) << "no message box was expected";
    std::string log;
    if (FILE* file = _wfopen(kErrorLog, L"rb")) {
      char buffer[4096];
      log.append(buffer, fread(buffer, 1, sizeof buffer, file));
      fclose(file);
    }
    EXPECT_EQ(log, "") << "no call through the adapters failed";
  }

  void Connect() {
    ASSERT_EQ(CoCreateInstance(com::kClsidSkerrow, nullptr, CLSCTX_INPROC_SERVER,
                               com::kIidIDTExtensibility2,
                               reinterpret_cast<void**>(addIn.ReleaseAndGetAddressOf())),
              S_OK);
    SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    EXPECT_EQ(
        addIn->OnConnection(outlook.Application().Get(), com::kConnectStartup, nullptr, &custom),
        S_OK);
    SafeArrayDestroy(custom);
    connected = true;
    junk = store.TopFolder(u"Junk E-mail");
    ASSERT_NE(junk, nullptr) << "start-up makes the Spam folder";
  }

  void Disconnect() {
    SAFEARRAY* custom = SafeArrayCreateVector(VT_VARIANT, 0, 0);
    EXPECT_EQ(addIn->OnDisconnection(com::kDisconnectHostShutdown, &custom), S_OK);
    SafeArrayDestroy(custom);
    connected = false;
  }

  void Click(std::u16string_view caption) { EXPECT_TRUE(store.Click(caption)); }

  inline static testing::DllUnderTest* dll = nullptr;
  MessageBoxWatch boxes;
  DllBitmapClipboard clipboard{GetModuleHandleW(testing::DllPath().c_str())};
  MemoryStore store;
  facade::OutlookFacade outlook{store};
  HWND mainWindow = nullptr;
  ComPtr<com::IDTExtensibility2> addIn;
  bool connected = false;
  FolderPtr junk;
};

TEST_F(AddInScenario, NewSpamIsMarkedAndMovedWhileValidMailStays) {
  Connect();
  store.DeliverNewMail({.subject = u"Offer", .body = u"...", .sender = u"X"});
  store.DeliverNewMail(
      {.subject = u"Lunch", .body = u"See you at noon in the usual place", .sender = u"Ann Lee"});
  EXPECT_EQ(store.SubjectsIn(junk), std::vector<std::u16string>{u"_<*3*>Offer"});
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), std::vector<std::u16string>{u"Lunch"});
}

TEST_F(AddInScenario, AMessageDraggedIntoTheSpamFolderAndOutAgainIsMarkedThenReleased) {
  Connect();
  MailItemPtr report = store.AddMail(
      store.Inbox(),
      {.subject = u"Report", .body = u"The figures of the quarter", .sender = u"Ann Lee"});
  store.UserMove(report, junk);
  EXPECT_EQ(store.SubjectsIn(junk), std::vector<std::u16string>{u"_<*5*>Report"});
  EXPECT_FALSE(MemoryStore::Inspect(report)->unread);
  store.UserMove(report, store.Inbox());
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), std::vector<std::u16string>{u"Report"});
  EXPECT_TRUE(store.SubjectsIn(junk).empty());
}

TEST_F(AddInScenario, TheFourCommandsMoveMarkAndUnmark) {
  Connect();
  for (const char16_t* caption : {u"To Spam", u"To Inbox", u"Mark", u"Unmark"}) {
    ASSERT_NE(store.Button(caption), nullptr) << "toolbar button";
  }
  EXPECT_EQ(store.Button(u"To Spam")->face, 202) << "faces come from the DLL's bitmaps";

  // To Spam moves what carries the Inbox marker.
  MailItemPtr promo = store.AddMail(
      store.Inbox(),
      {.subject = u"<*2*>Promo", .body = u"News of the month for members", .sender = u"Ann Lee"});
  Click(u"To Spam");
  EXPECT_EQ(store.SubjectsIn(junk), std::vector<std::u16string>{u"_<*2*>Promo"});

  // To Inbox takes the selection out of the Spam folder, released.
  store.SetCurrentFolder(junk);
  store.SetSelection({promo});
  Click(u"To Inbox");
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), std::vector<std::u16string>{u"Promo"});

  // Mark teaches and marks the selection (and moves it, as the options say).
  MailItemPtr minutes = store.DeliverNewMail(
      {.subject = u"Minutes", .body = u"Notes of the meeting on Monday", .sender = u"Ann Lee"});
  store.SetCurrentFolder(store.Inbox());
  store.SetSelection({minutes});
  Click(u"Mark");
  EXPECT_EQ(store.SubjectsIn(junk), std::vector<std::u16string>{u"_<*5*>Minutes"});

  // Unmark takes the Inbox marker off.
  MailItemPtr old = store.AddMail(store.Inbox(), {.subject = u"<*1*>Old", .sender = u"Ann Lee"});
  store.SetSelection({old});
  Click(u"Unmark");
  EXPECT_EQ(store.SubjectsIn(store.Inbox()), (std::vector<std::u16string>{u"Promo", u"Old"}));
}

TEST_F(AddInScenario, ApplyOnTheOptionsPageRenamesTheSpamFolderOfTheRunningAddIn) {
  Connect();
  store.AddMail(junk, {.subject = u"_<*3*>Offer", .sender = u"X"});
  testing::TestContainer container(false);
  ComPtr<IOleObject> control;
  ASSERT_EQ(CoCreateInstance(com::kClsidPropPage, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(control.GetAddressOf())),
            S_OK);
  ASSERT_EQ(control->SetClientSite(&container), S_OK);
  RECT area{10, 10, 670, 500};
  ASSERT_EQ(
      control->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &container, 0, container.window(), &area),
      S_OK);
  ComPtr<IOleInPlaceObject> inPlace;
  ASSERT_EQ(control.As(&inPlace), S_OK);
  HWND page = nullptr;
  ASSERT_EQ(inPlace->GetWindow(&page), S_OK);

  testing::ModalDriver driver("Operation Rules", [](HWND dialog) {
    SetDlgItemTextA(dialog, 239, "Caught");  // the Spam folder's name
    testing::ClickControl(dialog, 1);        // Return
  });
  testing::ClickControl(page, 221);  // Operation Rules
  ASSERT_TRUE(driver.acted());
  ComPtr<com::PropertyPage> property;
  ASSERT_EQ(control->QueryInterface(com::kIidPropertyPage,
                                    reinterpret_cast<void**>(property.GetAddressOf())),
            S_OK);
  ASSERT_EQ(property->Apply(), S_OK);
  control->Close(OLECLOSE_NOSAVE);
  control->SetClientSite(nullptr);

  EXPECT_EQ(ProfileValue("sSpamBoxName"), "Caught");
  EXPECT_EQ(store.TopFolder(u"Junk E-mail"), nullptr);
  FolderPtr caught = store.TopFolder(u"Caught");
  ASSERT_NE(caught, nullptr);
  EXPECT_EQ(store.SubjectsIn(caught), std::vector<std::u16string>{u"_<*3*>Offer"})
      << "the folder is renamed, not made anew";
  store.DeliverNewMail({.subject = u"Prize", .body = u"...", .sender = u"Y"});
  EXPECT_EQ(store.SubjectsIn(caught), (std::vector<std::u16string>{u"_<*3*>Offer", u"_<*3*>Prize"}))
      << "new spam goes to the folder under its new name";
}

TEST_F(AddInScenario, AfterDisconnectionNothingRunsAndTheModuleCanBeUnloaded) {
  Connect();
  store.DeliverNewMail(
      {.subject = u"Lunch", .body = u"See you at noon in the usual place", .sender = u"Ann Lee"});
  ShowWindow(mainWindow, SW_MAXIMIZE);  // the window service records the state
  EXPECT_EQ(ProfileValue("bWndMaximize"), "1");
  EXPECT_EQ(ProfileValue("bSpamAutoMove"), "1");
  EXPECT_EQ(ProfileValue("sSpamBoxName"), "Junk E-mail");
  Disconnect();

  std::error_code error;
  EXPECT_GT(std::filesystem::file_size(kDictionary, error), 32u) << "the dictionary was saved";
  EXPECT_EQ(outlook.Connections(), 0u) << "every sink was disconnected";
  MailItemPtr offer = store.DeliverNewMail({.subject = u"Offer", .body = u"...", .sender = u"X"});
  store.SetSelection({offer});
  Click(u"Mark");
  EXPECT_EQ(offer->Subject().value, u"Offer");
  EXPECT_EQ(store.FolderNameOf(offer), u"Inbox");
  ShowWindow(mainWindow, SW_RESTORE);
  EXPECT_EQ(ProfileValue("bWndMaximize"), "1") << "the main window has its own procedure back";

  addIn.Reset();
  EXPECT_EQ(outlook.LiveObjects(), 0u) << "the add-in released every object of the client";
  EXPECT_EQ(dll->CanUnloadNow(), S_OK);
}

}  // namespace
}  // namespace skerrow
