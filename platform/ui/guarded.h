#pragma once
// What the program does with an error nobody else handled: it tells the user
// and goes on. Every event handler that may meet one runs its work through
// RunGuarded, so no exception crosses the event loop.
#include <QString>
#include <exception>
#include <functional>
#include <utility>

void HandleException(const std::exception& error);

// The words the user reads for an error; by default the error's own text.
// The layers that know more (which database, what to do) put theirs in.
using ErrorWording = std::function<QString(const std::exception& error)>;
void InstallErrorWording(ErrorWording wording);

template <typename Work>
void RunGuarded(Work&& work)
{
    try {
        std::forward<Work>(work)();
    } catch (const std::exception& error) {
        HandleException(error);
    }
}
