// The desktop seam over xdg-open, the freedesktop.org "open" action.

#include <QProcess>
#include <QString>
#include <QStringList>

#include "app/desktop_opener.h"

namespace quillory {

void OpenWithDesktop(const std::string& url) {
  // The link is one argument of its own, never parsed by a shell; the opener
  // runs detached so that a slow browser start does not hold the window.
  QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{QString::fromStdString(url)});
}

}  // namespace quillory
