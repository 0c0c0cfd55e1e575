// One page of the main window: its own sheet of pgControlMain, the controls on it, and
// what the window calls it for. The window keeps its five pages in a table by TMainPage
// and makes one call into the page at each of the moments below.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "ui/MainHost.h"
#include "ui/PageList.h"
#include "widgets/PageControl.h"

namespace ui {

class MainWindowPage {
 public:
  // Adds the page's sheet, black, to the host's page control.
  explicit MainWindowPage(MainHost& host);
  virtual ~MainWindowPage();
  MainWindowPage(const MainWindowPage&) = delete;
  MainWindowPage& operator=(const MainWindowPage&) = delete;

  widgets::TabSheet& Sheet() { return sheet_; }

  // The window's creation: TestRunning cleared, pnlMap put away, lblVersion's caption.
  virtual void FormCreate() {}
  // A transition into the page has completed: StartTest, GatherMachineFacts,
  // EnterRankPage, StartAboutPage.
  virtual void Enter() {}
  // The next entry starts afresh: the test page clears TestRunning.
  virtual void Reset() {}
  // Every page switch starts here, whatever the target page: SlideMapOut.
  virtual void PageSwitchStarting() {}
  // Every transition has completed, before the new page is entered: tmrMascotEyes off.
  virtual void TransitionCompleted() {}
  // The window is closing: what the page runs stops, so that nothing goes on behind the
  // promotion dialog (the test run's stages).
  virtual void Closing() {}

 protected:
  MainHost& Host() const { return host_; }

 private:
  MainHost& host_;
  widgets::TabSheet sheet_;
};

// How the window makes each of its pages, by TMainPage.
using MainPageMaker = std::function<std::unique_ptr<MainWindowPage>(MainHost& host)>;
using MainPageMakers = std::array<MainPageMaker, kMainPageCount>;

}  // namespace ui
