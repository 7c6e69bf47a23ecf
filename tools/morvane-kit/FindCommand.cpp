// find: the kit dump files the batch window's "Add Entire Directory To List"
// would add for a folder, from the same search, in the same order.
#include "Command.h"
#include "KitText.h"

#include "base/Text.h"
#include "search/FolderSearch.h"

namespace morvane::tool {
namespace {

int runFind(const Arguments& args, Console& console);

const Command Find{"find", "[-0] DIR",
                   "Prints every .syx file under DIR, one path per line, in the order the batch window adds them.",
                   "A folder's subfolders come first, by name, each searched whole, then its own files by name.\n"
                   "The .syx extension matches in any letter case; hidden files and folders (names starting\n"
                   "with a dot) are left out. Folders that cannot be read are named on standard error and\n"
                   "skipped (exit status 1); links back into DIR are not followed.\n"
                   "Control characters in paths are shown escaped (\\n, \\t, \\x1b). With -0 (or --null) each\n"
                   "path is written as it is and ends with a NUL byte instead of a newline, for xargs -0.\n",
                   runFind};

class PathPrinter final : public FolderSearchListener {
public:
    PathPrinter(Console& console, bool nulTerminated) : console_(console), nulTerminated_(nulTerminated) {}

    void foundFile(const NativePathText& path) override
    {
        if (nulTerminated_)
            console_.out << pathToUtf8(path) << '\0';
        else
            console_.out << terminalText(pathToUtf8(path)) << '\n';
    }
    void unreadableFolder(const NativePathText& path, const std::string& reason) override
    {
        console_.err << "morvane-kit: cannot read " << inQuotes(terminalText(pathToUtf8(path))) << ": " << reason
                     << "\n";
        anyUnreadable = true;
    }

    bool anyUnreadable = false;

private:
    Console& console_;
    bool nulTerminated_;
};

int runFind(const Arguments& args, Console& console)
{
    bool nulTerminated = false;
    Arguments folders;
    for (const auto& arg : args) {
        if (arg == "-0" || arg == "--null")
            nulTerminated = true;
        else
            folders.push_back(arg);
    }
    if (folders.size() != 1)
        return usageError(console, Find, folders.empty() ? "DIR is missing" : "more than one DIR");
    PathPrinter printer(console, nulTerminated);
    Search_Folder(utf8ToPath(folders[0]), printer);
    console.out.flush();
    return printer.anyUnreadable ? ExitRefused : ExitSuccess;
}

}  // namespace

std::vector<Command> findCommands() { return {Find}; }

}  // namespace morvane::tool
