#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class QPrinter;

namespace morvane {

// The title every message box without one of its own carries.
inline const QString ApplicationTitle = QStringLiteral("VEXO Morvane Editor");

// Button and icon combinations, numbered as the program's boxes always were.
enum class MessageStyle {
    Plain = 0,             // OK, no icon
    SaveDiscardCancel = 3, // Save / Discard / Cancel, no icon, answered Yes / No / Cancel
    YesNo = 4,             // Yes / No, no icon, Yes is the default
    Critical = 16,         // OK, critical icon
    OkCancelQuestion = 33, // OK / Cancel, question icon
    ReplaceSkipCancel = 35,// Replace / Skip / Cancel, question icon, answered Yes / No / Cancel
    Exclamation = 48,      // OK, exclamation icon
    Information = 64,      // OK, information icon
};

enum class MessageAnswer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileDialogRequest {
    QString filter;       // Qt syntax, e.g. "Sysex Files (*.syx)"
    QString startPath;    // a folder or a file whose folder to start in; empty: the desktop's choice
    bool mustExist = false;
};

// Everything the editor asks of the desktop. Windows talk to it instead of
// to dialogs and sound directly, so tests can script the answers
// and record exactly what a user would have seen.
class Desktop {
public:
    virtual ~Desktop() = default;

    // An empty title means the application's title.
    virtual MessageAnswer messageBox(const QString& text, MessageStyle style, const QString& title = {}) = 0;

    // Empty optional: the user cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
    // A folder that exists, chosen starting at startPath.
    virtual std::optional<QString> folderName(const QString& startPath) = 0;

    // False: the user cancelled. On true the printer is set up as chosen.
    virtual bool choosePrinter(QPrinter& printer) = 0;

    virtual void beep(int hertz, int milliseconds) = 0;
    virtual void processEvents() = 0;
    virtual void sleep(int milliseconds) = 0;

    // False when the desktop has nothing to open it with.
    virtual bool openUrl(const QUrl& url) = 0;

    // The folder the program itself lives in.
    virtual QString programFolder() = 0;
};

}  // namespace morvane
