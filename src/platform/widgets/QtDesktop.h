#pragma once

#include "platform/Desktop.h"

#include <QPointer>
#include <QWidget>

namespace morvane {

// The real desktop: Qt's message boxes, file and printer dialogs, sound
// and URL handling.
class QtDesktop final : public Desktop {
public:
    // Dialogs open over this window while it exists.
    void setDialogParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer messageBox(const QString& text, MessageStyle style, const QString& title = {}) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QString> folderName(const QString& startPath) override;
    bool choosePrinter(QPrinter& printer) override;
    void beep(int hertz, int milliseconds) override;
    void processEvents() override;
    void sleep(int milliseconds) override;
    bool openUrl(const QUrl& url) override;
    QString programFolder() override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace morvane
