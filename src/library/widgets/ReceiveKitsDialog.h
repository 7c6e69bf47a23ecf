#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace morvane::library {

class KitReceiveSession;

// "Receive Kits": the kits a receive session records as they come, with a
// running count, until Stop. Closing it (Close, Esc, the close box) stops
// the session too.
class ReceiveKitsDialog final : public QDialog {
    Q_OBJECT
public:
    // Takes the session, which already listens.
    ReceiveKitsDialog(KitReceiveSession* session, QWidget* parent);

    void stop();
    bool listening() const;

private:
    void add(const QString& line);
    void showStopped(const QString& why);

    KitReceiveSession* session_;
    QLabel* listening_;
    QLabel* count_;
    QListWidget* received_;
    QPushButton* stopButton_;
};

}  // namespace morvane::library
