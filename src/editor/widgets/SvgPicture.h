#pragma once

#include <QString>
#include <QWidget>

#include <map>
#include <memory>

class QSvgRenderer;

namespace morvane {

// One of the program's pictures, parsed when first drawn: a control that
// stays hidden (a lit pad, a selection marker) costs no parse at start-up.
class Picture {
public:
    explicit Picture(QString resourcePath);
    ~Picture();
    QSvgRenderer& renderer();

private:
    QString resourcePath_;
    std::unique_ptr<QSvgRenderer> renderer_;
};

// The program's pictures, each shared by every control that shows it. A
// control keeps its picture alive: controls are Qt children, destroyed
// after the window that holds these.
class Pictures {
public:
    std::shared_ptr<Picture> picture(const QString& resourcePath);

private:
    std::map<QString, std::shared_ptr<Picture>> pictures_;
};

// A picture control. It draws the vector picture straight at the screen's
// resolution, so it stays sharp at any device pixel ratio. The picture
// fills the control, or is drawn at drawnSize from the top left corner and
// cut at the control's edges.
class SvgPicture final : public QWidget {
public:
    SvgPicture(std::shared_ptr<Picture> picture, QWidget* parent, QSize drawnSize = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<Picture> picture_;
    QSize drawnSize_;
};

}  // namespace morvane
