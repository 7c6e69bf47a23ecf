#include "QtDesktop.h"

#include "SystemTone.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QThread>

#include <functional>
#include <utility>

namespace morvane {
namespace {

QMessageBox::Icon iconFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Critical: return QMessageBox::Critical;
    case MessageStyle::OkCancelQuestion:
    case MessageStyle::ReplaceSkipCancel: return QMessageBox::Question;
    case MessageStyle::Exclamation: return QMessageBox::Warning;
    case MessageStyle::Information: return QMessageBox::Information;
    case MessageStyle::Plain:
    case MessageStyle::SaveDiscardCancel:
    case MessageStyle::YesNo: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(MessageStyle style)
{
    switch (style) {
    case MessageStyle::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageStyle::OkCancelQuestion: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageStyle::SaveDiscardCancel: return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case MessageStyle::ReplaceSkipCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

MessageAnswer answerFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
    case QMessageBox::Save: return MessageAnswer::Yes;
    case QMessageBox::No:
    case QMessageBox::Discard: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}

// Qt takes Esc or the window's close button on a Yes/No box as No. The
// load-time question switches itself off on No, so neither may answer it.
class MessageWindow final : public QMessageBox {
public:
    MessageWindow(MessageStyle style, const QString& title, const QString& text, QWidget* parent)
        : QMessageBox(iconFor(style), title, text, buttonsFor(style), parent),
          escapable_(style != MessageStyle::YesNo)
    {
        if (!escapable_) setDefaultButton(QMessageBox::Yes);
        if (style == MessageStyle::ReplaceSkipCancel) {
            button(QMessageBox::Yes)->setText(QStringLiteral("Replace"));
            button(QMessageBox::No)->setText(QStringLiteral("Skip"));
        }
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (escapable_ || !event->matches(QKeySequence::Cancel)) QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (escapable_)
            QMessageBox::closeEvent(event);
        else
            event->ignore();
    }

private:
    bool escapable_;
};

// "Sysex Files (*.syx)" -> "syx"
QString firstExtensionOf(const QString& filter)
{
    const int star = filter.indexOf(QLatin1String("*."));
    if (star < 0) return {};
    const int end = filter.indexOf(QRegularExpression(QStringLiteral("[ ;)]")), star);
    return filter.mid(star + 2, end < 0 ? -1 : end - star - 2);
}

// Qt's own file dialog reads a typed name holding a double quote as a list of
// quoted names and hands back another file than the one typed; such a name is
// refused while the dialog stays open. A native dialog takes it as typed.
class SaveFileDialog final : public QFileDialog {
public:
    SaveFileDialog(QWidget* parent, const FileDialogRequest& request, std::function<void()> refuseQuotedName)
        : QFileDialog(parent, QString(), request.startPath, request.filter),
          refuseQuotedName_(std::move(refuseQuotedName))
    {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
    }

protected:
    void accept() override
    {
        const auto* typed = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (typed && typed->text().contains(QLatin1Char('"')))
            refuseQuotedName_();
        else
            QFileDialog::accept();
    }

private:
    std::function<void()> refuseQuotedName_;
};

// The file the user picked, or nothing when the dialog was cancelled.
std::optional<QString> chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) return std::nullopt;
    return path;
}

}  // namespace

MessageAnswer QtDesktop::messageBox(const QString& text, MessageStyle style, const QString& title)
{
    MessageWindow box(style, title.isEmpty() ? ApplicationTitle : title, text, parent_);
    return answerFor(box.exec());
}

std::optional<QString> QtDesktop::openFileName(const FileDialogRequest& request)
{
    QFileDialog dialog(parent_, QString(), request.startPath, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (QFileInfo(request.startPath).isFile()) dialog.selectFile(request.startPath);
    return chosenFile(dialog);
}

std::optional<QString> QtDesktop::saveFileName(const FileDialogRequest& request)
{
    SaveFileDialog dialog(parent_, request, [this] {
        messageBox(QStringLiteral("A file name holding a double quote (\") cannot be saved; please type another."),
                   MessageStyle::Plain);
    });
    // "mykit" becomes "mykit.syx", so the open dialog's filter shows it later.
    dialog.setDefaultSuffix(firstExtensionOf(request.filter));
    return chosenFile(dialog);
}

std::optional<QString> QtDesktop::folderName(const QString& startPath)
{
    QFileDialog dialog(parent_, QString(), startPath);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosenFile(dialog);
}

bool QtDesktop::choosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    // Its "Print to File" opens the typed name before anything can check it,
    // and a named pipe there would block the window for good; PDF files are
    // made through the editor's own save dialog instead.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtDesktop::beep(int hertz, int milliseconds)
{
    if (!playSystemTone(hertz, milliseconds)) QApplication::beep();
}

void QtDesktop::processEvents() { QCoreApplication::processEvents(); }

void QtDesktop::sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

bool QtDesktop::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QString QtDesktop::programFolder() { return QCoreApplication::applicationDirPath(); }

}  // namespace morvane
