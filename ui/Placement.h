// Putting the windows' labels and frames in place: one call a label, as the layouts list
// them (position, text, font).
#pragma once

#include <string_view>

#include "gui/Canvas.h"
#include "widgets/Label.h"
#include "widgets/Panel.h"

namespace ui {

// An auto-sized one-line label with its top-left corner at `at`.
void Place(widgets::Label& label, gui::Point at, std::string_view caption, const gui::Font& font);
// A word-wrapped label filling `box`.
void PlaceWrapped(widgets::Label& label, const gui::Rect& box, std::string_view caption,
                  const gui::Font& font);
// A dialog's main panel below its caption bar: the background colour, a 3-pixel rule along
// the top and 3-pixel rules along the other edges.
void FrameDialogPanel(widgets::Panel& panel, int clientWidth, int clientHeight);

}  // namespace ui
