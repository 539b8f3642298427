#pragma once
// Page switching shared by the main window and its pages: a page asks for
// another by storing the request and posting an event to the application; the
// main window's message hook carries it out once the asking handler returned.
#include <QEvent>
#include <QObject>
#include <functional>
#include <vector>

// The pages of the main window.
enum ModuleID : qint32 {
    ModToDoTutor = 13,
    ModAddrTutor = 52,
    ModMedFolder = 130,
    ModMedPay = 131,
    ModMedPage = 132,   // Param1 is the member id
    ModMedToc = 133,    // the home page
    ModMedMember = 134,
    ModMedInsurance = 135,
    ModInternetInfo = 171,
};

// The request waiting for the posted event.
extern qint32 PendingModuleID;
extern qint32 PendingParam1;
extern qint32 PendingParam2;
extern qint32 PendingParam3;

// The event PostNavigate posts to the application object.
QEvent::Type NavigateEventType();

// Stores the request, posts the event and returns the module id.
qint32 PostNavigate(qint32 moduleID, qint32 param1, qint32 param2, qint32 param3);

// The main window's application event filter. Whoever runs a window of its
// own loop (the report preview) removes it from the application meanwhile
// and installs it again afterwards.
extern QObject* AppMessageHook;

struct TNavigateHistory {
    qint32 moduleID = 0;
    qint32 param1 = 0;
    qint32 param2 = 0;
    qint32 param3 = 0;

    bool operator==(const TNavigateHistory&) const = default;
};

// The pages shown, oldest first, and the one shown now.
class TNavHistory {
public:
    static constexpr int MaxEntries = 10;
    // Whether an entry's page can still be shown (a member's page needs its
    // member); without one, every entry can.
    using Showable = std::function<bool(const TNavigateHistory&)>;

    // Drops the entries after the current one, and the oldest when full.
    void Record(const TNavigateHistory& entry);
    // The nearest entry that can be shown, or nullptr when none lies that way;
    // the entries passed over stay.
    const TNavigateHistory* Back(const Showable& showable = {});
    const TNavigateHistory* Forward(const Showable& showable = {});
    void Clear();

    bool CanGoBack(const Showable& showable = {}) const { return Nearest(index_ - 1, -1, showable) >= 0; }
    bool CanGoForward(const Showable& showable = {}) const { return Nearest(index_ + 1, 1, showable) >= 0; }
    int Index() const { return index_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TNavigateHistory& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }

private:
    // The index of the first entry that can be shown, from one index on in
    // steps of one way; -1 for none.
    int Nearest(int from, int step, const Showable& showable) const;

    std::vector<TNavigateHistory> entries_;
    int index_ = 0;
};

extern TNavHistory NavHistory;
