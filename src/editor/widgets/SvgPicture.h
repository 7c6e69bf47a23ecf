#pragma once

#include <QString>
#include <QWidget>

#include <map>
#include <memory>

class QSvgRenderer;

namespace morvane {

// The program's pictures, each parsed once and shared by every control
// that shows it. A control keeps its picture alive: controls are Qt
// children, destroyed after the window that holds these.
class Pictures {
public:
    Pictures();
    ~Pictures();
    std::shared_ptr<QSvgRenderer> renderer(const QString& resourcePath);

private:
    std::map<QString, std::shared_ptr<QSvgRenderer>> renderers_;
};

// A picture control. It draws the vector picture straight at the screen's
// resolution, so it stays sharp at any device pixel ratio. The picture
// fills the control, or is drawn at drawnSize from the top left corner and
// cut at the control's edges.
class SvgPicture final : public QWidget {
public:
    SvgPicture(std::shared_ptr<QSvgRenderer> renderer, QWidget* parent, QSize drawnSize = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<QSvgRenderer> renderer_;
    QSize drawnSize_;
};

}  // namespace morvane
