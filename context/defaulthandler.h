#pragma once
// What the program does with an error nobody else handled: it tells the user
// (a database failure in plain words) and goes on. Every event handler that may meet one runs its work through
// RunGuarded, so no exception crosses the event loop.
#include <exception>
#include <utility>

void HandleException(const std::exception& error);

template <typename Work>
void RunGuarded(Work&& work)
{
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& error) {
        HandleException(error);
    }
}
