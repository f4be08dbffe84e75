#include "drop/drop_target.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <algorithm>

namespace vestrel {
namespace {

bool CarriesFiles(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return false;
  const QList<QUrl> urls = data->urls();
  return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

}  // namespace

void DropTarget::Register(QWidget* box, Callback callback) {
  if (registered_ || box == nullptr) return;
  window_ = box;
  callback_ = std::move(callback);
  previouslyAcceptedDrops_ = box->acceptDrops();
  box->setAcceptDrops(true);
  box->installEventFilter(this);
  registered_ = true;
}

void DropTarget::Unregister() {
  if (!registered_) return;
  if (window_) {
    window_->removeEventFilter(this);
    window_->setAcceptDrops(previouslyAcceptedDrops_);
  }
  registered_ = false;
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (!CarriesFiles(drag->mimeData())) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!CarriesFiles(drop->mimeData())) return false;
      drop->acceptProposedAction();
      for (const QUrl& url : drop->mimeData()->urls()) {
        if (url.isLocalFile() && callback_) callback_(url.toLocalFile());
      }
      return true;
    }
    default:
      return false;
  }
}

}  // namespace vestrel
