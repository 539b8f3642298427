#pragma once

#include <memory>
#include <utility>

// Shows the hourglass for as long as it lives; nests.
class HourglassCursor {
public:
    HourglassCursor();
    ~HourglassCursor();
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;

private:
    bool active_;
};

// A window whose creation reads the database, made under the hourglass.
template <class Window, class... Args>
std::unique_ptr<Window> MakeUnderHourglass(Args&&... args)
{
    HourglassCursor wait;
    return std::make_unique<Window>(std::forward<Args>(args)...);
}
