// The adapters over the stand-in: an in-memory store played as the client,
// and the application as the add-in is given it.
#pragma once

#include <gtest/gtest.h>

#include "host/memory/MemoryStore.h"
#include "host/outlook/OutlookObject.h"
#include "tests/outlookfacade/OutlookFacade.h"

namespace skerrow {

class OutlookScene : public ::testing::Test {
 protected:
  ~OutlookScene() override {
    // Every reference the adapters took is given back once they are gone.
    application.reset();
    EXPECT_EQ(outlook.LiveObjects(), 0u);
  }

  // The adapter over any object of the store.
  DispatchPtr Adapt(const DispatchPtr& object) {
    return outlook::WrapObject(outlook.Play(object).Get());
  }
  FolderPtr AdaptFolder(const FolderPtr& folder) { return Adapt(folder)->AsFolder(); }
  MailItemPtr AdaptMail(const MailItemPtr& mail) { return Adapt(mail)->AsMailItem(); }
  // The active explorer's command bars (null if any step fails).
  CommandBarsPtr Bars() {
    ExplorerPtr explorer = application->ActiveExplorer().value;
    return explorer ? explorer->GetCommandBars().value : nullptr;
  }

  // Checked last, once the client has let go of every sink it was given.
  struct NoSinkOutlivesTheClient {
    ~NoSinkOutlivesTheClient() { EXPECT_EQ(outlook::LiveEventSinks(), 0); }
  } sinksChecked;
  MemoryStore store;
  facade::OutlookFacade outlook{store};
  ApplicationPtr application = outlook::WrapObject(outlook.Application().Get())->AsApplication();
};

}  // namespace skerrow
