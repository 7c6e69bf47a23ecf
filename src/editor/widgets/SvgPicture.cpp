#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace morvane {

Picture::Picture(QString resourcePath) : resourcePath_(std::move(resourcePath)) {}

Picture::~Picture() = default;

QSvgRenderer& Picture::renderer()
{
    if (!renderer_) renderer_ = std::make_unique<QSvgRenderer>(resourcePath_);
    return *renderer_;
}

std::shared_ptr<Picture> Pictures::picture(const QString& resourcePath)
{
    auto& slot = pictures_[resourcePath];
    if (!slot) slot = std::make_shared<Picture>(resourcePath);
    return slot;
}

SvgPicture::SvgPicture(std::shared_ptr<Picture> picture, QWidget* parent, QSize drawnSize)
    : QWidget(parent), picture_(std::move(picture)), drawnSize_(drawnSize)
{
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QSvgRenderer& renderer = picture_->renderer();
    if (!renderer.isValid()) return;
    QPainter painter(this);
    renderer.render(&painter, QRectF(drawnSize_.isValid() ? QRect(QPoint(), drawnSize_) : rect()));
}

}  // namespace morvane
