#include "app/main_window.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include "resolver/code_page.h"

namespace quillory {
namespace {

// The default GUI font of the systems the program was made for is 9 points
// with 12-pixel lines, so the hint's three lines fill 36 of the label's 40
// pixels. Here: the platform's default family, at the largest pixel size (12
// at most) whose wrapped hint stays whole inside the label. The line end after
// the last line starts no line of text, so it is not measured.
QFont FontThatFits(QString text, QSize area) {
  while (text.endsWith(u'\n') || text.endsWith(u'\r')) text.chop(1);
  QFont font = QGuiApplication::font();
  int lines = static_cast<int>(text.count(u'\n')) + 1;
  for (int pixels = 12; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    QFontMetrics metrics(font);
    // The line height alone rules most sizes out without laying the text out
    // (which would load every fallback font at that size too).
    if (metrics.lineSpacing() * (lines - 1) + metrics.height() > area.height()) continue;
    QRect needed = metrics.boundingRect(QRect(QPoint(0, 0), QSize(area.width(), 10000)),
                                        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    if (needed.height() <= area.height() && needed.width() <= area.width()) break;
  }
  return font;
}

}  // namespace

MainWindow::MainWindow(DownloadCollaborators collaborators)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                  Qt::WindowCloseButtonHint),
      collaborators_(std::move(collaborators)) {
  setWindowTitle(QStringLiteral("Quillory"));
  setFixedSize(kClientWidth, kClientHeight);
  QPalette window_palette = palette();
  window_palette.setColor(QPalette::Window, window_palette.color(QPalette::Button));
  setPalette(window_palette);
  setAutoFillBackground(true);

  usage_.setObjectName(QStringLiteral("标签1"));
  usage_.setGeometry(110, 46, 360, 40);
  usage_.setTextFormat(Qt::PlainText);
  usage_.setText(QString::fromUtf8(kUsageText));
  usage_.setWordWrap(true);
  usage_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  usage_.setFrameShape(QFrame::NoFrame);
  QPalette label_palette = usage_.palette();
  label_palette.setColor(QPalette::Window, QColor(216, 216, 0));
  label_palette.setColor(QPalette::WindowText, QColor(0, 128, 0));
  usage_.setPalette(label_palette);
  usage_.setAutoFillBackground(true);

  extensionId_.setObjectName(QStringLiteral("编辑框1"));
  extensionId_.setGeometry(3, 11, 472, 25);
  QPalette edit_palette = extensionId_.palette();
  edit_palette.setColor(QPalette::Base, Qt::white);
  edit_palette.setColor(QPalette::Text, Qt::black);
  extensionId_.setPalette(edit_palette);

  download_.setObjectName(QStringLiteral("按钮1"));
  download_.setGeometry(8, 53, 88, 32);
  download_.setText(QStringLiteral("下载 CRX"));
  download_.setAutoDefault(false);
  download_.setDefault(false);

  QFont font = FontThatFits(usage_.text(), usage_.size());
  for (QWidget* control : {static_cast<QWidget*>(&usage_), static_cast<QWidget*>(&extensionId_),
                           static_cast<QWidget*>(&download_)}) {
    control->setFont(font);
  }

  usage_.setFocusPolicy(Qt::NoFocus);
  setTabOrder(&extensionId_, &download_);
  extensionId_.setFocus();

  connect(&escape_, &QShortcut::activated, this, &QWidget::close);
  connect(&download_, &QPushButton::clicked, this, &MainWindow::OnDownloadClicked);
}

void MainWindow::CentreOnPrimaryScreen() {
  QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.x() + (screen.width() - kOuterWidth) / 2, screen.y() + (screen.height() - kOuterHeight) / 2);
}

void MainWindow::OnDownloadClicked() {
  // The toolkit speaks UTF-8; the command works in the ANSI code page, 936.
  QByteArray typed = extensionId_.text().toUtf8();
  RunDownloadCommand(Utf8ToAnsi(Text(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())))),
                     collaborators_);
}

}  // namespace quillory
