// Linked only into sanitizer builds. The D-Bus library that Qt's desktop
// integration loads keeps one buffer until the process ends; that is not the
// editor's memory, so the leak checker is told to leave it out.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
