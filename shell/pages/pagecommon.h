#pragma once
// Small things the pages share.
#include "platform/datetime.h"

#include <QSize>
#include <QString>

enum class TDialogID;

class QWidget;

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

// The account type of an FSA in MEDINS.
inline constexpr qint32 kFSAAccountType = 5;
// The dialog that edits an FSA or an insurance account.
TDialogID AccountDialog(bool fsa);
// A new account needs a member to cover.
QString NoMembersWarning(bool fsa);
