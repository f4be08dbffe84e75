// Lets a box accept files dropped from the shell: each dropped path goes to a callback.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace vestrel {

class DropTarget final : public QObject {
 public:
  using Callback = std::function<void(const QString& path)>;

  DropTarget() = default;
  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;
  ~DropTarget() override { Destroy(); }

  // Arms the target on `box`. Registering a target that is registered changes nothing,
  // not even the callback.
  void Register(QWidget* box, Callback callback);
  // Gives the box back its own handling of drops.
  void Unregister();
  void Destroy() { Unregister(); }
  [[nodiscard]] bool IsRegistered() const { return registered_; }

 protected:
  // Takes the drops of files, whole paths in the shell's order, and lets every other event
  // through unchanged.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Callback callback_;
  bool registered_ = false;
  bool previouslyAcceptedDrops_ = false;
};

}  // namespace vestrel
