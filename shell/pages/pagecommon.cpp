#include "pagecommon.h"

#include "launcher.h"
#include "platform/ui/messagebox.h"
#include "records/common/datemath.h"

#include <QLabel>
#include <QTextDocument>
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

void MakeWhite(QWidget& widget)
{
    widget.setAutoFillBackground(true);
    QPalette white = widget.palette();
    white.setColor(QPalette::Window, Qt::white);
    widget.setPalette(white);
}

void StyleAsLink(QLabel& label, int pointSize, const QString& family)
{
    QFont font = family.isEmpty() ? label.font() : QFont(family);
    font.setPointSize(pointSize);
    font.setBold(true);
    font.setUnderline(true);
    label.setFont(font);
    // A disabled link keeps the grey of disabled text.
    QPalette navy = label.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        navy.setColor(group, QPalette::WindowText, kNavy);
    label.setPalette(navy);
}

QString PlainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

void CloseWindowLater(QWidget& page)
{
    QMetaObject::invokeMethod(page.window(), &QWidget::close, Qt::QueuedConnection);
}

std::optional<TDialogOutcome> OpenNewAccount(bool fsa)
{
    TDialogRequest request;
    request.isNew = true;
    const TDialogOutcome outcome = Launcher::Open(AccountDialog(fsa), request);
    if (!outcome.noMembers)
        return outcome;
    ShowMessageBox(fsa ? QStringLiteral("Please first add at least one member before adding FSA.")
                       : QStringLiteral("Please first add at least one member before adding insurance."),
                   MsgIcon::Warning);
    return std::nullopt;
}
