#include "ui/qt_controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QThread>

#include "platform/codepage.h"

namespace vestrel {

QString ToQString(const Text& gbk) {
  return QString::fromStdU16String(GbkToUtf16(gbk));
}

std::optional<Text> ToGbkExact(const QString& text) {
  return Utf8ToGbkExact(text.toUtf8().toStdString());
}

void QtControls::Bind(Control control, QWidget* widget) {
  widgets_[static_cast<std::size_t>(control)] = widget;
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(ToQString(GetText(control)));
    connect(edit, &QLineEdit::textChanged, this,
            [this, control](const QString& text) { OnUserEdited(control, text); });
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
             button && button->isCheckable()) {
    button->setChecked(IsChecked(control));
    connect(button, &QAbstractButton::toggled, this,
            [this, control](bool checked) { MemoryControls::SetChecked(control, checked); });
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(ToQString(GetText(control)));
  } else if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
    bar->setValue(Progress());
  }
}

void QtControls::OnUserEdited(Control control, const QString& text) {
  auto gbk = ToGbkExact(text);
  {
    std::lock_guard lock(unholdableMutex_);
    unholdable_[static_cast<std::size_t>(control)] = !gbk;
  }
  MemoryControls::SetText(control, gbk.value_or(Text()));
}

void QtControls::SetUnholdableText(Control control, const QString& text) {
  QWidget* widget = Widget(control);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text);  // GUI thread only
  OnUserEdited(control, text);
}

bool QtControls::HoldsUnholdableText(Control control) const {
  std::lock_guard lock(unholdableMutex_);
  return unholdable_[static_cast<std::size_t>(control)];
}

void QtControls::Apply(std::function<void()> work) {
  if (QThread::currentThread() == thread()) {
    dispatcher_.Drain();  // what other threads queued comes first
    work();
  } else {
    dispatcher_.Post(std::move(work));
  }
}

void QtControls::SetText(Control control, const Text& text) {
  MemoryControls::SetText(control, text);
  {
    std::lock_guard lock(unholdableMutex_);
    unholdable_[static_cast<std::size_t>(control)] = false;
  }
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  Apply([widget, shown = ToQString(text)] {
    // The model already holds the text: the widget's own signal must not write it again.
    QSignalBlocker quiet(widget);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      edit->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(shown);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      button->setText(shown);
    }
  });
}

void QtControls::SetChecked(Control control, bool checked) {
  MemoryControls::SetChecked(control, checked);
  const bool first = MemoryControls::IsChecked(Control::单选框1);
  const bool second = MemoryControls::IsChecked(Control::单选框2);
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  if (button == nullptr) return;
  const bool radio = control == Control::单选框1 || control == Control::单选框2;
  auto* firstRadio = qobject_cast<QAbstractButton*>(Widget(Control::单选框1));
  auto* secondRadio = qobject_cast<QAbstractButton*>(Widget(Control::单选框2));
  Apply([button, checked, radio, first, second, firstRadio, secondRadio] {
    if (!radio || firstRadio == nullptr || secondRadio == nullptr) {
      QSignalBlocker quiet(button);
      button->setChecked(checked);
      return;
    }
    // An exclusive group refuses to uncheck its checked button; the model may hold neither.
    QButtonGroup* group = firstRadio->group();
    if (group != nullptr) group->setExclusive(false);
    {
      QSignalBlocker quietFirst(firstRadio);
      QSignalBlocker quietSecond(secondRadio);
      firstRadio->setChecked(first);
      secondRadio->setChecked(second);
    }
    if (group != nullptr) group->setExclusive(true);
  });
}

void QtControls::SetDisabled(Control control, bool disabled) {
  MemoryControls::SetDisabled(control, disabled);
  QWidget* widget = Widget(control);
  if (widget == nullptr) return;
  Apply([widget, disabled] { widget->setEnabled(!disabled); });
}

void QtControls::SetProgress(int position) {
  MemoryControls::SetProgress(position);
  auto* bar = qobject_cast<QProgressBar*>(Widget(Control::进度条1));
  if (bar == nullptr) return;
  Apply([bar, value = Progress()] { bar->setValue(value); });
}

}  // namespace vestrel
