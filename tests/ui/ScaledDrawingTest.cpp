// What a German user at 150 % sees: entries in full, and frames with every
// edge. A fractional scale is drawn by rendering into an image with that
// device pixel ratio, as the window system would draw it.
#include <QImage>
#include <QTest>
#include <algorithm>

#include "lang/TextTableData.h"
#include "tests/ui/SecondaryWindowFixture.h"

namespace tessaro::testing {
namespace {

class ScaledDrawingTest : public SecondaryWindowTest {
 protected:
  static QImage Render(QWidget& widget, double scale) {
    QImage image((QSizeF(widget.size()) * scale).toSize(), QImage::Format_ARGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
  }
  // The darkest grey in a band of logical rows (or columns) [from, to] at
  // logical position `across`, on an image drawn at `scale`.
  static int Darkest(const QImage& image, double scale, bool rows, int from, int to, int across) {
    int darkest = 255;
    const int a = static_cast<int>(across * scale);
    for (int at = static_cast<int>(from * scale); at < static_cast<int>((to + 1) * scale); ++at) {
      const QPoint pixel = rows ? QPoint(a, at) : QPoint(at, a);
      if (!image.rect().contains(pixel)) continue;
      darkest = std::min(darkest, qGray(image.pixel(pixel)));
    }
    return darkest;
  }
  void ShowWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
};

TEST_F(ScaledDrawingTest, TheBleepComboShowsEveryEntryInFull) {
  for (int language = 0; language < LanguageCount; ++language) {
    ProgramFile file;
    file.taal = language;
    Start("", file);
    ShowWindow();
    W().SSTab1->setCurrentIndex(4);
    QCoreApplication::processEvents();
    ListCombo& combo = *W().ComboTestBleepCode;
    for (int index = 0; index < combo.count(); ++index) {
      combo.setCurrentIndex(index);
      const int needed = combo.lineEdit()->fontMetrics().horizontalAdvance(combo.currentText());
      // A line edit keeps two pixels beside its text on either side.
      EXPECT_LE(needed + 4, combo.lineEdit()->contentsRect().width())
          << "language " << language << " " << combo.currentText().toStdString();
    }
    window.reset();
  }
}

// Whatever the window's height, the tab frame's bottom edge is drawn at
// 150 % as dark as at 100 %.
TEST_F(ScaledDrawingTest, TheTabFrameKeepsItsBottomEdgeAt150Percent) {
  ProgramFile file;
  file.taal = 2;
  Start("", file);
  ShowWindow();
  const int width = window->width();
  const int start = window->height();
  for (int height = start; height < start + 2; ++height) {
    window->resize(width, height);
    QCoreApplication::processEvents();
    const QPoint bottom = W().SSTab1->mapTo(window.get(), QPoint(W().SSTab1->width() / 2, W().SSTab1->height() - 1));
    const int plain = Darkest(Render(*window, 1.0), 1.0, true, bottom.y() - 2, bottom.y(), bottom.x());
    const int scaled = Darkest(Render(*window, 1.5), 1.5, true, bottom.y() - 2, bottom.y(), bottom.x());
    ASSERT_LT(plain, 200) << "no edge found at 100 %";
    EXPECT_LE(scaled, plain + 16) << "height " << height;
  }
}

// The logo frame of the about box keeps all four edges at 150 %.
TEST_F(ScaledDrawingTest, TheAboutBoxFrameKeepsEveryEdgeAt150Percent) {
  ProgramFile file;
  file.taal = 2;
  Start("", file);
  AboutBox* about = OpenAbout();
  ASSERT_NE(about, nullptr);
  QWidget& frame = *about->Widgets().FrameLogo;
  const QSize size = about->size();
  for (int grow = 0; grow < 2; ++grow) {
    about->resize(size + QSize(grow, grow));
    QCoreApplication::processEvents();
    const QRect edges(frame.mapTo(about, QPoint(0, 0)), frame.size());
    const QPoint middle = edges.center();
    const QImage plain = Render(*about, 1.0);
    const QImage scaled = Render(*about, 1.5);
    struct Edge {
      const char* name;
      bool rows;
      int at;
      int across;
    };
    for (const Edge& edge : {Edge{"top", true, edges.top(), middle.x()}, Edge{"bottom", true, edges.bottom(), middle.x()},
                             Edge{"left", false, edges.left(), middle.y()},
                             Edge{"right", false, edges.right(), middle.y()}}) {
      const int reference = Darkest(plain, 1.0, edge.rows, edge.at - 1, edge.at + 1, edge.across);
      ASSERT_LT(reference, 220) << edge.name << " edge not found at 100 %";
      EXPECT_LE(Darkest(scaled, 1.5, edge.rows, edge.at - 1, edge.at + 1, edge.across), reference + 16)
          << edge.name << ", grown by " << grow;
    }
  }
}

}  // namespace
}  // namespace tessaro::testing
