// Checks done() every few milliseconds for up to timeoutMs, running pump (e.g. an event loop) between checks.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

template <typename Predicate>
bool WaitUntil(Predicate done, int timeoutMs = 20000, const std::function<void()>& pump = {})
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (pump)
            pump();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}
