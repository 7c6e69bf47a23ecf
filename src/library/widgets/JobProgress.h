#pragma once

#include <QWidget>

#include <atomic>
#include <memory>

class QProgressBar;

namespace morvane::library {

// A progress bar and its Cancel button for work the library's thread does
// for a window: shown only while the work runs, the bar busy until the
// first count comes.
class JobProgress final : public QWidget {
public:
    // The bar is named progressName, the button cancelName.
    JobProgress(const QString& progressName, const QString& cancelName, QWidget* parent = nullptr);

    // A job begins: the flag the work reads between its steps.
    std::shared_ptr<std::atomic<bool>> start();
    void showCount(int done, int total);
    // The job ended; true when it was cancelled.
    bool finish();
    void cancel();
    bool running() const { return cancel_ != nullptr; }

private:
    QProgressBar* bar_;
    std::shared_ptr<std::atomic<bool>> cancel_;  // set while a job runs
};

}  // namespace morvane::library
