#pragma once

#include "base/Result.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace morvane {

// One thread that makes every call which may wait on a MIDI server, so that
// a server that stops answering holds up that thread only. A caller waits
// for an answer at most the answer limit; while a call is overdue, later
// calls fail at once instead of queueing behind it. Calls run in the order
// given, and a call given up on is never run later.
class ServerCalls {
public:
    // serverName is how failures name the server ("the JACK server").
    ServerCalls(std::string serverName, std::chrono::milliseconds answerLimit);
    // As finish with nothing left to do.
    ~ServerCalls();
    ServerCalls(const ServerCalls&) = delete;
    ServerCalls& operator=(const ServerCalls&) = delete;

    // Runs the call there and waits for its answer at most the limit.
    Status call(std::function<Status()> call);
    // Runs the call there in turn, without waiting for it.
    void post(std::function<void()> call);
    // True while a call has been running for longer than the limit.
    bool overdue() const;
    // Runs last, then ends the thread. Waits at most the limit, and not at
    // all when told not to or while a call is overdue: a thread still waiting
    // on its server is left behind with what its calls hold, to end when
    // the server answers.
    void finish(std::function<void()> last = {}, bool wait = true);

private:
    struct State;
    static void run(const std::shared_ptr<State>& state);

    std::shared_ptr<State> state_;
};

}  // namespace morvane
