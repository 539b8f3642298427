#pragma once
// Small things the pages share.
#include "platform/datetime.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <optional>

class QLabel;
enum class TDialogID;
struct TDialogOutcome;

class QWidget;

// The colour of the pages' headings and links.
inline const QColor kNavy(0, 0, 128);

// Where the pages' menus go in the main window's menu bar.
inline constexpr int kFileMenuGroup = 1;
inline constexpr int kViewMenuGroup = 3;
inline constexpr int kInsuranceReportMenuGroup = 4;
inline constexpr int kReportMenuGroup = 8;
inline constexpr int kHelpMenuGroup = 9;

inline constexpr QSize kItemPictureSize(47, 55);

// Sixteen whole years or more from the birth date to today.
bool IsAdult(TDateTime dateOfBirth);

// The page shows the widget alone, edge to edge.
void FillPage(QWidget& page, QWidget& content);
// The pages are white.
void MakeWhite(QWidget& widget);
// Bold, underlined and navy: a label that opens something.
void StyleAsLink(QLabel& label, int pointSize, const QString& family = QString());
// A tooltip that shows a text as typed: Qt reads one that looks like markup
// as rich text, so such a text goes in escaped.
QString PlainToolTip(const QString& text);
// Closes the page's window once the event being delivered has returned:
// closing deletes the page, and with it the menu or button that asked.
void CloseWindowLater(QWidget& page);

// The account type of an FSA in MEDINS.
inline constexpr qint32 kFSAAccountType = 5;
// The dialog that edits an FSA or an insurance account.
TDialogID AccountDialog(bool fsa);
// Opens the dialog of a new FSA or insurance account; without a member to
// cover, it tells the user instead and gives nothing.
std::optional<TDialogOutcome> OpenNewAccount(bool fsa);
