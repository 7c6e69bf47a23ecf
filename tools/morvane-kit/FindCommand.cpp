// find: the kit dump files the batch window's "Add Entire Directory To List"
// would add for a folder, from the same search, in the same order.
#include "Command.h"

#include "batch/FolderSearch.h"

namespace morvane::tool {
namespace {

int runFind(const Arguments& args, Console& console);

const Command Find{"find", "DIR",
                   "Prints every .syx file under DIR, one path per line, in the order the batch window adds them.",
                   "A folder's subfolders come first, by name, each searched whole, then its own files by name.\n"
                   "The .syx extension matches in any letter case; hidden files and folders (names starting\n"
                   "with a dot) are left out. Folders that cannot be read are named on standard error and\n"
                   "skipped (exit status 1); links back into DIR are not followed.\n",
                   runFind};

class PathPrinter final : public FolderSearchListener {
public:
    explicit PathPrinter(Console& console) : console_(console) {}

    void foundFile(const NativePathText& path) override { console_.out << listEntryText(path) << '\n'; }
    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        console_.err << "morvane-kit: cannot read \"" << listEntryText(path) << "\": " << reason << "\n";
        anyUnreadable = true;
    }

    bool anyUnreadable = false;

private:
    Console& console_;
};

int runFind(const Arguments& args, Console& console)
{
    if (args.size() != 1) return usageError(console, Find, args.empty() ? "DIR is missing" : "more than one DIR");
    PathPrinter printer(console);
    Search_Folder(nativePathOf(args[0]), printer);
    console.out.flush();
    return printer.anyUnreadable ? ExitRefused : ExitSuccess;
}

}  // namespace

std::vector<Command> findCommands() { return {Find}; }

}  // namespace morvane::tool
