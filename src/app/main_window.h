#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

#include "app/download_command.h"

namespace quillory {

// The usage hint, three lines each ended by CR LF, in UTF-8.
inline constexpr const char* kUsageText =
    "使用方法，右键复制插件地址，如\r\n"
    "download/hgopjbnkmdaecfilpoknjmhgbadcefil?hl=zh-CN\r\n"
    "取出 hgopjbnkmdaecfilpoknjmhgbadcefil 放到编辑内，点击下载\r\n";

// The program's only window: the usage hint, an edit box for the extension
// identifier and the download button. Controls keep their stored names as
// object names: "标签1", "编辑框1", "按钮1".
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // The client area. A fixed-frame window with a caption is 486 x 123 pixels
  // outside on the system the program was made for: a 3-pixel frame on each
  // side and a 19-pixel caption around 480 x 98. Here the window manager draws
  // the frame, so the window asks for the client area only.
  static constexpr int kClientWidth = 480;
  static constexpr int kClientHeight = 98;
  // The outer size that centring is computed from.
  static constexpr int kOuterWidth = 486;
  static constexpr int kOuterHeight = 123;

  explicit MainWindow(DownloadCollaborators collaborators = {});

  // Places the window at ((screen width - 486) / 2, (screen height - 123) / 2)
  // of the primary screen.
  void CentreOnPrimaryScreen();

  // The click handler of the download button: runs the download command with
  // the edit box's text exactly as typed.
  void OnDownloadClicked();

 private:
  DownloadCollaborators collaborators_;
  QLabel usage_{this};
  QLineEdit extensionId_{this};
  QPushButton download_{this};
  QShortcut escape_{QKeySequence(Qt::Key_Escape), this};
};

}  // namespace quillory
