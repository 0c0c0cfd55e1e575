// The page control without tabs: exactly one sheet shows, sheets fill it, and pages
// change only when the program says so.
#include <gtest/gtest.h>

#include <memory>

#include "tests/gui/GuiTestSupport.h"
#include "widgets/PageControl.h"

namespace widgets::testing {
namespace {

using gui::testing::HeadlessApp;

int VisibleSheets(const PageControl& pages) {
  int n = 0;
  for (int i = 0; i < pages.PageCount(); ++i) n += pages.Page(i)->Visible() ? 1 : 0;
  return n;
}

class PageControlFixture : public ::testing::Test {
 protected:
  HeadlessApp h{670, 611};
  PageControl pages{&h.window};
  TabSheet welcome{&pages};
  TabSheet test{&pages};
  TabSheet details{&pages};
  int changes = 0;

  void SetUp() override {
    pages.SetBounds(13, 367, 650, 220);
    welcome.SetColor(0x00111111);
    test.SetColor(0x00222222);
    details.SetColor(0x00333333);
    pages.OnChange = [this](PageControl&) { ++changes; };
  }
};

TEST_F(PageControlFixture, TheFirstSheetShowsAndSheetsFillTheControl) {
  EXPECT_EQ(pages.PageCount(), 3);
  EXPECT_EQ(pages.ActivePage(), &welcome);
  EXPECT_EQ(VisibleSheets(pages), 1);
  EXPECT_EQ(details.BoundsRect(), gui::Rect::XYWH(0, 0, 650, 220));
  EXPECT_EQ(details.PageIndex(), 2);
  EXPECT_EQ(h.Pixel(20, 370), 0x00111111u);
}

TEST_F(PageControlFixture, ShowSheetShowsExactlyOne) {
  pages.ShowSheet(2);
  EXPECT_EQ(pages.ActivePage(), &details);
  EXPECT_EQ(pages.ActivePageIndex(), 2);
  EXPECT_EQ(VisibleSheets(pages), 1);
  EXPECT_TRUE(details.Visible());
  EXPECT_EQ(h.Pixel(600, 580), 0x00333333u);

  pages.SetActivePage(&test);
  EXPECT_EQ(VisibleSheets(pages), 1);
  EXPECT_EQ(h.Pixel(600, 580), 0x00222222u);
  EXPECT_EQ(changes, 2);
}

TEST_F(PageControlFixture, SameOrUnknownPagesChangeNothing) {
  pages.ShowSheet(0);
  pages.ShowSheet(7);
  pages.ShowSheet(-1);
  PageControl other(&h.window);
  TabSheet foreign(&other);
  pages.SetActivePage(&foreign);
  EXPECT_EQ(pages.ActivePage(), &welcome);
  EXPECT_EQ(changes, 0);
}

TEST_F(PageControlFixture, ResizingResizesEverySheet) {
  pages.SetBounds(13, 367, 650, 238);
  EXPECT_EQ(test.Height(), 238);
  EXPECT_EQ(details.Height(), 238);
}

TEST(PageControlLifetime, DestroyingTheActiveSheetShowsTheFirstLeft) {
  HeadlessApp h;
  PageControl pages(&h.window);
  pages.SetBounds(0, 0, 100, 100);
  TabSheet first(&pages);
  auto second = std::make_unique<TabSheet>(&pages);
  pages.SetActivePage(second.get());
  second.reset();
  EXPECT_EQ(pages.PageCount(), 1);
  EXPECT_EQ(pages.ActivePage(), &first);
  EXPECT_TRUE(first.Visible());
}

TEST(PageControlLifetime, SheetsOutliveTheirControlSafely) {
  HeadlessApp h;
  auto pages = std::make_unique<PageControl>(&h.window);
  TabSheet sheet(pages.get());
  pages.reset();
  EXPECT_EQ(sheet.Owner(), nullptr);
  EXPECT_EQ(sheet.PageIndex(), -1);
}

}  // namespace
}  // namespace widgets::testing
