// The program's five pages, and its main window made with them.
#pragma once

#include <memory>

#include "ui/MainWindow.h"
#include "ui/MainWindowPage.h"

namespace ui {

// WelcomePage, TestPage, DetailsPage, RankPage and AboutPage, by TMainPage.
MainPageMakers ProgramPages();

// TfmMain with the program's pages, FormCreate done (UM_GETSPEED posted).
std::unique_ptr<TfmMain> CreateMainWindow(MainServices services = MainServices::Real());

}  // namespace ui
