#pragma once

#include <chrono>
#include <functional>

namespace dustbane::e2e {

using namespace std::chrono_literals;

// Long enough for a cold start of a program in a fresh Wine prefix.
inline constexpr std::chrono::milliseconds defaultTimeout = 20s;

// Polls the condition every few milliseconds until it holds or the timeout passes; answers
// whether it held. Tests synchronise through this, never through fixed sleeps.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = defaultTimeout);

} // namespace dustbane::e2e
