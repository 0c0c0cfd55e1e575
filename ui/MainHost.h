// What the main window offers the pages that are built in their own files (CPU details,
// online scores, about), and what such a page gives the window back.
#pragma once

#include <string>

#include "gui/Control.h"
#include "ui/MainPage.h"

namespace gui {
class Window;
}

namespace ui {

class MainHost {
 public:
  virtual ~MainHost() = default;

  // The page's sheet of pgControlMain (650 x 220 at (13, 367) of the window).
  virtual gui::Control& Sheet(TMainPage page) = 0;
  // The top area's right part (472 x 312 at (198, 21) of the window, black, over the dial
  // artwork): the online page's pnlMap slides over the instruments there.
  virtual gui::Control& TopArea() = 0;
  // The main window itself (owner of dialogs, immediate repaints).
  virtual gui::Window& Form() = 0;

  // The main window's MachineIdentity field: computed by FormCreate, computed afresh by
  // the details page's GatherMachineFacts, read by the online page's links.
  virtual const std::string& CurrentMachineIdentity() const = 0;
  virtual void SetMachineIdentity(std::string identity) = 0;

  // "Click here to test again" / "(click here to test)": a new run, on the test page.
  virtual void lblTestAgainClick() = 0;
  // Sets CurrentPage and starts the transition to it (also when it is shown).
  virtual void ShowPage(TMainPage page) = 0;
  // Opens a web address in the browser (replaced by a recorder in the tests).
  virtual void OpenInBrowser(const std::string& address) = 0;
};

// A page built in its own files, attached to the main window with AttachPage. The window
// makes one named call into it at each of the moments below.
class MainPagePart {
 public:
  virtual ~MainPagePart() = default;

  // FormCreate, step 2 (pnlMap to top 312, hidden) and step 4 (lblVersion's caption).
  virtual void FormCreate() {}
  // A transition into the page has completed: GatherMachineFacts, EnterRankPage,
  // StartAboutPage.
  virtual void Enter() = 0;
  // Every page switch starts here, whatever the target page: SlideMapOut.
  virtual void PageSwitchStarting() {}
  // Every transition has completed, before the new page is entered: tmrMascotEyes off.
  virtual void TransitionCompleted() {}
};

}  // namespace ui
