#include "widgets/PageControl.h"

#include <algorithm>

namespace widgets {

TabSheet::TabSheet(PageControl* pageControl) : Panel(pageControl), owner_(pageControl) {
  if (owner_) owner_->Add(*this);
}

TabSheet::~TabSheet() {
  if (owner_) owner_->Remove(*this);
}

int TabSheet::PageIndex() const {
  if (!owner_) return -1;
  const auto& sheets = owner_->sheets_;
  const auto it = std::find(sheets.begin(), sheets.end(), this);
  return it == sheets.end() ? -1 : int(it - sheets.begin());
}

PageControl::PageControl(gui::Control* parent) : gui::Control(parent) {}

PageControl::~PageControl() {
  for (TabSheet* sheet : sheets_) sheet->owner_ = nullptr;
}

TabSheet* PageControl::Page(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return sheets_[size_t(index)];
}

int PageControl::ActivePageIndex() const {
  return active_ ? active_->PageIndex() : -1;
}

void PageControl::Add(TabSheet& sheet) {
  sheets_.push_back(&sheet);
  sheet.SetBounds(ClientRect());
  if (!active_) {
    active_ = &sheet;
    sheet.Show();
  } else {
    sheet.Hide();
  }
}

void PageControl::Remove(TabSheet& sheet) {
  std::erase(sheets_, &sheet);
  if (active_ != &sheet) return;
  active_ = sheets_.empty() ? nullptr : sheets_.front();
  if (active_) active_->Show();
}

void PageControl::SetActivePage(TabSheet* sheet) {
  if (sheet == active_ || !sheet || sheet->owner_ != this) return;
  // Show the new sheet before hiding the old, so the area is never left blank.
  sheet->Show();
  if (active_) active_->Hide();
  active_ = sheet;
  if (OnChange) OnChange(*this);
}

void PageControl::ShowSheet(int index) {
  SetActivePage(Page(index));
}

void PageControl::BoundsChanged(const gui::Rect&) {
  for (TabSheet* sheet : sheets_) sheet->SetBounds(ClientRect());
}

}  // namespace widgets
