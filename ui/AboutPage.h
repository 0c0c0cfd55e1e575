// The about page (tabAbout): the text panel with the program's links, and the mascot's
// scene. Bexo fades in with red eyes, turns them green, slides from the middle of the page
// to its left edge, and only then do the panel and its name appear; from then on its eyes
// change colour every 8 to 19 seconds while the page is shown.
#pragma once

#include <functional>

#include "controls/PictureTransition.h"
#include "gui/Timer.h"
#include "ui/AboutPanel.h"
#include "ui/MainWindowPage.h"
#include "widgets/Image.h"
#include "widgets/Label.h"

namespace ui {

class AboutPage : public MainWindowPage {
 public:
  // A random integer from 0 to range - 1.
  using RandomBelow = std::function<int(int range)>;

  // The mascot's place while the scene starts, where it comes to rest, and its steps.
  static constexpr int kMascotStartLeft = 240;
  static constexpr int kMascotMoveStep = 45;
  static constexpr int kMascotLastMoveFrom = 55;
  static constexpr uint32_t kFirstEyesInterval = 4000;

  explicit AboutPage(MainHost& host);

  void FormCreate() override;
  void Enter() override { StartAboutPage(); }
  // Any page transition has completed: the eyes stop changing (the page is being left
  // or entered afresh).
  void TransitionCompleted() override { tmrMascotEyes.SetEnabled(false); }

  void StartAboutPage();
  void tmrAboutTimer();
  void tmrMascotMoveTimer();
  void tmrMascotEyesTimer();
  void transMascotComplete();
  void transMascotClick();
  void lblMascotClick();

  // The first fade (to red eyes) has not completed yet.
  bool AboutIntro = false;
  // The mascot is in its place; completions of its fades are then ignored.
  bool MascotSettled = false;
  // The eyes' last state: the green picture.
  bool MascotEyesGreen = false;

  widgets::Image imgMascotGreen;
  widgets::Image imgMascotRed;
  AboutPanel pnlAbout;
  controls::TPictureTransition transMascot;
  widgets::Label lblMascot;
  gui::Timer tmrAbout;
  gui::Timer tmrMascotMove;
  gui::Timer tmrMascotEyes;

  // The eye changes' random numbers: a generator seeded from the system. Tests replace it.
  RandomBelow random;
};

}  // namespace ui
