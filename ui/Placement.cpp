#include "ui/Placement.h"

#include <string>

#include "ui/CaptionBar.h"
#include "ui/Theme.h"

namespace ui {

void Place(widgets::Label& label, gui::Point at, std::string_view caption, const gui::Font& font) {
  label.SetFont(font);
  label.SetCaption(std::string(caption));
  label.SetLeft(at.x);
  label.SetTop(at.y);
}

void PlaceWrapped(widgets::Label& label, const gui::Rect& box, std::string_view caption,
                  const gui::Font& font) {
  label.SetWordWrap(true);
  label.SetAutoSize(false);
  label.SetFont(font);
  label.SetCaption(std::string(caption));
  label.SetBounds(box);
}

void FrameDialogPanel(widgets::Panel& panel, int clientWidth, int clientHeight) {
  panel.SetBounds(0, CaptionBar::kHeight, clientWidth, clientHeight - CaptionBar::kHeight);
  panel.SetColor(theme::kTopArea);
  panel.SetRule(widgets::Edge::Top, 3, theme::kDialogTopRule);
  panel.SetRule(widgets::Edge::Left, 3, theme::kDialogEdgeRule);
  panel.SetRule(widgets::Edge::Right, 3, theme::kDialogEdgeRule);
  panel.SetRule(widgets::Edge::Bottom, 3, theme::kDialogEdgeRule);
}

}  // namespace ui
