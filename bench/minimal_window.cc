// The smallest Qt Widgets program a developer would write for the same
// window: one label with the usage text, in the same font. With --controls it
// also carries an edit box and a push button, as the real window does, to
// show what those two controls cost on their own.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cstring>

#include "app/main_window.h"

int main(int argc, char** argv) {
  bool controls = argc > 1 && std::strcmp(argv[1], "--controls") == 0;
  QApplication application(argc, argv);
  QWidget window;
  window.resize(480, 98);
  QLabel label(QString::fromUtf8(quillory::kUsageText), &window);
  QFont font = QApplication::font();
  font.setPixelSize(11);
  label.setFont(font);
  label.setWordWrap(true);
  label.setGeometry(110, 46, 360, 40);
  QLineEdit edit;
  QPushButton button(QStringLiteral("下载 CRX"));
  if (controls) {
    edit.setParent(&window);
    edit.setGeometry(3, 11, 472, 25);
    button.setParent(&window);
    button.setGeometry(8, 53, 88, 32);
  }
  window.show();
  return QApplication::exec();
}
