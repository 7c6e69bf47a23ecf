#include "KitDocument.h"

#include "EditorTexts.h"
#include "KitEdits.h"
#include "KitView.h"
#include "base/Text.h"
#include "kit/Cp1252.h"
#include "kit/KitCheck.h"
#include "kit/KitFile.h"
#include "kit/KitHistory.h"
#include "platform/Desktop.h"
#include "platform/Settings.h"
#include "platform/FilePath.h"
#include "platform/WindowShell.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>

namespace morvane {
namespace {

QString describe(const Status& status) { return QString::fromStdString(status.error()); }

// A path named on the command line may be relative to where the editor was started.
QString absolutePath(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

std::string historyPlace(const QString& path) { return QDir::toNativeSeparators(absolutePath(path)).toStdString(); }

}  // namespace

KitDocument::KitDocument(Desktop& desktop, Settings& settings, KitView& view, WindowShell& shell, KitEdits& edits,
                         KitHistory& history)
    : desktop_(desktop), settings_(settings), view_(view), shell_(shell), edits_(edits), history_(history)
{
}

// A name position holding code 0 is empty and is stored as a blank, so it
// reads as one; a raw code 0 would also cut the window caption short.
QString KitDocument::kitNameText() const
{
    return QString::fromStdString(utf8FromCp1252(fields_.KitName)).replace(QChar(0), QLatin1Char(' '));
}

QString KitDocument::shortFileName() const
{
    return QString::fromStdString(
        morvane::shortFileName(toFilePath(currentSysexFile_), toFilePath(desktop_.programFolder())));
}

Status KitDocument::Interpret_Buffer(const KitDump& dump, const QString& sourceFile)
{
    auto decoded = decodeKit(dump);
    if (!decoded) return Status::failure(decoded.error());
    adopt({dump, std::move(decoded).value()}, sourceFile);
    return succeeded();
}

void KitDocument::adopt(LoadedKit kit, const QString& sourceFile)
{
    dump_ = std::move(kit.dump);
    fields_ = std::move(kit.fields);
    cleanFields_ = fields_;
    currentSysexFile_ = sourceFile;
    kitLoaded_ = true;
    edits_.kitReplaced();
    Check_Sysex();
    view_.showDecodedKit();
}

Status KitDocument::Update_Buffer() { return encodeKit(fields_, dump_); }

void KitDocument::takeReceivedDump(const KitDump& dump)
{
    // The receiver decoded it once already, so this cannot be refused.
    (void)Interpret_Buffer(dump);
}

Status KitDocument::Replace_System_Variables(const QString& newKitName, int newKitNumber, int newBankArgument)
{
    auto name = cp1252FromUtf8(newKitName.toStdString());
    if (!name) return Status::failure(name.error());
    const KitFields before = fields_;
    const auto change = replaceSystemVariables(fields_, name.value(), newKitNumber, newBankArgument);
    edits_.record(before, fields_, QStringLiteral("Kit Settings"));
    if (change.name) view_.Display_Caption();
    if (change.kitNumber || change.bankNumber) view_.Fill_Print_Header();
    return succeeded();
}

void KitDocument::restoreFields(const KitFields& fields)
{
    fields_ = fields;
    view_.showDecodedKit();
}

void KitDocument::Check_Sysex()
{
    for (const auto& question : checkSysexQuestions(fields_)) {
        if (!alertOnSysexErrors_) return;
        const auto answer =
            desktop_.messageBox(QString::fromStdString(question), MessageStyle::YesNo, texts::SysexErrorTitle);
        if (answer == MessageAnswer::No) alertOnSysexErrors_ = false;
    }
}

Status KitDocument::Open_Sysex_File(const QString& path)
{
    auto kit = readKitFile(toFilePath(path));
    if (!kit) return Status::failure(kit.error());
    // Said before the decoded kit is taken, so it stands while its bad values are asked about.
    shell_.Status_Update(texts::LoadedStatus);
    adopt(std::move(kit).value(), path);
    openedFrom(path);
    return succeeded();
}

Status KitDocument::Save_Sysex_File(const QString& path)
{
    const auto file = toFilePath(path);
    if (auto encoded = Update_Buffer(); !encoded)
        return Status::failure("Cannot save " + inQuotes(pathToUtf8(file)) + ": " + encoded.error());
    auto saved = saveWholeFile(file, dump_);
    if (saved) {
        cleanFields_ = fields_;
        rememberRecent(path);
        history_.kitSaved(dump_, historyPlace(path));
    }
    return saved;
}

// The status line says it too, so an earlier success no longer stands there.
void KitDocument::reportFailure(const Status& status)
{
    if (status) return;
    shell_.Status_Update(describe(status));
    desktop_.messageBox(describe(status), MessageStyle::Plain);
}

bool KitDocument::mayReplaceKit()
{
    if (!hasUnsavedChanges() && !view_.valueBeingTyped()) return true;
    switch (desktop_.messageBox(texts::SaveChangesQuestion, MessageStyle::SaveDiscardCancel)) {
    case MessageAnswer::Yes: return mnuFile_Save_Click();
    case MessageAnswer::No: return true;
    default: return false;
    }
}

// What the window shows is what a save writes; a refused value has been
// told with its range and stops the save.
bool KitDocument::commitTypedValue()
{
    shell_.commitPendingPadEdit();
    return !view_.valueBeingTyped();
}

void KitDocument::mnuFile_Open_Click()
{
    if (!mayReplaceKit()) return;
    const QString loadPath = settings_.read(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey);
    FileDialogRequest request;
    request.filter = texts::SysexFilter;
    request.startPath = loadPath.isEmpty() ? desktop_.programFolder() : loadPath;
    request.mustExist = true;
    const auto chosen = desktop_.openFileName(request);
    if (chosen) openChosenFile(*chosen);
}

void KitDocument::openChosenFile(const QString& path)
{
    // Kept even when the file then fails to open: the next dialog starts
    // where the user was looking.
    settings_.write(texts::SettingsApplication, texts::SettingsSection, texts::LoadPathKey, path);
    reportFailure(Open_Sysex_File(path));
}

bool KitDocument::mnuFile_Save_Click()
{
    if (currentSysexFile_.isEmpty()) return mnuFile_SaveAs_Click();
    if (!commitTypedValue()) return false;
    const auto saved = Save_Sysex_File(currentSysexFile_);
    reportFailure(saved);
    if (saved) shell_.Status_Update(texts::SavedStatus);
    return bool(saved);
}

bool KitDocument::mnuFile_SaveAs_Click()
{
    if (!kitLoaded_) {
        desktop_.messageBox(texts::NothingToSave, MessageStyle::Plain);
        return false;
    }
    if (!commitTypedValue()) return false;
    FileDialogRequest request;
    request.filter = texts::SysexFilter;
    const auto chosen = desktop_.saveFileName(request);
    if (!chosen) return false;
    const auto saved = Save_Sysex_File(*chosen);
    if (!saved) {
        reportFailure(saved);
        return false;
    }
    currentSysexFile_ = *chosen;
    view_.Display_Caption();
    shell_.Status_Update(texts::SavedStatus);
    return true;
}

void KitDocument::openNamedFile(const QString& path)
{
    if (mayReplaceKit()) reportFailure(Open_Sysex_File(path));
}

// An open like File > Open's: the file joins Open Recent, and the kit's
// history has it opened (from no file, when it has none).
Status KitDocument::openKit(const KitDump& dump, const QString& sourceFile)
{
    if (!mayReplaceKit()) return Status::failure(texts::KitKept.toStdString());
    if (auto taken = Interpret_Buffer(dump, sourceFile); !taken) return taken;
    if (sourceFile.isEmpty())
        history_.kitOpened(dump_, {});
    else
        openedFrom(sourceFile);
    return succeeded();
}

void KitDocument::openedFrom(const QString& path)
{
    rememberRecent(path);
    history_.kitOpened(dump_, historyPlace(path));
}

QStringList KitDocument::recentKits() { return storedRecentKits().paths(); }

RecentKits KitDocument::storedRecentKits()
{
    return RecentKits::parse(
        settings_.read(texts::SettingsApplication, texts::SettingsSection, texts::RecentKitsKey));
}

void KitDocument::openRecent(const QString& path)
{
    // A file that cannot even be looked at (a folder on the way refused) is
    // not gone: the open names why.
    std::error_code unreachable;
    if (!std::filesystem::exists(toFilePath(path), unreachable) && !unreachable) {
        desktop_.messageBox(texts::goneRecentKit(path), MessageStyle::Plain);
        changeRecentKits([&path](RecentKits& recent) { recent.remove(path); });
        return;
    }
    if (mayReplaceKit()) openChosenFile(path);
}

void KitDocument::clearRecentKits()
{
    changeRecentKits([](RecentKits& recent) { recent = {}; });
}

void KitDocument::changeRecentKits(const std::function<void(RecentKits&)>& change)
{
    auto recent = storedRecentKits();
    change(recent);
    settings_.write(texts::SettingsApplication, texts::SettingsSection, texts::RecentKitsKey, recent.serialized());
    view_.showRecentKits(recent.paths());
}

void KitDocument::rememberRecent(const QString& path)
{
    changeRecentKits([absolute = absolutePath(path)](RecentKits& recent) { recent.add(absolute); });
}

}  // namespace morvane
