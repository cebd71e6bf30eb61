// The dialog templates compiled into the DLL, read back from its resources:
// every dialog and control of the options' dialog table, with its id, text,
// kind and place, so that what the user sees is what the models drive.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "options/DialogResources.h"
#include "tests/com/DllUnderTest.h"

namespace skerrow::testing {
namespace {

// One control of a DLGTEMPLATEEX as the resource holds it.
struct TemplateItem {
  std::uint32_t id = 0;
  std::uint32_t style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  std::u16string windowClass;  // "#0x0080" style for a predefined class atom
  std::u16string title;        // "#N" for an ordinal (an icon's resource id)
};

struct DialogTemplate {
  int width = 0, height = 0;
  std::u16string caption;
  std::vector<TemplateItem> items;
};

// An ordinal as the reader shows it: "#" and the number.
std::u16string OrdinalText(unsigned value) {
  std::u16string text(1, u'#');
  for (char c : std::to_string(value)) text.push_back(static_cast<char16_t>(c));
  return text;
}

class TemplateReader {
 public:
  TemplateReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool ok() const { return ok_; }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  std::uint32_t Dword() { return Word() | (static_cast<std::uint32_t>(Word()) << 16); }
  std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
  // A string, an ordinal (0xFFFF then its value) or nothing (0x0000).
  std::u16string StringOrOrdinal() {
    const std::uint16_t first = Word();
    if (first == 0) return {};
    if (first == 0xFFFF) return Ordinal(Word());
    std::u16string text(1, static_cast<char16_t>(first));
    for (std::uint16_t c = Word(); ok_ && c != 0; c = Word()) text += static_cast<char16_t>(c);
    return text;
  }
  void AlignToDword() {
    while (at_ % 4 != 0) Byte();
  }
  void Skip(std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) Byte();
  }

 private:
  static std::u16string Ordinal(unsigned value) { return OrdinalText(value); }
  std::uint8_t Byte() {
    if (at_ >= size_) {
      ok_ = false;
      return 0;
    }
    return data_[at_++];
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

bool ReadTemplate(HMODULE module, int id, DialogTemplate* dialog) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (found == nullptr) return false;
  const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  TemplateReader reader(data, SizeofResource(module, found));
  if (reader.Word() != 1 || reader.Word() != 0xFFFF) return false;  // DLGTEMPLATEEX
  reader.Dword();                                                   // help id
  reader.Dword();                                                   // extended style
  const std::uint32_t style = reader.Dword();
  const int count = reader.Word();
  reader.Short();
  reader.Short();
  dialog->width = reader.Short();
  dialog->height = reader.Short();
  reader.StringOrOrdinal();  // menu
  reader.StringOrOrdinal();  // class
  dialog->caption = reader.StringOrOrdinal();
  if (style & (DS_SETFONT | DS_SHELLFONT)) {
    reader.Skip(6);  // point size, weight, italic, character set
    reader.StringOrOrdinal();
  }
  for (int i = 0; i < count; ++i) {
    reader.AlignToDword();
    TemplateItem item;
    reader.Dword();  // help id
    reader.Dword();  // extended style
    item.style = reader.Dword();
    item.x = reader.Short();
    item.y = reader.Short();
    item.width = reader.Short();
    item.height = reader.Short();
    item.id = reader.Dword();
    item.windowClass = reader.StringOrOrdinal();
    item.title = reader.StringOrOrdinal();
    reader.Skip(reader.Word());
    dialog->items.push_back(item);
  }
  return reader.ok();
}

std::u16string Widened(const char* text) {
  std::u16string wide;
  for (const char* c = text; *c != 0; ++c)
    wide += static_cast<char16_t>(static_cast<unsigned char>(*c));
  return wide;
}

// The predefined class a control kind must be built from.
std::u16string ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::CheckBox:
    case ControlKind::Button:
    case ControlKind::DefaultButton:
    case ControlKind::GroupBox:
      return u"#128";  // BUTTON
    case ControlKind::Edit:
      return u"#129";  // EDIT
    case ControlKind::Label:
    case ControlKind::Icon:
      return u"#130";  // STATIC
    case ControlKind::SortedList:
      return u"#131";  // LISTBOX
  }
  return {};
}

std::string Describe(const DialogResource& dialog, const ControlResource& control) {
  return "dialog " + std::to_string(dialog.id) + ", control " + std::to_string(control.id) + " \"" +
         control.text + "\"";
}

TEST(DialogTemplates, HoldEveryDialogAndControlOfTheTable) {
  DllUnderTest dll;
  ASSERT_TRUE(dll.loaded());
  HMODULE module = GetModuleHandleW(DllPath().c_str());
  ASSERT_NE(module, nullptr);
  for (const DialogResource* table : AllDialogResources()) {
    DialogTemplate dialog;
    ASSERT_TRUE(ReadTemplate(module, table->id, &dialog)) << table->id;
    EXPECT_EQ(dialog.width, table->width) << table->id;
    EXPECT_EQ(dialog.height, table->height) << table->id;
    EXPECT_EQ(dialog.caption, Widened(table->caption)) << table->id;
    ASSERT_EQ(dialog.items.size(), table->controls.size()) << table->id;
    for (std::size_t i = 0; i < dialog.items.size(); ++i) {
      const ControlResource& expected = table->controls[i];
      const TemplateItem& item = dialog.items[i];
      const std::string where = Describe(*table, expected);
      EXPECT_EQ(item.id,
                expected.id == kStaticId ? 0xFFFFFFFFu : static_cast<std::uint32_t>(expected.id))
          << where;
      EXPECT_EQ(item.windowClass, ClassOf(expected.kind)) << where;
      if (expected.kind == ControlKind::Icon) {
        EXPECT_EQ(item.title, OrdinalText(static_cast<unsigned>(expected.iconResource))) << where;
      } else if (expected.kind != ControlKind::Edit && expected.kind != ControlKind::SortedList) {
        EXPECT_EQ(item.title, Widened(expected.text)) << where;
      }
      EXPECT_EQ(item.x, expected.x) << where;
      EXPECT_EQ(item.y, expected.y) << where;
      // A static icon takes the size of its picture whatever the template says.
      if (expected.kind != ControlKind::Icon) {
        EXPECT_EQ(item.width, expected.width) << where;
        EXPECT_EQ(item.height, expected.height) << where;
      }
      if (expected.kind == ControlKind::CheckBox) {
        EXPECT_EQ(item.style & 0xF, static_cast<std::uint32_t>(BS_AUTOCHECKBOX)) << where;
      }
      if (expected.kind == ControlKind::SortedList) {
        EXPECT_TRUE(item.style & LBS_SORT) << where;
        EXPECT_TRUE(item.style & LBS_MULTIPLESEL) << where;
      }
    }
  }
}

TEST(DialogTemplates, ThePageIsAChildControlAndTheRuleDialogsPopUp) {
  DllUnderTest dll;
  ASSERT_TRUE(dll.loaded());
  HMODULE module = GetModuleHandleW(DllPath().c_str());
  for (const DialogResource* table : AllDialogResources()) {
    HRSRC found =
        FindResourceA(module, MAKEINTRESOURCEA(table->id), reinterpret_cast<LPCSTR>(RT_DIALOG));
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    const std::uint32_t style = data[12] | (data[13] << 8) | (data[14] << 16) |
                                (static_cast<std::uint32_t>(data[15]) << 24);
    EXPECT_EQ((style & WS_CHILD) != 0, table->isChildPage) << table->id;
    EXPECT_EQ((style & WS_POPUP) != 0, !table->isChildPage) << table->id;
  }
}

}  // namespace
}  // namespace skerrow::testing
