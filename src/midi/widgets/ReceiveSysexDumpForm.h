#pragma once

#include "midi/ReceiveDialog.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace morvane {

// "Receive Sysex Kit Dump": waits, modeless, for the kit to arrive.
class ReceiveSysexDumpForm final : public QDialog, public ReceiveDialog {
public:
    explicit ReceiveSysexDumpForm(QWidget* parent = nullptr);

    void setProgressRange(int maximum) override;
    void setProgress(int value) override;
    int progressMaximum() const override;

    void showModeless() override;
    void closeDialog() override;
    void setCloseHandler(std::function<void()> handler) override;

private:
    QProgressBar* SysexPBar;
    QLabel* BytesReadLabel;
    QPushButton* CancelBtn;
    std::function<void()> closeHandler_;
};

}  // namespace morvane
