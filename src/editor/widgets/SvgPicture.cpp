#include "SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace morvane {

Pictures::Pictures() = default;
Pictures::~Pictures() = default;

std::shared_ptr<QSvgRenderer> Pictures::renderer(const QString& resourcePath)
{
    auto& slot = renderers_[resourcePath];
    if (!slot) slot = std::make_shared<QSvgRenderer>(resourcePath);
    return slot;
}

SvgPicture::SvgPicture(std::shared_ptr<QSvgRenderer> renderer, QWidget* parent, QSize drawnSize)
    : QWidget(parent), renderer_(std::move(renderer)), drawnSize_(drawnSize)
{
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    if (!renderer_->isValid()) return;
    QPainter painter(this);
    renderer_->render(&painter, QRectF(drawnSize_.isValid() ? QRect(QPoint(), drawnSize_) : rect()));
}

}  // namespace morvane
