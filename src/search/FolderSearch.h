#pragma once

#include <filesystem>
#include <string>

namespace morvane {

// A path as the platform spells it: its own separator and character type.
using NativePathText = std::filesystem::path::string_type;

// The folder, one separator, the name. A folder that already ends in a
// separator (the root of a drive) gets none more, so no separator is doubled.
NativePathText joinFolderAndName(const NativePathText& folder, const NativePathText& name);

// "*.syx" as the desktop's file lists apply it: the extension in any letter case.
bool matchesKitDumpPattern(const NativePathText& fileName);

// Names starting with a dot are hidden: a trash folder, or the resource
// forks another system leaves beside each kit on a memory card.
bool isHiddenName(const NativePathText& name);

// The order the desktop's folder and file lists show names in: letter case
// ignored, ties broken by the exact text so the order is always the same.
bool comesBeforeByName(const NativePathText& left, const NativePathText& right);

// What a folder search reports while it walks; it keeps nothing itself.
class FolderSearchListener {
public:
    virtual ~FolderSearchListener() = default;
    // Called before each subfolder is searched, so a window can repaint;
    // false ends the whole search there.
    virtual bool enteringSubfolder() { return true; }
    virtual void foundFile(const NativePathText& path) = 0;
    virtual void unreadableFolder(const NativePathText& path, const std::string& reason) = 0;
};

// Search_Folder: every "*.syx" file under folder, depth first: a folder's
// subfolders by name, each searched whole, before its own files by name.
// Hidden files and folders are left out, as the window's lists leave them.
// Streams each path to the listener as it is found. A folder that cannot be
// read is reported and skipped. A link to a folder is followed only when it
// leads outside every tree already being searched, so nothing is found twice
// and a link back into the tree never loops.
void Search_Folder(const std::filesystem::path& folder, FolderSearchListener& listener);

}  // namespace morvane
