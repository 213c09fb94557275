// The message-box seam over Qt Widgets.

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>

#include "app/message_box.h"

namespace quillory {

void ShowErrorBox(std::string_view text) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return;
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Quillory"),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok);
  box.exec();
}

}  // namespace quillory
