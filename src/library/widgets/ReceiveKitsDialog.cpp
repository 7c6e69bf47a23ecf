#include "ReceiveKitsDialog.h"

#include "library/KitReceiving.h"
#include "platform/widgets/WidgetStyle.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::library {

ReceiveKitsDialog::ReceiveKitsDialog(KitReceiveSession* session, QWidget* parent)
    : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("ReceiveKits"));
    setWindowTitle(QStringLiteral("Receive Kits"));
    session_->setParent(this);
    listening_ = new QLabel(QStringLiteral("Listening on \"%1\": send kits from your Morvane; each is recorded in "
                                           "the library once.")
                                .arg(session_->device()));
    listening_->setObjectName(QStringLiteral("ReceiveListening"));
    listening_->setWordWrap(true);
    count_ = new QLabel(session_->tally().summary());
    count_->setObjectName(QStringLiteral("ReceiveCount"));
    received_ = new QListWidget;
    received_->setObjectName(QStringLiteral("ReceivedList"));
    // The lines are columns: a hash under a hash.
    received_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    stopButton_ = namedButton(QStringLiteral("StopReceiveBtn"), QStringLiteral("Stop"));
    connect(stopButton_, &QPushButton::clicked, this, &ReceiveKitsDialog::stop);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->addButton(stopButton_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::finished, this, &ReceiveKitsDialog::stop);
    connect(session_, &KitReceiveSession::told, this, &ReceiveKitsDialog::add);
    connect(session_, &KitReceiveSession::inputClosed, this, [this] {
        showStopped(QStringLiteral("Stopped: the input \"%1\" was closed (another input was chosen, F2 opened it "
                                   "anew to receive a kit, or it went away).")
                        .arg(session_->device()));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listening_);
    layout->addWidget(received_, 1);
    layout->addWidget(count_);
    layout->addWidget(buttons);
    resize(560, 360);
}

void ReceiveKitsDialog::stop()
{
    if (!session_->listening()) return;  // a closed input said why already
    session_->stop();
    showStopped(QStringLiteral("Stopped listening on \"%1\".").arg(session_->device()));
}

void ReceiveKitsDialog::showStopped(const QString& why)
{
    stopButton_->setEnabled(false);
    listening_->setText(why);
}

bool ReceiveKitsDialog::listening() const { return session_->listening(); }

void ReceiveKitsDialog::add(const QString& line)
{
    received_->addItem(line);
    received_->scrollToBottom();
    count_->setText(session_->tally().summary());
}

}  // namespace morvane::library
