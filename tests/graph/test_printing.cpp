// Printing the window: whitened and enlarged while its pages print, given back afterwards, and
// given back silently when the dialog is cancelled or a page fails.
#include <gtest/gtest.h>

#include "graph/printing.h"
#include "mainwindow/mainwindowlayout.h"
#include "support/windowfixture.h"
#include "support/recomputestandin.h"

namespace {

struct Page {
  forms::VbColor window, frame1, hpFrame, frame8;
  int height;
  int recomputes;
};

struct PrintFixture : WindowFixture {
  int recomputes = 0;
  std::vector<Page> pages;
  PrintFixture() {
    InstallRecomputeStandIn(f).sequence = [this] {
      ++recomputes;
      return 0;
    };
    fake.printer.onPage = [this](const forms::Form&) {
      pages.push_back({f.BackColor, f.Frame1.BackColor, f.HPFrame.BackColor, f.Frame8.BackColor,
                       f.Height, recomputes});
    };
  }
  void expectGivenBack(forms::VbColor back, int height) {
    EXPECT_EQ(f.BackColor, back);
    EXPECT_EQ(f.Frame1.BackColor, back);
    EXPECT_EQ(f.HPFrame.BackColor, back);
    EXPECT_EQ(f.Height, height);
    EXPECT_TRUE(f.Graph.Visible);
  }
};

}  // namespace

TEST(Printing, EveryCopyIsAPageOfTheWhitenedEnlargedWindowInOneDocument) {
  PrintFixture p;
  const forms::VbColor back = p.f.BackColor;
  ASSERT_EQ(p.f.Height, mainwindow::kWindowHeight);
  p.f.Graph.Visible = false;
  p.fake.printer.copies = 3;
  graph::Print_Click(p.f);

  ASSERT_EQ(p.pages.size(), 3u);
  for (const Page& page : p.pages) {
    EXPECT_EQ(page.window, forms::kWhite);
    EXPECT_EQ(page.frame1, forms::kWhite);
    EXPECT_EQ(page.hpFrame, forms::kWhite);
    EXPECT_EQ(page.frame8, back);  // not one of the whitened frames
    EXPECT_EQ(page.height, mainwindow::kWindowHeightWithTable);
    EXPECT_EQ(page.recomputes, 1);  // redrawn on white before the first page
  }
  EXPECT_EQ(p.fake.printer.documentsEnded, 1);
  p.expectGivenBack(back, mainwindow::kWindowHeight);
  EXPECT_EQ(p.recomputes, 2);  // and redrawn in its own colours
  EXPECT_TRUE(p.fake.messages.shown.empty());
}

TEST(Printing, CancelOrFailureGivesTheWindowBackSilently) {
  struct Case {
    const char* name;
    std::optional<int> copies;
    bool pageSucceeds;
    size_t pagesTried;
  };
  for (const Case& c : {Case{"cancelled", std::nullopt, true, 0}, Case{"failed", 2, false, 1}}) {
    PrintFixture p;
    // A window showing its values table keeps its height.
    p.f.Height = mainwindow::kWindowHeightWithTable;
    p.f.Graph.Visible = false;
    const forms::VbColor back = p.f.BackColor;
    p.fake.printer.copies = c.copies;
    p.fake.printer.succeed = c.pageSucceeds;
    graph::Print_Click(p.f);
    EXPECT_EQ(p.pages.size(), c.pagesTried) << c.name;
    EXPECT_EQ(p.fake.printer.documentsEnded, 1) << c.name;
    p.expectGivenBack(back, mainwindow::kWindowHeightWithTable);
    EXPECT_EQ(p.recomputes, c.copies ? 1 : 0) << c.name;
    EXPECT_TRUE(p.fake.messages.shown.empty()) << c.name;
  }
}

TEST(Printing, ABusyWindowIsPrintedAsItIsWithoutARedraw) {
  PrintFixture p;
  p.f.SuppressUpdate = true;
  p.fake.printer.copies = 1;
  graph::Print_Click(p.f);
  EXPECT_EQ(p.pages.size(), 1u);
  EXPECT_EQ(p.recomputes, 0);
}
