#include "rest_of_click.h"

#include <QApplication>
#include <QWidget>

namespace quorvex::ui {

namespace {

// Watches the application until the next release reaches a widget and keeps it, and the
// drag before it, from the widget the press went to.
class ReleaseSwallower : public QObject {
public:
    static ReleaseSwallower& instance() {
        static auto* swallower = new ReleaseSwallower(qApp);
        return *swallower;
    }
    void arm() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A new press means the release went elsewhere (another application, say).
        if (event->type() == QEvent::MouseButtonPress) qApp->removeEventFilter(this);
        if (!watched->isWidgetType()) return false;
        if (event->type() == QEvent::MouseMove) return true;
        if (event->type() != QEvent::MouseButtonRelease) return false;
        qApp->removeEventFilter(this);
        return true;
    }

private:
    using QObject::QObject;
};

}  // namespace

void swallowRestOfClick() { ReleaseSwallower::instance().arm(); }

}  // namespace quorvex::ui
