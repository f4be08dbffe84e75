// The tool's one window.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/app_state.h"
#include "app/window_job.h"
#include "drop/drop_target.h"
#include "platform/registry.h"
#include "ui/qt_controls.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace vestrel {

// The status line; a double-click on it calls `onDoubleClick`.
class StatusLabel final : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onDoubleClick;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class MainWindow final : public QWidget {
 public:
  // `programFolder` holds dic.ini and log.txt; `registry` is searched for the renderer.
  MainWindow(Text programFolder, std::unique_ptr<Registry> registry, QWidget* parent = nullptr);
  ~MainWindow() override;

  QtControls& controls() { return controls_; }
  AppState& app() { return app_; }
  [[nodiscard]] bool JobRunning() const { return job_.Running(); }

  // The handlers of the window's three events.
  void OnMainWindowCreated();
  void OnStartClicked();
  void OnStatusDoubleClicked();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void OnJobFinished();
  void OnMaterialFolderDropped(const QString& path);
  void OnDictionaryDropped(const QString& path);

  Text programFolder_;
  std::unique_ptr<Registry> registry_;
  DropTarget materialFolderDrop_;
  DropTarget dictionaryDrop_;
  QtControls controls_;
  AppState app_{controls_};
  bool closeRequested_ = false;
  bool created_ = false;
  WindowJob job_;  // last: it goes first, while everything it uses still stands
};

}  // namespace vestrel
