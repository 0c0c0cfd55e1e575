// What the main window offers its pages.
#pragma once

#include <string>

#include "ui/MainServices.h"
#include "ui/PageList.h"
#include "ui/ProgramState.h"

namespace widgets {
class PageControl;
}

namespace ui {

class TopArea;

class MainHost {
 public:
  virtual ~MainHost() = default;

  // pgControlMain (650 x 220 at (13, 367) of the window): every page makes its sheet there.
  virtual widgets::PageControl& Pages() = 0;
  // The instruments, which the test run drives. Their pnlInstruments is the top area's
  // right part (472 x 312 at (198, 21) of the window, black, over the dial artwork): the
  // online page's pnlMap slides over the instruments there.
  virtual ui::TopArea& Instruments() = 0;

  virtual ProgramState& State() = 0;
  virtual const MainServices& Services() const = 0;

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
  // The end of a run: creates the result dialog once, sets its digits and shows it
  // modally; returns when the user has closed it.
  virtual void ShowResultDialog(const std::string& mhzText) = 0;
};

}  // namespace ui
