#include "ReceiveSysexDumpForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane {

ReceiveSysexDumpForm::ReceiveSysexDumpForm(QWidget* parent)
    : QDialog(parent),
      SysexPBar(new QProgressBar(this)),
      BytesReadLabel(new QLabel(QStringLiteral("Waiting For Sysex Input..."), this)),
      CancelBtn(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("ReceiveSysexDumpForm"));
    setWindowTitle(QStringLiteral("Receive Sysex Kit Dump"));
    setModal(false);
    SysexPBar->setObjectName(QStringLiteral("SysexPBar"));
    SysexPBar->setRange(0, ReceiveProgressMaximum);
    SysexPBar->setTextVisible(false);
    BytesReadLabel->setObjectName(QStringLiteral("BytesReadLabel"));
    BytesReadLabel->setAlignment(Qt::AlignCenter);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BytesReadLabel);
    layout->addWidget(SysexPBar);
    layout->addWidget(CancelBtn, 0, Qt::AlignHCenter);

    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // Cancel, Escape, the close box and closeDialog all end here.
    connect(this, &QDialog::finished, this, [this] {
        if (closeHandler_) closeHandler_();
    });
}

void ReceiveSysexDumpForm::setProgressRange(int maximum) { SysexPBar->setRange(0, maximum); }

void ReceiveSysexDumpForm::setProgress(int value) { SysexPBar->setValue(value); }

int ReceiveSysexDumpForm::progressMaximum() const { return SysexPBar->maximum(); }

void ReceiveSysexDumpForm::showModeless()
{
    show();
    raise();
    activateWindow();
}

void ReceiveSysexDumpForm::closeDialog() { reject(); }

void ReceiveSysexDumpForm::setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

}  // namespace morvane
