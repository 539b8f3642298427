#include "formmedpage.h"

#include "clicklabel.h"
#include "context/context.h"
#include "launcher.h"
#include "pagecommon.h"
#include "pageframe.h"
#include "pagepictures.h"
#include "platform/dataset.h"
#include "platform/ui/guarded.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr QSize kPictureSize(64, 64);

struct TMemberTool {
    TClickLabel* TFormMedPage::*picture;
    const char* pictureName;
    TPagePicture image;
    const char* heading;
    const char* explanation;
    TDialogID dialog;
};

const TMemberTool kTools[] = {
    {&TFormMedPage::ImgCheckup, "ImgCheckup", TPagePicture::CheckupSchedule, "Check-up Schedule",
     "The check-ups recommended for the member's age and sex, when each was last done and when it is due next.",
     TDialogID::CheckupSchedule},
    {&TFormMedPage::ImgRecord, "ImgRecord", TPagePicture::MedicalHistory, "Medical History",
     "The member's profile and vision, allergies, childhood diseases, adult illnesses, prescriptions and surgeries.",
     TDialogID::MedicalHistory},
    {&TFormMedPage::ImgImmu, "ImgImmu", TPagePicture::ImmunizationSchedule, "Immunization Schedule",
     "The vaccines recommended for children, with the doses given and the ones to come.",
     TDialogID::ImmunizationSchedule},
};

QString FirstNameOf(qint32 memberID)
{
    TQuery member(DataFolder);
    member.SQL() << QStringLiteral("SELECT FirstName FROM MEDPROF") << QStringLiteral("WHERE MemberID = :MemberID");
    member.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
    member.Open();
    return member.Eof() ? QString() : member.FieldByName(QStringLiteral("FirstName")).AsString();
}

TClickLabel* ToolHeading(const QString& text, QWidget* parent)
{
    auto* heading = new TClickLabel(parent);
    heading->setText(text);
    StyleAsLink(*heading, 12);
    return heading;
}

}  // namespace

bool MemberOnRecord(qint32 memberID)
{
    TQuery member(DataFolder);
    member.SQL() << QStringLiteral("SELECT MemberID FROM MEDPROF") << QStringLiteral("WHERE MemberID = :MemberID");
    member.ParamByName(QStringLiteral("MemberID")).SetAsInteger(memberID);
    member.Open();
    return !member.Eof();
}

TFormMedPage::TFormMedPage(QWidget* parent) : QWidget(parent), memberID_(CurMemberID)
{
    setObjectName(QStringLiteral("FormMedPage"));
    const QString heading = FirstNameOf(memberID_) + QStringLiteral("'s Medical Page");
    setWindowTitle(heading);
    auto* frame = new TPageFrame(this, heading);
    JazLabel1 = frame->JazLabel1;
    FillPage(*this, *frame);

    auto* grid = new QGridLayout(frame->Body());
    grid->setContentsMargins(24, 20, 24, 20);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const TMemberTool& tool : kTools) {
        auto* picture = new TClickLabel(frame->Body());
        picture->setObjectName(QString::fromLatin1(tool.pictureName));
        picture->setPixmap(PagePicture(tool.image, kPictureSize));
        auto* toolHeading = ToolHeading(QString::fromLatin1(tool.heading), frame->Body());
        auto* explanation = new QLabel(QString::fromLatin1(tool.explanation), frame->Body());
        explanation->setWordWrap(true);
        this->*tool.picture = picture;

        const bool dialogThere = Launcher::Has(tool.dialog);
        const TDialogID dialog = tool.dialog;
        for (TClickLabel* control : {picture, toolHeading}) {
            control->setEnabled(dialogThere);
            connect(control, &TClickLabel::clicked, this, [this, dialog] { RunGuarded([this, dialog] { OpenForMember(dialog); }); });
        }
        grid->addWidget(picture, row, 0, 3, 1, Qt::AlignTop);
        grid->addWidget(toolHeading, row, 1);
        grid->addWidget(explanation, row + 1, 1);
        grid->setRowMinimumHeight(row + 2, 24);
        row += 3;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
}

void TFormMedPage::OpenForMember(TDialogID dialog)
{
    CurMemberID = memberID_;
    Launcher::Open(dialog);
}
