#pragma once
// Every export runs its body through Guarded: the exports are noexcept, and an
// allocation failure deep inside the library becomes the call's failure value.
#include <utility>

namespace treedoc {

template <typename R, typename Body>
R Guarded(R failure, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return failure;
    }
}

template <typename Body>
void GuardedVoid(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

}  // namespace treedoc
