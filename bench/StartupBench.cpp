// Start-up to the mapped window (wall and CPU time) and memory of the editor
// on a kit, beside one MIDI device on JACK, against a bare Qt 6 main window
// and one with the editor's menu bar and a status line (BARE --menus), all
// three measured in turn in the same run. Needs an X display (e.g. xvfb-run)
// and a JACK server (source scripts/jack-session.sh; start_jack_if_needed).
//
//   startup_bench EDITOR BARE KIT [RUNS, at least 11]
#include <jack/jack.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    double milliseconds;
    double cpuMilliseconds;
    long pssKiB;
};

// The CPU time of all the program's threads so far, from the scheduler's
// nanosecond counts (the tick counts of /proc/PID/stat are too coarse).
double cpuMilliseconds(pid_t pid)
{
    double total = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double nanoseconds = 0;
        if (schedstat >> nanoseconds) total += nanoseconds / 1e6;
    }
    return total;
}

// Proportional set size, JACK's shared memory aside: it is the server's,
// and the same for every client.
long pssWithoutJack(pid_t pid)
{
    std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
    long total = 0;
    bool jackMapping = false;
    for (std::string line; std::getline(smaps, line);) {
        if (line.find('-') < line.find(' ') && line.find(':') != 5)  // a mapping's header line
            jackMapping = line.find("/dev/shm/jack") != std::string::npos;
        if (!jackMapping && line.rfind("Pss:", 0) == 0) total += std::stol(line.substr(4));
    }
    return total;
}

// A killed client stays on the server until the server notices; the next
// start must not pay for that.
void waitUntilTheEditorLeftJack(jack_client_t* device)
{
    for (int i = 0; i < 1000; ++i) {
        const char** ports = jack_get_ports(device, "^Morvane Editor", nullptr, 0);
        const bool gone = !ports;
        jack_free(static_cast<void*>(ports));
        if (gone) return;
        usleep(10000);
    }
}

xcb_atom_t atom(xcb_connection_t* x, const char* name)
{
    auto* reply = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return value;
}

// Closes the window as a window manager would, so the program leaves JACK in
// order: a killed client can hold a synchronous server up for seconds.
void closeWindow(xcb_connection_t* x, xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = atom(x, "WM_DELETE_WINDOW");
    xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(x);
}

void stop(xcb_connection_t* x, pid_t pid, xcb_window_t window)
{
    closeWindow(x, window);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Runs program until its first top-level window is mapped.
Sample measure(xcb_connection_t* x, jack_client_t* device, const std::vector<std::string>& command)
{
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    double milliseconds = -1, cpu = -1;
    xcb_window_t window = XCB_NONE;
    while (milliseconds < 0 && Clock::now() - start < std::chrono::seconds(20)) {
        auto* event = xcb_poll_for_event(x);
        if (!event) {
            usleep(200);
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            cpu = cpuMilliseconds(pid);
            window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        }
        free(event);
    }
    usleep(300000);  // let it settle before its memory is counted
    const long pss = pssWithoutJack(pid);
    stop(x, pid, window);
    waitUntilTheEditorLeftJack(device);
    while (auto* event = xcb_poll_for_event(x)) free(event);  // its other windows, if any
    std::string commandLine;
    for (const auto& arg : command) commandLine += arg + ' ';
    std::fprintf(stderr, "%s: %.1f ms, CPU %.1f ms, %ld KiB\n", commandLine.c_str(), milliseconds, cpu, pss);
    return {milliseconds, cpu, pss};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of one program's runs.
struct Medians {
    double milliseconds, cpuMilliseconds, pssKiB;
};

class Program {
public:
    Program(const char* label, std::vector<std::string> command) : label_(label), command_(std::move(command)) {}

    void run(xcb_connection_t* x, jack_client_t* device) { samples_.push_back(measure(x, device, command_)); }

    Medians medians() const
    {
        std::vector<double> ms, cpu, pss;
        for (const auto& sample : samples_) {
            ms.push_back(sample.milliseconds);
            cpu.push_back(sample.cpuMilliseconds);
            pss.push_back(static_cast<double>(sample.pssKiB));
        }
        return {median(ms), median(cpu), median(pss)};
    }

    void print() const
    {
        const auto m = medians();
        std::printf("%-32s %8.1f ms %8.1f ms %9.0f KiB\n", label_, m.milliseconds, m.cpuMilliseconds, m.pssKiB);
    }

    void printRatio(const Program& yardstick) const
    {
        const auto m = medians(), y = yardstick.medians();
        std::printf("%-32s %8.2fx   %8.2fx   %9.2fx\n", ("editor / " + std::string(yardstick.label_)).c_str(),
                    m.milliseconds / y.milliseconds, m.cpuMilliseconds / y.cpuMilliseconds, m.pssKiB / y.pssKiB);
    }

private:
    const char* label_;
    std::vector<std::string> command_;
    std::vector<Sample> samples_;
};

// The one MIDI device: a JACK client with an input and an output, which
// the editor opens at start-up as remembered ports.
jack_client_t* startDevice()
{
    auto* device = jack_client_open("bench-device", JackNoStartServer, nullptr);
    if (!device) return nullptr;
    jack_port_register(device, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_port_register(device, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    jack_activate(device);
    return device;
}

void rememberTheDevice(const std::filesystem::path& configHome)
{
    std::ofstream("" + (configHome / "Morvane Editor.conf").string())
        << "[MIDI]\nInput%20Name=bench-device:out\nOutput%20Name=bench-device:in\n";
    setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 4 ? std::atoi(argv[4]) : 15;
    if (argc < 4 || runs < 11) {
        std::fputs("usage: startup_bench EDITOR BARE KIT [RUNS, at least 11]\n", stderr);
        return 2;
    }
    auto* device = startDevice();
    if (!device) {
        std::fputs("startup_bench: no JACK server runs\n", stderr);
        return 1;
    }
    const auto configHome = std::filesystem::temp_directory_path() / ("startup-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(configHome);
    rememberTheDevice(configHome);

    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fputs("startup_bench: no X display\n", stderr);
        return 1;
    }
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, xcb_setup_roots_iterator(xcb_get_setup(x)).data->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    Program bare("bare Qt window", {argv[2]});
    Program menus("menu bar and status line", {argv[2], "--menus"});
    Program editor("editor on the kit", {argv[1], argv[3]});
    for (int i = 0; i < runs; ++i)  // in turn, so all three see the same machine
        for (Program* program : {&bare, &menus, &editor}) program->run(x, device);
    std::printf("start-up to the mapped window, medians of %d runs each:\n", runs);
    std::printf("%-32s %11s %11s %13s\n", "", "wall time", "CPU time", "memory (Pss)");
    for (const Program* program : {&bare, &menus, &editor}) program->print();
    editor.printRatio(bare);
    editor.printRatio(menus);
    std::puts("(memory without JACK's shared memory, counted 300 ms after the map)");
    xcb_disconnect(x);
    jack_client_close(device);
    std::filesystem::remove_all(configHome);
    return 0;
}
