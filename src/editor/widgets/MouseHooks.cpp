#include "MouseHooks.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace morvane {
namespace {

class MouseHandler final : public QObject {
public:
    MouseHandler(QWidget* control, std::function<void()> moved, std::function<void()> clicked)
        : QObject(control), control_(control), moved_(std::move(moved)), clicked_(std::move(clicked))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != control_) return false;
        switch (event->type()) {
        case QEvent::MouseMove:
            if (moved_) moved_();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease:
            if (clicked_ && isClickInside(static_cast<QMouseEvent*>(event))) clicked_();
            return true;
        default:
            return false;
        }
    }

private:
    bool isClickInside(const QMouseEvent* event) const
    {
        return event->button() == Qt::LeftButton && control_->rect().contains(event->position().toPoint());
    }

    QWidget* control_;
    std::function<void()> moved_;
    std::function<void()> clicked_;
};

}  // namespace

void handleMouse(QWidget* control, std::function<void()> moved, std::function<void()> clicked)
{
    control->setMouseTracking(true);
    control->installEventFilter(new MouseHandler(control, std::move(moved), std::move(clicked)));
}

}  // namespace morvane
