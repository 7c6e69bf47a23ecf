#include "JobProgress.h"

#include "platform/widgets/WidgetStyle.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

namespace morvane::library {

JobProgress::JobProgress(const QString& progressName, const QString& cancelName, QWidget* parent)
    : QWidget(parent), bar_(new QProgressBar)
{
    bar_->setObjectName(progressName);
    auto* cancelButton = namedButton(cancelName, QStringLiteral("Cancel"));
    connect(cancelButton, &QPushButton::clicked, this, &JobProgress::cancel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_, 1);
    layout->addWidget(cancelButton);
    hide();
}

std::shared_ptr<std::atomic<bool>> JobProgress::start()
{
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    bar_->setRange(0, 0);
    show();
    return cancel_;
}

void JobProgress::showCount(int done, int total)
{
    bar_->setRange(0, total);
    bar_->setValue(done);
}

bool JobProgress::finish()
{
    const bool cancelled = cancel_ && cancel_->load();
    cancel_.reset();
    hide();
    return cancelled;
}

void JobProgress::cancel()
{
    if (cancel_) *cancel_ = true;
}

}  // namespace morvane::library
