#include "app/FramePump.h"

#include <QMetaObject>

namespace orvx {

void CFramePump::Wake() {
  if (m_queued.exchange(true)) return;
  QMetaObject::invokeMethod(this, &CFramePump::Run, Qt::QueuedConnection);
}

void CFramePump::Run() {
  // Cleared first: a frame that arrives while the handler runs queues another run.
  m_queued.store(false);
  if (m_handler) m_handler();
}

}  // namespace orvx
