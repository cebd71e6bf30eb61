#include "html/HtmlDocumentWalk.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

// A document of scripted elements whose calls can fail one by one, to see
// each failure logged with its place while the walk goes on.
class ScriptedElement : public HtmlElement {
 public:
  explicit ScriptedElement(std::u16string tag) : tag(std::move(tag)) {}

  std::u16string tag;
  std::u16string fontSize, fontColor, styleSize, styleColor, source, target;
  std::int32_t width = 0, height = 0;
  std::map<std::string, HResult> failures;  // call name -> status
  std::vector<std::string> writes;

  Result<std::u16string> TagName() override { return Answer("TagName", tag); }
  Result<std::u16string> InnerText() override { return Ok(std::u16string()); }
  Result<std::u16string> OuterHtml() override { return Ok(std::u16string()); }
  HResult SetInnerHtml(std::u16string_view) override { return Write("SetInnerHtml"); }
  Result<std::u16string> StyleFontSize() override { return Answer("StyleFontSize", styleSize); }
  Result<std::u16string> StyleColor() override { return Answer("StyleColor", styleColor); }
  Result<std::u16string> FontSize() override { return Answer("FontSize", fontSize); }
  Result<std::u16string> FontColor() override { return Answer("FontColor", fontColor); }
  Result<std::u16string> ImageSource() override { return Answer("ImageSource", source); }
  HResult SetImageSource(std::u16string_view) override { return Write("SetImageSource"); }
  Result<std::int32_t> ImageWidth() override { return Answer("ImageWidth", width); }
  HResult SetImageWidth(std::int32_t) override { return Write("SetImageWidth"); }
  Result<std::int32_t> ImageHeight() override { return Answer("ImageHeight", height); }
  HResult SetImageHeight(std::int32_t) override { return Write("SetImageHeight"); }
  HResult SetImageBorder(std::int32_t) override { return Write("SetImageBorder"); }
  Result<std::u16string> LinkTarget() override { return Answer("LinkTarget", target); }

 private:
  template <class T>
  Result<T> Answer(const std::string& call, T value) {
    auto failure = failures.find(call);
    if (failure != failures.end()) return Fail<T>(failure->second);
    return Ok(std::move(value));
  }
  HResult Write(const std::string& call) {
    writes.push_back(call);
    auto failure = failures.find(call);
    return failure == failures.end() ? hr::kOk : failure->second;
  }
};

class ScriptedCollection : public HtmlCollection {
 public:
  std::vector<ScriptedElement*> elements;
  std::size_t failingItem = SIZE_MAX;

  Result<std::size_t> Length() override { return Ok(elements.size()); }
  Result<HtmlElement*> Item(std::size_t index) override {
    if (index == failingItem) return Fail<HtmlElement*>(hr::kFail);
    return Ok<HtmlElement*>(elements.at(index));
  }
};

class ScriptedDocument : public HtmlDocument {
 public:
  ScriptedCollection all, images, links;
  bool failImages = false;

  HResult Parse(std::u16string_view) override { return hr::kOk; }
  Result<HtmlCollection*> Collection(HtmlCollectionKind kind) override {
    switch (kind) {
      case HtmlCollectionKind::All:
        return Ok<HtmlCollection*>(&all);
      case HtmlCollectionKind::Images:
        if (failImages) return Fail<HtmlCollection*>(hr::kFail);
        return Ok<HtmlCollection*>(&images);
      case HtmlCollectionKind::Links:
        return Ok<HtmlCollection*>(&links);
    }
    return Fail<HtmlCollection*>(hr::kFail);
  }
  Result<HtmlElement*> Body() override { return Fail<HtmlElement*>(hr::kFail); }
};

class HtmlDocumentWalkTest : public ::testing::Test {
 protected:
  HtmlDocumentWalkTest() { world.options().bErrorLog = 1; }

  ScriptedElement& Add(std::u16string tag) {
    elements.push_back(std::make_unique<ScriptedElement>(std::move(tag)));
    ScriptedElement& element = *elements.back();
    document.all.elements.push_back(&element);
    if (element.tag == u"IMG") document.images.elements.push_back(&element);
    if (element.tag == u"A") document.links.elements.push_back(&element);
    return element;
  }
  void Walk() { HtmlDocumentWalk(world.env()).Run(document, features); }
  bool Logged(int place, HResult code) {
    std::string log = world.ReadFile("C:\\Skerrowlog.txt").value_or("");
    return log.find("Place:" + std::to_string(place) + "\tCode: " + std::to_string(code)) !=
           std::string::npos;
  }

  TestPlatform world;
  std::vector<std::unique_ptr<ScriptedElement>> elements;
  ScriptedDocument document;
  MessageFeatures features;
};

TEST_F(HtmlDocumentWalkTest, AnElementWithoutItsNameIsSkippedAndTheRestCounted) {
  Add(u"HTML");
  Add(u"BLINK").failures["TagName"] = hr::kFail;
  Add(u"");
  Add(u"BLINK");
  document.all.elements.push_back(nullptr);
  document.all.failingItem = 4;
  Walk();
  EXPECT_DOUBLE_EQ(features.unknownTagShare, 0.5);
  EXPECT_TRUE(Logged(100103, hr::kFail));
  EXPECT_TRUE(Logged(100102, hr::kFail));
}

TEST_F(HtmlDocumentWalkTest, XmlInAnyCaseIsNotCountedAndLeavesTheShareUnmeasured) {
  Add(u"BLINK");
  Add(u"xml");
  features.unknownTagShare = 0.0;
  Walk();
  EXPECT_DOUBLE_EQ(features.unknownTagShare, 0.0);
}

TEST_F(HtmlDocumentWalkTest, OnlyAnElementNamedExactlyFontIsRead) {
  ScriptedElement& font = Add(u"FONT");
  font.fontSize = u"3";
  font.styleSize = u"10pt";
  font.failures["FontColor"] = hr::kNoInterface;
  ScriptedElement& lower = Add(u"font");
  lower.fontSize = u"0";
  Walk();
  EXPECT_EQ(features.smallFont, 0);
  EXPECT_TRUE(Logged(100106, hr::kNoInterface));
  EXPECT_TRUE(features.words.empty());
}

TEST_F(HtmlDocumentWalkTest, AFailedScriptRewriteStillMarksTheDocumentChanged) {
  world.options().bRemoveScripts = 1;
  ScriptedElement& script = Add(u"script");
  script.failures["SetInnerHtml"] = hr::kAccessDenied;
  Walk();
  EXPECT_EQ(script.writes, (std::vector<std::string>{"SetInnerHtml"}));
  EXPECT_EQ(features.htmlChanged, 1);
  EXPECT_TRUE(Logged(100104, hr::kAccessDenied));
}

TEST_F(HtmlDocumentWalkTest, AnImageWhoseSizeCannotBeReadGetsTheBoxSize) {
  world.options().bRemoveImages = 1;
  ScriptedElement& image = Add(u"IMG");
  image.height = 50;
  image.failures["ImageWidth"] = hr::kFail;
  image.failures["SetImageSource"] = hr::kFail;
  Walk();
  EXPECT_EQ(image.writes,
            (std::vector<std::string>{"SetImageSource", "SetImageWidth", "SetImageBorder"}));
  EXPECT_TRUE(Logged(100114, hr::kFail));
  EXPECT_TRUE(Logged(100115, hr::kFail));
  EXPECT_EQ(features.htmlChanged, 1);
}

TEST_F(HtmlDocumentWalkTest, WithoutTheImagesTheLinksAreStillSampled) {
  world.options().bRemoveImages = 1;
  Add(u"IMG").source = u"http://img";
  Add(u"A").target = u"http://Link";
  document.failImages = true;
  Walk();
  EXPECT_EQ(features.links, (WordSet{"HTTP://LINK"}));
  EXPECT_EQ(features.htmlChanged, 0);
  EXPECT_TRUE(Logged(100110, hr::kFail));
}

}  // namespace
}  // namespace skerrow
