// The window's controls behind the Controls interface, safe from the job's worker thread.
//
// The state lives in the model that MemoryControls keeps under its lock; every read comes
// from there, so a reader never waits for the GUI thread. Every write updates the model at
// once and reaches the widget on the GUI thread, in the order made (queued when it comes
// from another thread). The GUI thread keeps the model up to date with the user's edits.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <mutex>

#include "app/controls.h"
#include "ui/gui_dispatcher.h"

namespace vestrel {

class QtControls final : public QObject, public MemoryControls {
 public:
  QtControls() = default;

  // Ties a control to its widget and takes the widget's state into the model. GUI thread.
  void Bind(Control control, QWidget* widget);

  void SetText(Control control, const Text& text) override;
  void SetChecked(Control control, bool checked) override;
  void SetDisabled(Control control, bool disabled) override;
  void SetProgress(int position) override;

  // A text that GBK cannot hold, shown in an edit box as it is. The model keeps no lossy
  // copy that could name another file: the box counts as unusable until it changes.
  void SetUnholdableText(Control control, const QString& text);
  [[nodiscard]] bool HoldsUnholdableText(Control control) const;

  // Runs `work` on the GUI thread after every change made before it: at once when called
  // there, else through the queue.
  void Apply(std::function<void()> work);

 private:
  void OnUserEdited(Control control, const QString& text);
  QWidget* Widget(Control control) const { return widgets_[static_cast<std::size_t>(control)]; }

  GuiDispatcher dispatcher_;
  std::array<QWidget*, kControlCount> widgets_{};
  mutable std::mutex unholdableMutex_;
  std::array<bool, kControlCount> unholdable_{};
};

// Conversions between the model's GBK texts and the widgets' strings.
QString ToQString(const Text& gbk);
// Nothing when GBK cannot hold the string.
std::optional<Text> ToGbkExact(const QString& text);

}  // namespace vestrel
