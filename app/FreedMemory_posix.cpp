#include "app/FreedMemory.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After the paint, not inside it: its own buffers are freed by then.
            QTimer::singleShot(0, this, [this] {
#ifdef __GLIBC__
                // glibc keeps freed heap for later; a launcher that idles has no later use for
                // what the window's building freed.
                malloc_trim(0);
#endif
                deleteLater();
            });
        }
        return false;
    }
};

} // namespace

void releaseFreedMemoryAfterFirstPaint(QWidget& window)
{
    window.installEventFilter(new FirstPaint(&window));
}
