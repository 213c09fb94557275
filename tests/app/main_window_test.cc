#include "app/main_window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/loopback_server.h"

namespace quillory {
namespace {

using ::quillory::testing::HttpResponse;
using ::quillory::testing::LoopbackServer;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string Fixture302() {
  std::ifstream in(QUILLORY_FIXTURE_302, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void Show(DownloadCollaborators collaborators = {}) {
    window_.emplace(std::move(collaborators));
    window_->CentreOnPrimaryScreen();
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&*window_));
    label_ = window_->findChild<QLabel*>(QStringLiteral("标签1"));
    edit_ = window_->findChild<QLineEdit*>(QStringLiteral("编辑框1"));
    button_ = window_->findChild<QPushButton*>(QStringLiteral("按钮1"));
    ASSERT_NE(label_, nullptr);
    ASSERT_NE(edit_, nullptr);
    ASSERT_NE(button_, nullptr);
  }

  std::optional<MainWindow> window_;
  QLabel* label_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QPushButton* button_ = nullptr;
};

TEST_F(MainWindowTest, GeometryOfTheClientAreaAndEveryControl) {
  Show();
  EXPECT_EQ(window_->size(), QSize(480, 98));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "fixed size";
  EXPECT_EQ(label_->geometry(), QRect(110, 46, 360, 40));
  EXPECT_EQ(edit_->geometry(), QRect(3, 11, 472, 25));
  EXPECT_EQ(button_->geometry(), QRect(8, 53, 88, 32));
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(window_->pos(), QPoint((screen.width() - 486) / 2, (screen.height() - 123) / 2));
}

TEST_F(MainWindowTest, FrameHasACloseBoxOnlyAndIsAnOrdinaryWindow) {
  Show();
  Qt::WindowFlags flags = window_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint);
}

TEST_F(MainWindowTest, Texts) {
  Show();
  EXPECT_EQ(window_->windowTitle(), QStringLiteral("Quillory"));
  EXPECT_EQ(label_->text().toStdString(),
            "使用方法，右键复制插件地址，如\r\ndownload/hgopjbnkmdaecfilpoknjmhgbadcefil?hl=zh-CN\r\n"
            "取出 hgopjbnkmdaecfilpoknjmhgbadcefil 放到编辑内，点击下载\r\n");
  EXPECT_EQ(label_->textFormat(), Qt::PlainText) << "\"&\" shows as itself";
  EXPECT_EQ(button_->text(), QStringLiteral("下载 CRX"));
  EXPECT_TRUE(edit_->text().isEmpty());
  EXPECT_FALSE(button_->isDefault());
  EXPECT_FALSE(button_->autoDefault());
}

TEST_F(MainWindowTest, LabelColoursAndWindowBackgroundAsDrawn) {
  Show();
  QImage image = window_->grab().toImage();
  EXPECT_EQ(image.pixelColor(111, 85), QColor(216, 216, 0)) << "label fill, bottom left";
  EXPECT_EQ(image.pixelColor(469, 47), QColor(216, 216, 0)) << "label fill, top right";
  EXPECT_EQ(label_->palette().color(QPalette::WindowText), QColor(0, 128, 0));
  EXPECT_EQ(image.pixelColor(100, 90), window_->palette().color(QPalette::Button)) << "button-face background";
  bool green_text = false;
  for (int y = 46; y < 86 && !green_text; ++y) {
    for (int x = 110; x < 470 && !green_text; ++x) {
      green_text = image.pixelColor(x, y).green() > image.pixelColor(x, y).red() + 60;
    }
  }
  EXPECT_TRUE(green_text) << "the hint is drawn in green";
}

TEST_F(MainWindowTest, HintWrapsIntoThreeWholeLinesInOneFontForAllControls) {
  Show();
  EXPECT_TRUE(label_->wordWrap());
  QString shown = label_->text();
  shown.chop(2);  // the last line end starts no line of text
  QFontMetrics metrics(label_->font());
  QRect needed = metrics.boundingRect(QRect(0, 0, label_->contentsRect().width(), 10000),
                                      Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
  EXPECT_LE(needed.height(), label_->contentsRect().height()) << "no clipped line";
  EXPECT_EQ(needed.height() / metrics.lineSpacing(), 3);
  EXPECT_GE(label_->font().pixelSize(), 9) << "as large as fits";
  EXPECT_EQ(edit_->font(), label_->font());
  EXPECT_EQ(button_->font(), label_->font());
}

TEST_F(MainWindowTest, TabMovesBetweenEditBoxAndButton) {
  Show();
  EXPECT_TRUE(edit_->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(button_->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_TRUE(edit_->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(button_->hasFocus());
}

TEST_F(MainWindowTest, EscapeClosesFromEitherControl) {
  for (bool from_button : {false, true}) {
    SCOPED_TRACE(from_button ? "button" : "edit box");
    Show();
    QWidget* focus = from_button ? static_cast<QWidget*>(button_) : static_cast<QWidget*>(edit_);
    focus->setFocus();
    QTest::keyClicks(edit_, "abc");
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(window_->isVisible());
  }
}

TEST_F(MainWindowTest, ClickRunsTheCommandWithTheTextAsTyped) {
  LoopbackServer service(LoopbackServer::Respond(Fixture302()));
  std::vector<Text> typed;
  std::vector<Text> opened;
  Show({.requestAddress =
            [&](std::string_view id) {
              typed.emplace_back(id);
              return Text(service.Url("/service/update2/crx"));
            },
        .open = [&](const Text& link) { opened.push_back(link); }});
  QTest::keyClicks(edit_, QStringLiteral(" abc"));
  edit_->insert(QStringLiteral("中 "));  // as an input method would type it
  QTest::mouseClick(button_, Qt::LeftButton);

  ASSERT_EQ(typed.size(), 1u);
  EXPECT_EQ(typed[0], " abc\xD6\xD0 ") << "not trimmed, in code page 936";
  ASSERT_EQ(service.Requests().size(), 1u);
  EXPECT_THAT(service.Requests()[0], StartsWith("GET /service/update2/crx HTTP/1.1\r\n"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0],
            "https://clients2.googleusercontent.com/crx/blobs/AV8Xwo4r9mEvLqxHm0xgBnT5RWMs0Dl_YxU1bgc2c3BOb2x0/"
            "AAPBDBDOMJKKJKAONFHKKIKFGJLLCLEB_2_0_16_0.crx");

  QTest::mouseClick(button_, Qt::LeftButton);
  EXPECT_EQ(opened.size(), 2u) << "the button stays usable";
}

TEST_F(MainWindowTest, PageWithoutTheAnchorHandsOnAnEmptyLink) {
  LoopbackServer service(LoopbackServer::Respond(
      HttpResponse("HTTP/1.1 302 Found", "Location: http://x/\r\n", "<a href=\"http://x/\">here</a>")));
  std::vector<Text> opened;
  Show({.requestAddress = [&](std::string_view) { return Text(service.Url()); },
        .open = [&](const Text& link) { opened.push_back(link); }});
  QTest::mouseClick(button_, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_FALSE(opened[0].present());
}

}  // namespace
}  // namespace quillory
