#include "MouseHooks.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace morvane {
namespace {

class MouseHandler final : public QObject {
public:
    MouseHandler(QWidget* control, std::function<void()> moved, std::function<void()> clicked,
                 std::function<void()> ctrlClicked)
        : QObject(control),
          control_(control),
          moved_(std::move(moved)),
          clicked_(std::move(clicked)),
          ctrlClicked_(std::move(ctrlClicked))
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
            if (const auto* mouse = static_cast<QMouseEvent*>(event); isClickInside(mouse)) click(mouse->modifiers());
            return true;
        default:
            return false;
        }
    }

private:
    void click(Qt::KeyboardModifiers modifiers) const
    {
        if (ctrlClicked_ && modifiers.testFlag(Qt::ControlModifier))
            ctrlClicked_();
        else if (clicked_)
            clicked_();
    }

    bool isClickInside(const QMouseEvent* event) const
    {
        return event->button() == Qt::LeftButton && control_->rect().contains(event->position().toPoint());
    }

    QWidget* control_;
    std::function<void()> moved_;
    std::function<void()> clicked_;
    std::function<void()> ctrlClicked_;
};

}  // namespace

void handleMouse(QWidget* control, std::function<void()> moved, std::function<void()> clicked,
                 std::function<void()> ctrlClicked)
{
    control->setMouseTracking(true);
    control->installEventFilter(
        new MouseHandler(control, std::move(moved), std::move(clicked), std::move(ctrlClicked)));
}

}  // namespace morvane
