#pragma once

#include <string>
#include <utility>
#include <variant>

namespace morvane {

// A value, or the reason it could not be had. The kit library reports every
// refusal this way so that no exception ever crosses into the windows.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    static Result failure(std::string why) { return Result(Failure{std::move(why)}); }

    explicit operator bool() const { return std::holds_alternative<T>(state_); }
    const T& value() const& { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const std::string& error() const { return std::get<Failure>(state_).why; }

private:
    struct Failure {
        std::string why;
    };
    explicit Result(Failure f) : state_(std::move(f)) {}
    std::variant<T, Failure> state_;
};

struct Done {};
using Status = Result<Done>;

inline Status succeeded() { return Done{}; }

}  // namespace morvane
