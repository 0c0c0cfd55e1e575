// Makes the program's main window with every page attached, and runs its creation.
#pragma once

#include <memory>

#include "ui/MainWindow.h"

namespace ui {

// TfmMain, the pages of their own files attached, FormCreate done (UM_GETSPEED posted).
std::unique_ptr<TfmMain> CreateMainWindow(MainServices services = MainServices::Real());

}  // namespace ui
