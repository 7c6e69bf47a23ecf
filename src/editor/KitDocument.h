#pragma once

#include "kit/KitCodec.h"
#include "kit/KitDump.h"
#include "kit/KitFile.h"
#include "base/Result.h"
#include "midi/KitHost.h"
#include "RecentKits.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace morvane {

class Desktop;
class Settings;
class KitEdits;
class KitHistory;
class KitView;
class WindowShell;

// The current kit: its dump, the decoded fields the editor changes, the file
// it belongs to, and the File commands that load and store it. A refused
// load or save is told to the user and changes nothing the user relies on.
// It is also the kit the MIDI commands send and replace. New kit settings
// are told to KitEdits as a step, and a new kit ends the steps taken. Each
// kit opened from a file and each save are told to the kit history. A kit
// with changes, or a value being typed, is not replaced or dropped before
// the user chose to save or discard them.
class KitDocument final : public KitHost {
public:
    KitDocument(Desktop& desktop, Settings& settings, KitView& view, WindowShell& shell, KitEdits& edits,
                KitHistory& history);

    const KitDump& kitDump() const override { return dump_; }
    const KitFields& fields() const { return fields_; }
    // Pad edits change the fields only; the dump follows at Update_Buffer.
    KitFields& fields() { return fields_; }
    const QString& CurrentSysexFile() const { return currentSysexFile_; }
    bool kitLoaded() const override { return kitLoaded_; }
    // The fields differ from those last opened, saved or received.
    bool hasUnsavedChanges() const { return kitLoaded_ && fields_ != cleanFields_; }
    // Asks "Save changes to the kit?" when there is something to lose. True
    // when the kit may go: nothing to lose, discarded, or saved.
    bool mayReplaceKit();

    // The kit title as the user reads it.
    QString kitNameText() const;
    QString shortFileName() const;

    // Decodes dump as the new current kit that came from sourceFile (empty:
    // not from a file), asks about bad pad values and refreshes the view.
    // On a refusal nothing changes and the reason is returned.
    Status Interpret_Buffer(const KitDump& dump, const QString& sourceFile = {});
    // Writes the fields into the dump; refuses, writing nothing, when a
    // field cannot be stored.
    Status Update_Buffer() override;
    void takeReceivedDump(const KitDump& dump) override;
    // New kit settings, as the kit settings dialog passes them (the bank
    // argument is the bank plus one). Refuses a name the dump cannot hold.
    Status Replace_System_Variables(const QString& newKitName, int newKitNumber, int newBankArgument);
    // Puts the fields of an undone or redone step back and shows them; the
    // dump follows at Update_Buffer, as after any edit.
    void restoreFields(const KitFields& fields);

    // Reads and decodes a kit file. On success it becomes the current kit.
    Status Open_Sysex_File(const QString& path);
    Status Save_Sysex_File(const QString& path);

    // The commands that replace the kit ask mayReplaceKit first.
    void mnuFile_Open_Click();
    // Both commit a value being typed first; true when the kit was saved.
    bool mnuFile_Save_Click();
    bool mnuFile_SaveAs_Click();
    // A path from the command line or a file dropped on the window: opened
    // as File > Open opens it, without the dialog and leaving "loadpath" be.
    void openNamedFile(const QString& path);
    // A kit from the library, as Interpret_Buffer takes it, told to the kit
    // history as opened; a kit the user keeps is the reason for a refusal.
    Status openKit(const KitDump& dump, const QString& sourceFile);

    // The kit files opened or saved last, most recent first, as kept in the settings.
    QStringList recentKits();
    // A file of File > Open Recent: opened as File > Open opens the file it
    // is given; a file that is gone is told and leaves the list.
    void openRecent(const QString& path);
    void clearRecentKits();

private:
    // Makes a decoded kit the current one, asks about its bad pad values
    // and shows it.
    void adopt(LoadedKit kit, const QString& sourceFile);
    void Check_Sysex();
    void openChosenFile(const QString& path);
    RecentKits storedRecentKits();
    // Changes the stored list as it is now, so another running editor's
    // additions stay, and shows the result.
    void changeRecentKits(const std::function<void(RecentKits&)>& change);
    void rememberRecent(const QString& path);
    // The file joins Open Recent and the kit history has it opened from there.
    void openedFrom(const QString& path);
    void reportFailure(const Status& status);
    bool commitTypedValue();

    Desktop& desktop_;
    Settings& settings_;
    KitView& view_;
    WindowShell& shell_;
    KitEdits& edits_;
    KitHistory& history_;
    KitDump dump_ = emptyKitDump();
    KitFields fields_;
    KitFields cleanFields_;
    QString currentSysexFile_;
    bool alertOnSysexErrors_ = true;
    bool kitLoaded_ = false;
};

}  // namespace morvane
