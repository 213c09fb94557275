// The smallest Qt Widgets program a developer would write for the same
// window: one label with the usage text, in the same font.

#include <QApplication>
#include <QLabel>

#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QLabel label(QString::fromUtf8(quillory::kUsageText));
  QFont font = QApplication::font();
  font.setPixelSize(11);
  label.setFont(font);
  label.setWordWrap(true);
  label.resize(360, 40);
  label.show();
  return QApplication::exec();
}
