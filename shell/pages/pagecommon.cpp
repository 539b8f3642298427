#include "pagecommon.h"

#include "launcher.h"
#include "records/common/datemath.h"

#include <QVBoxLayout>
#include <QWidget>

namespace {

constexpr int kAdultYears = 16;

}  // namespace

bool IsAdult(TDateTime dateOfBirth)
{
    return YearsBetween(dateOfBirth, Date()) >= kAdultYears;
}

void FillPage(QWidget& page, QWidget& content)
{
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(&content);
}

TDialogID AccountDialog(bool fsa)
{
    return fsa ? TDialogID::FSA : TDialogID::Insurance;
}

QString NoMembersWarning(bool fsa)
{
    return fsa ? QStringLiteral("Please first add at least one member before adding FSA.")
               : QStringLiteral("Please first add at least one member before adding insurance.");
}
