#include "ServerCalls.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

namespace morvane {
namespace {

using Clock = std::chrono::steady_clock;

// One waited-for call: given up by its caller, or answered by the thread.
struct Answer {
    std::mutex mutex;
    std::condition_variable answered;
    bool givenUp = false;
    std::optional<Status> status;
};

}  // namespace

struct ServerCalls::State {
    std::string serverName;
    std::chrono::milliseconds limit;
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable ended;
    std::deque<std::function<void()>> calls;
    bool finishing = false;
    bool done = false;
    std::atomic<Clock::rep> busySince{0};  // zero while no call runs
    std::thread thread;
};

ServerCalls::ServerCalls(std::string serverName, std::chrono::milliseconds answerLimit)
    : state_(std::make_shared<State>())
{
    state_->serverName = std::move(serverName);
    state_->limit = answerLimit;
    state_->thread = std::thread([state = state_] { run(state); });
}

ServerCalls::~ServerCalls() { finish(); }

// The thread holds the state, so a thread left behind keeps what it needs.
void ServerCalls::run(const std::shared_ptr<State>& state)
{
    std::unique_lock lock(state->mutex);
    while (true) {
        state->wake.wait(lock, [&] { return !state->calls.empty() || state->finishing; });
        if (state->calls.empty()) break;
        auto call = std::move(state->calls.front());
        state->calls.pop_front();
        lock.unlock();
        state->busySince = Clock::now().time_since_epoch().count();
        call();
        state->busySince = 0;
        lock.lock();
    }
    state->done = true;
    state->ended.notify_all();
}

void ServerCalls::post(std::function<void()> call)
{
    std::lock_guard lock(state_->mutex);
    if (state_->finishing) return;
    state_->calls.push_back(std::move(call));
    state_->wake.notify_one();
}

bool ServerCalls::overdue() const
{
    const Clock::rep since = state_->busySince;
    return since != 0 && Clock::now() - Clock::time_point(Clock::duration(since)) > state_->limit;
}

Status ServerCalls::call(std::function<Status()> call)
{
    if (overdue()) return Status::failure(state_->serverName + " does not answer");
    auto answer = std::make_shared<Answer>();
    post([answer, call = std::move(call)] {
        {
            std::lock_guard lock(answer->mutex);
            if (answer->givenUp) return;
        }
        auto status = call();
        std::lock_guard lock(answer->mutex);
        answer->status = std::move(status);
        answer->answered.notify_all();
    });
    std::unique_lock lock(answer->mutex);
    if (answer->answered.wait_for(lock, state_->limit, [&] { return answer->status.has_value(); }))
        return *answer->status;
    answer->givenUp = true;
    return Status::failure(state_->serverName + " did not answer within " + std::to_string(state_->limit.count()) +
                           " ms");
}

void ServerCalls::finish(std::function<void()> last, bool wait)
{
    if (!state_->thread.joinable()) return;
    if (last) post(std::move(last));
    std::unique_lock lock(state_->mutex);
    state_->finishing = true;
    state_->wake.notify_one();
    const bool ended = wait && !overdue() && state_->ended.wait_for(lock, state_->limit, [&] { return state_->done; });
    lock.unlock();
    if (ended)
        state_->thread.join();
    else
        state_->thread.detach();
}

}  // namespace morvane
