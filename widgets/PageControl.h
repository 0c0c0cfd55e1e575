// A page control without a tab strip: its sheets fill it and exactly one of them (the
// active page) is visible; pages change only under program control.
#pragma once

#include <functional>
#include <vector>

#include "widgets/Panel.h"

namespace widgets {

class PageControl;

// One page: a panel that joins its page control on construction, in order, and fills it.
class TabSheet : public Panel {
 public:
  explicit TabSheet(PageControl* pageControl);
  ~TabSheet() override;

  PageControl* Owner() const { return owner_; }
  // The sheet's position in its page control, or -1.
  int PageIndex() const;

 private:
  friend class PageControl;
  PageControl* owner_;
};

class PageControl : public gui::Control {
 public:
  using ChangeEvent = std::function<void(PageControl& sender)>;

  explicit PageControl(gui::Control* parent = nullptr);
  ~PageControl() override;

  int PageCount() const { return int(sheets_.size()); }
  TabSheet* Page(int index) const;
  // The visible sheet; the first sheet added becomes active.
  TabSheet* ActivePage() const { return active_; }
  int ActivePageIndex() const;
  // Shows the sheet and hides every other; a sheet of another control is ignored.
  void SetActivePage(TabSheet* sheet);
  void ShowSheet(int index);

  // Raised after the active page changed.
  ChangeEvent OnChange;

 protected:
  void BoundsChanged(const gui::Rect& oldBounds) override;

 private:
  friend class TabSheet;
  void Add(TabSheet& sheet);
  void Remove(TabSheet& sheet);

  std::vector<TabSheet*> sheets_;
  TabSheet* active_ = nullptr;
};

}  // namespace widgets
