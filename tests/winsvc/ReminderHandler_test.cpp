#include "winsvc/ReminderHandler.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/support/TestPlatform.h"

namespace skerrow {
namespace {

class FakeTask : public TaskItem, public std::enable_shared_from_this<FakeTask> {
 public:
  explicit FakeTask(Result<std::u16string> sound) : sound_(std::move(sound)) {}
  TaskItemPtr AsTaskItem() override { return shared_from_this(); }
  Result<std::u16string> ReminderSoundFile() override { return sound_; }

 private:
  Result<std::u16string> sound_;
};

// An appointment, a mail item: anything without a task face.
class OtherItem : public Dispatch {};

DispatchPtr TaskWithSound(std::u16string sound) {
  return std::make_shared<FakeTask>(Ok(std::move(sound)));
}

class ReminderHandlerTest : public ::testing::Test {
 protected:
  ReminderHandlerTest() { world.options().bAllowPlayMpg = 1; }

  TestPlatform world;
  ReminderHandler handler{world.platform(), world.options()};
};

struct SoundCase {
  std::u16string sound;
  bool opened;
};

TEST_F(ReminderHandlerTest, OnlyTaskSoundsThatAreNotLowerCaseWaveFilesAreOpened) {
  const SoundCase cases[] = {
      {u"C:\\Media\\alarm.mp3", true},
      {u"C:\\Media\\alarm.WAV", true},
      {u"C:\\Media\\alarm.Wav", true},
      {u"C:\\Media\\alarm.mpg", true},
      {u"C:\\Media\\alarm.wav", false},
      {u"C:\\Media\\alarmwav", false},
      {u"wav", false},
      {u"a.m", false},
      {u"", false},
  };
  for (const SoundCase& c : cases) {
    SCOPED_TRACE(std::string(c.sound.begin(), c.sound.end()));
    world.shell().opens.clear();

    handler.OnReminder(TaskWithSound(c.sound));

    if (c.opened) {
      ASSERT_EQ(world.shell().opens.size(), 1u);
      EXPECT_EQ(world.shell().opens[0].verb, "open");
      EXPECT_EQ(world.shell().opens[0].file, std::string(c.sound.begin(), c.sound.end()));
    } else {
      EXPECT_TRUE(world.shell().opens.empty());
    }
  }
}

TEST_F(ReminderHandlerTest, AProgramNamedAsTheSoundIsNeverStarted) {
  for (const char16_t* sound : {u"\\\\server\\share\\setup.exe", u"C:\\x\\run.bat",
                                u"C:\\x\\open.lnk", u"C:\\x\\page.hta", u"C:\\x\\noextension"}) {
    handler.OnReminder(TaskWithSound(sound));
  }

  EXPECT_TRUE(world.shell().opens.empty());
  EXPECT_TRUE(world.shell().starts.empty());
  EXPECT_TRUE(world.ui().messages.empty());
}

TEST_F(ReminderHandlerTest, NothingIsOpenedWhileTheOptionIsOff) {
  world.options().bAllowPlayMpg = 0;

  handler.OnReminder(TaskWithSound(u"C:\\Media\\alarm.mp3"));

  EXPECT_TRUE(world.shell().opens.empty());
}

TEST_F(ReminderHandlerTest, ARemindedItemThatIsNoTaskOrWhoseSoundCannotBeReadDoesNothing) {
  handler.OnReminder(std::make_shared<OtherItem>());
  handler.OnReminder(nullptr);
  handler.OnReminder(std::make_shared<FakeTask>(Fail<std::u16string>(hr::kFail)));

  EXPECT_TRUE(world.shell().opens.empty());
  EXPECT_TRUE(world.ui().messages.empty());
}

TEST(MediaFileTest, RecognisesSoundAndVideoExtensionsInAnyCase) {
  EXPECT_TRUE(ReminderHandler::IsMediaFile("a.mp3"));
  EXPECT_TRUE(ReminderHandler::IsMediaFile("C:\\a.b\\c.MiDi"));
  EXPECT_FALSE(ReminderHandler::IsMediaFile("C:\\a.mp3\\setup.exe"));
  EXPECT_FALSE(ReminderHandler::IsMediaFile("C:\\a.mp3\\readme"));
  EXPECT_FALSE(ReminderHandler::IsMediaFile("alarm.mp3.exe"));
}

}  // namespace
}  // namespace skerrow
