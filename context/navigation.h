#pragma once
// Page switching shared by the main window and its pages: a page asks for
// another by storing the request and posting an event to the application; the
// main window's message hook carries it out once the asking handler returned.
#include <QEvent>
#include <QObject>
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

    // Drops the entries after the current one, and the oldest when full.
    void Record(const TNavigateHistory& entry);
    // The entry to show, or nullptr at either end.
    const TNavigateHistory* Back();
    const TNavigateHistory* Forward();
    void Clear();

    bool CanGoBack() const { return index_ > 0; }
    bool CanGoForward() const { return index_ + 1 < Count(); }
    int Index() const { return index_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const TNavigateHistory& Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }

private:
    std::vector<TNavigateHistory> entries_;
    int index_ = 0;
};

extern TNavHistory NavHistory;
