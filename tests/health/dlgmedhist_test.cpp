#include "medhistenv.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/efsimple.h"
#include "controls/efspinner.h"
#include "health/dlgnewmedmember.h"
#include "health/radiogroup.h"
#include "platform/dataset.h"
#include "reports/rpstandardpreview.h"
#include "shell/modulepages.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/formmedfolder.h"
#include "shell/pages/formmedpage.h"
#include "shell/pages/launcher.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QTreeWidget>

namespace {

class Profile : public MedHistTest {};

void ChooseUnit(TRadioGroup& group, int index)
{
    group.Item(index)->click();
}

QString LensCell(TDlgMedHist& dialog, int row, int column)
{
    return dialog.SGVision->item(row + 1, column + 2)->text();
}

void SetLensCell(TDlgMedHist& dialog, int row, int column, const QString& text)
{
    dialog.SGVision->item(row + 1, column + 2)->setText(text);
}

TEST_F(Profile, FiveFeetElevenShowsBothBoxesAndCentimetresStoreTheFirstBoxAlone)
{
    TMemberRow row;
    row.height = 71;
    row.weight = 0;
    const qint32 ann = AddMember(row);
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(dialog.PFHeight1->TextValue().trimmed(), QStringLiteral("5"));
    EXPECT_EQ(dialog.PFHeight2->TextValue().trimmed(), QStringLiteral("11"));
    EXPECT_TRUE(dialog.PFHeight2->isVisible());
    EXPECT_TRUE(dialog.PFWeight->TextValue().trimmed().isEmpty()) << "a weight of 0 shows as an empty field";
    EXPECT_EQ(dialog.LabelDOB->text(), QStringLiteral("5/31/1980"));
    EXPECT_EQ(dialog.LabelSex->text(), QStringLiteral("Female"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ann's Medical History"));
    EXPECT_EQ(dialog.Label46->text(), QStringLiteral("Ann's Profile"));

    ChooseUnit(*dialog.RGHeight, kHeightCentimetres);
    EXPECT_FALSE(dialog.PFHeight2->isVisible());
    EXPECT_FALSE(dialog.EfSpinner3->isVisible());
    dialog.PFHeight1->SetIntegerValue(180);
    dialog.PFWeight->SetIntegerValue(72);
    ChooseUnit(*dialog.RGWeight, kWeightKgs);
    ASSERT_TRUE(Close());

    const std::optional<TMedProfile> stored = ReadMedProfile(ann);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->height, 180) << "the hidden inches box (11) is not added";
    EXPECT_EQ(stored->heightUnit, kHeightCentimetres);
    EXPECT_EQ(stored->weight, 72);
    EXPECT_EQ(stored->weightUnit, kWeightKgs);
    EXPECT_TRUE(boxes_.shown.isEmpty());
}

TEST_F(Profile, FeetAndInchesAreStoredAsInchesAndAZeroHeightShowsEmpty)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    EXPECT_TRUE(dialog.PFHeight1->TextValue().trimmed().isEmpty());
    EXPECT_TRUE(dialog.PFHeight2->TextValue().trimmed().isEmpty());
    dialog.PFHeight1->SetIntegerValue(6);
    dialog.PFHeight2->SetIntegerValue(0);
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedProfile(ann)->height, 72);
    EXPECT_EQ(ReadMedProfile(ann)->heightUnit, kHeightFeetInches);

    TDlgMedHist& again = Open(ann);
    EXPECT_EQ(again.PFHeight1->TextValue().trimmed(), QStringLiteral("6"));
    EXPECT_EQ(again.PFHeight2->TextValue().trimmed(), QStringLiteral("0"));
}

TEST_F(Profile, HeightBoxesSplitAndJoin)
{
    EXPECT_EQ(SplitHeight(71, kHeightFeetInches).first, 5);
    EXPECT_EQ(SplitHeight(71, kHeightFeetInches).second, 11);
    EXPECT_EQ(SplitHeight(72, kHeightFeetInches).second, 0);
    EXPECT_EQ(SplitHeight(183, kHeightCentimetres).first, 183);
    EXPECT_EQ(JoinHeight({5, 11}, kHeightFeetInches), 71);
    EXPECT_EQ(JoinHeight({183, 11}, kHeightCentimetres), 183);
}

// Whatever the new-member dialog stores, the history shows and keeps when it
// is opened and closed unchanged; both dialogs take the same numbers.
TEST_F(Profile, AWeightOrHeightANewMemberMayHaveSurvivesOpeningAndClosing)
{
    struct Case {
        qint32 weight;
        qint32 height;
        qint32 heightUnit;
        const char* feetOrCentimetres;
        const char* inches;
    };
    for (const Case& c : {Case{40000, 40000, kHeightCentimetres, "40000", ""},
                          Case{999999, 999999 * 12 + 11, kHeightFeetInches, "999999", "11"}}) {
        SCOPED_TRACE(c.height);
        TMemberRow row;
        row.weight = c.weight;
        row.height = c.height;
        row.heightUnit = c.heightUnit;
        const qint32 ann = AddMember(row);
        TDlgMedHist& dialog = Open(ann);
        EXPECT_EQ(dialog.PFWeight->IntegerValue(), c.weight);
        EXPECT_EQ(dialog.PFHeight1->TextValue().trimmed(), QString::fromLatin1(c.feetOrCentimetres));
        if (c.heightUnit == kHeightFeetInches) {
            EXPECT_EQ(dialog.PFHeight2->TextValue().trimmed(), QString::fromLatin1(c.inches));
        }
        ASSERT_TRUE(Close());
        const std::optional<TMedProfile> stored = ReadMedProfile(ann);
        EXPECT_EQ(stored->weight, c.weight);
        EXPECT_EQ(stored->height, c.height);
        EXPECT_EQ(stored->heightUnit, c.heightUnit);
        EXPECT_TRUE(boxes_.shown.isEmpty());
    }

    TDlgNewMedMember adding;
    const std::pair<TEfBaseEntryField*, TEfBaseEntryField*> pairs[] = {
        {dialog_->PFWeight, adding.EfPFWeight}, {dialog_->PFHeight1, adding.EfPFHeight1},
        {dialog_->PFHeight2, adding.EfPFHeight2}};
    for (const auto& [history, added] : pairs) {
        EXPECT_EQ(history->Core().RangeLo(), added->Core().RangeLo());
        EXPECT_EQ(history->Core().RangeHi(), added->Core().RangeHi());
        EXPECT_EQ(history->Core().MaxLength(), added->Core().MaxLength());
    }
}

TEST_F(Profile, BloodTypeAndRhFactorRoundTripAndAnUnchosenRhStaysUnknown)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(dialog.CBRH->currentIndex(), -1);
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedProfile(ann)->rhFactor, -1);

    TDlgMedHist& again = Open(ann);
    again.CBBlood->setEditText(QStringLiteral("AB"));
    again.CBRH->setCurrentIndex(1);
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedProfile(ann)->bloodType, QStringLiteral("AB"));
    EXPECT_EQ(ReadMedProfile(ann)->rhFactor, 1);
}

// Whatever closes the dialog while another tab is in front, an empty name
// never throws the profile away: the close is refused and the user told.
TEST_F(Profile, AnEmptyLastNameRefusesTheCloseAndKeepsEveryEdit)
{
    const qint32 ann = AddMember();
    MemberFirstName = QStringLiteral("Someone else");
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(MemberFirstName, QStringLiteral("Ann"));
    dialog.EditFirst->setText(QStringLiteral("Anne"));
    dialog.EditLast->clear();
    dialog.PFWeight->SetIntegerValue(130);
    dialog.PageControl1->setCurrentIndex(kPageAllergy);
    Focus(dialog.HistoryTab(0).ListSuggested);

    EXPECT_FALSE(Close());
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter your last name.")});
    EXPECT_EQ(dialog.PageControl1->currentIndex(), kPageProfile);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), dialog.EditLast);
    EXPECT_EQ(dialog.EditFirst->text(), QStringLiteral("Anne"));
    EXPECT_EQ(dialog.PFWeight->IntegerValue(), 130);
    EXPECT_EQ(ReadMedProfile(ann)->firstName, QStringLiteral("Ann"));

    dialog.EditLast->setText(QStringLiteral("Lee-Park"));
    EXPECT_TRUE(Close());
    EXPECT_EQ(ReadMedProfile(ann)->firstName, QStringLiteral("Anne"));
    EXPECT_EQ(ReadMedProfile(ann)->lastName, QStringLiteral("Lee-Park"));
    EXPECT_EQ(ReadMedProfile(ann)->weight, 130);
    EXPECT_EQ(MemberFirstName, QStringLiteral("Anne"));
    EXPECT_TRUE(dialog.ProfileSaved());
}

TEST_F(Profile, AnEmptyFirstNameRefusesTheCloseToo)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.EditFirst->clear();
    dialog.PageControl1->setCurrentIndex(kPageVision);
    EXPECT_FALSE(Close());
    EXPECT_EQ(boxes_.Texts(), QStringList{QStringLiteral("Please enter your first name.")});
    EXPECT_EQ(dialog.PageControl1->currentIndex(), kPageProfile);
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), dialog.EditFirst);
    EXPECT_FALSE(dialog.ProfileSaved());
}

TEST_F(Profile, AFailedSaveKeepsTheDialogOpenWithWhatWasTyped)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.EditFirst->setText(QStringLiteral("Annabel"));
    MakeDatabaseReadOnly(folder_.Path());
    EXPECT_FALSE(Close());
    EXPECT_EQ(boxes_.shown.size(), 1);
    EXPECT_EQ(dialog.EditFirst->text(), QStringLiteral("Annabel"));
    EXPECT_FALSE(dialog.ProfileSaved());
}

// Names with quotes and SQL in them are stored as typed.
TEST_F(Profile, NamesReachTheTableAsTyped)
{
    const qint32 ann = AddMember();
    const qint32 bob = AddMember({QStringLiteral("Bob"), QStringLiteral("Lee")});
    TDlgMedHist& dialog = Open(ann);
    dialog.EditFirst->setText(QStringLiteral("Ann'); DELETE FROM MEDPROF; --"));
    dialog.EditMI->setText(QStringLiteral("\"Q\""));
    dialog.EditLast->setText(QStringLiteral("O'Hara"));
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedProfile(ann)->firstName, QStringLiteral("Ann'); DELETE FROM MEDPROF; --"));
    EXPECT_EQ(ReadMedProfile(ann)->middleName, QStringLiteral("\"Q\""));
    EXPECT_EQ(ReadMedProfile(ann)->lastName, QStringLiteral("O'Hara"));
    EXPECT_EQ(ReadMedProfile(bob)->lastName, QStringLiteral("Lee"));
}

// A name is shown as the letters typed, whatever they look like.
TEST_F(Profile, ANameThatLooksLikeMarkupHeadsTheDialogAsTyped)
{
    const auto showsPlain = [](const QLabel& label) {
        return label.textFormat() == Qt::PlainText ||
               (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text()));
    };
    const qint32 ann = AddMember({QStringLiteral("<b>Ann</b>"), QStringLiteral("O'Neil")});
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(dialog.Label7->text(), QStringLiteral("<b>Ann</b>'s Medical History"));
    EXPECT_TRUE(showsPlain(*dialog.Label7));
    EXPECT_EQ(dialog.Label46->text(), QStringLiteral("<b>Ann</b>'s Profile"));
    EXPECT_TRUE(showsPlain(*dialog.Label46));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("<b>Ann</b>'s Medical History"));
}

// The printout takes what the dialog shows, saved or not.
TEST_F(Profile, ThePrintoutTakesTheUnsavedEdits)
{
    TMemberRow row;
    row.height = 180;
    row.heightUnit = kHeightCentimetres;
    const qint32 ann = AddMember(row);
    TDlgMedHist& dialog = Open(ann);
    EXPECT_TRUE(dialog.BtnPrint->isEnabled());
    dialog.EditLast->setText(QStringLiteral("O'Hara"));
    ChooseUnit(*dialog.RGHeight, kHeightFeetInches);
    dialog.PFHeight1->SetIntegerValue(5);
    dialog.PFHeight2->SetIntegerValue(11);
    dialog.PFWeight->SetIntegerValue(61);
    ChooseUnit(*dialog.RGWeight, kWeightKgs);
    dialog.CBRH->setCurrentIndex(0);
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    dialog.SGVision->item(4, 6)->setText(QStringLiteral("BO"));
    TMedHistPrintValues values = dialog.PrintValues();
    EXPECT_EQ(values.memberId, ann);
    EXPECT_EQ(values.lastName, QStringLiteral("O'Hara"));
    EXPECT_EQ(values.height, 71);
    EXPECT_EQ(values.heightUnit, kHeightFeetInches);
    EXPECT_EQ(values.weight, 61);
    EXPECT_EQ(values.weightUnit, kWeightKgs);
    EXPECT_EQ(values.rhIndex, 0);
    EXPECT_EQ(values.visionDate, QStringLiteral("2/29/2024")) << "the field's text";
    EXPECT_EQ(values.lens[3][4], QStringLiteral("BO"));
    dialog.PFDate->ClearText();
    dialog.CBRH->setCurrentIndex(-1);
    values = dialog.PrintValues();
    EXPECT_TRUE(values.visionDate.isEmpty());
    EXPECT_EQ(values.rhIndex, -1);
    EXPECT_EQ(ReadMedProfile(ann)->lastName, QStringLiteral("Lee")) << "printing saves nothing";
}

// A lens value still in its cell's editor is the grid's like any other: the
// title bar writes it as the Close button does.
TEST_F(Profile, ALensValueStillBeingTypedIsWrittenWhenTheTitleBarCloses)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.PageControl1->setCurrentWidget(dialog.TSVision);
    dialog.SGVision->setFocus();
    dialog.SGVision->setCurrentCell(1, 2);
    dialog.SGVision->editItem(dialog.SGVision->item(1, 2));
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && dialog.SGVision->isAncestorOf(editor));
    QTest::keyClicks(editor, QStringLiteral("+1.25"));
    dialog.close();
    Settle();
    ASSERT_FALSE(dialog.isVisible());
    EXPECT_EQ(ReadMedVision(ann)->lens[0][0], QStringLiteral("+1.25"));
}

TEST_F(Profile, ThePrintButtonPreviewsTheRecord)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    dialog.SGVision->item(1, 2)->setText(QStringLiteral("-0.50"));
    bool previewed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* preview = dynamic_cast<TRpStandardPreview*>(widget); preview && preview->isVisible()) {
                previewed = true;
                preview->close();
            }
    });
    poll.start(0);
    dialog.BtnPrint->click();
    poll.stop();
    EXPECT_TRUE(previewed);
    EXPECT_EQ(CountRows(QStringLiteral("CpRept"), QStringLiteral("Category = 'Vision' AND Column2 = '-0.50'")), 1);
    EXPECT_TRUE(boxes_.shown.isEmpty()) << boxes_.Texts().join(QLatin1Char('|')).toStdString();
}

class Vision : public MedHistTest {};

TEST_F(Vision, ADateNeverSetShowsEmptyAndAnEmptiedDateIsStoredAsNone)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    EXPECT_TRUE(dialog.PFDate->IsFieldBlank());
    dialog.PFDate->SetDateTimeValue(EncodeDate(2024, 2, 29));
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedVision(ann)->date, EncodeDate(2024, 2, 29));

    TDlgMedHist& again = Open(ann);
    EXPECT_EQ(again.PFDate->DateTimeValue(), EncodeDate(2024, 2, 29));
    again.PFDate->ClearText();
    ASSERT_TRUE(Close());
    EXPECT_EQ(ReadMedVision(ann)->date, 0.0);
}

TEST_F(Vision, LensCellsKeepAnyTextAndBlankCellsAreEmpty)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    EXPECT_EQ(dialog.SGVision->item(0, 2)->text(), QStringLiteral("SPHERICAL"));
    EXPECT_EQ(dialog.SGVision->item(4, 0)->text(), QStringLiteral("  N.V."));
    EXPECT_EQ(dialog.SGVision->item(4, 1)->text(), QStringLiteral("  O.S."));
    SetLensCell(dialog, 0, 0, QStringLiteral("-1.25"));
    SetLensCell(dialog, 1, 2, QStringLiteral("180°"));
    SetLensCell(dialog, 3, 4, QStringLiteral("BU 'up'"));
    dialog.VisionNote->setPlainText(QStringLiteral("Reading glasses\nCheck again in May"));
    dialog.CBDoc->setEditText(QStringLiteral("Dr. O'Neil"));
    ASSERT_TRUE(Close());

    const std::optional<TMedVision> stored = ReadMedVision(ann);
    EXPECT_EQ(stored->lens[0][0], QStringLiteral("-1.25"));
    EXPECT_EQ(stored->lens[1][2], QStringLiteral("180°"));
    EXPECT_EQ(stored->lens[3][4], QStringLiteral("BU 'up'"));
    EXPECT_EQ(stored->lens[2][1], QString());
    EXPECT_EQ(stored->note, (QStringList{QStringLiteral("Reading glasses"), QStringLiteral("Check again in May")}));
    EXPECT_EQ(stored->doctor, QStringLiteral("Dr. O'Neil"));

    TDlgMedHist& again = Open(ann);
    EXPECT_EQ(LensCell(again, 1, 2), QStringLiteral("180°"));
    EXPECT_EQ(again.CBDoc->currentText(), QStringLiteral("Dr. O'Neil"));
}

// A doctor typed in and left becomes a business of the doctors' category,
// listed in every doctor box, and the vision's doctor key.
TEST_F(Vision, ANewDoctorTypedInBecomesABusinessAndTheVisionsDoctor)
{
    const qint32 ann = AddMember();
    TDlgMedHist& dialog = Open(ann);
    Type(dialog.CBDoc, QStringLiteral("Dr. Ng"));
    Focus(dialog.VisionNote);
    EXPECT_EQ(CountRows(QStringLiteral("BIZADDR"), QStringLiteral("BusinessName = 'Dr. Ng' AND CategoryNo = 5")), 1);
    EXPECT_GE(dialog.HistoryTab(0).Boxes[0]->findText(QStringLiteral("Dr. Ng")), 0);
    ASSERT_TRUE(Close());
    EXPECT_GT(ReadMedVision(ann)->doctorId, 0);
}

TEST_F(Vision, EveryTabPictured)
{
    const qint32 ann = AddMember({QStringLiteral("Ann"), QStringLiteral("Lee"), EncodeDate(1980, 5, 31), 1, 130, 0, 65, 0});
    AddHistoryRow(ann, 0, QStringLiteral("Penicillin"));
    AddHistoryRow(ann, 0, QStringLiteral("Food"));
    AddHistoryRow(ann, 3, QStringLiteral("Analgesics"));
    TDlgMedHist& dialog = Open(ann);
    SetLensCell(dialog, 0, 0, QStringLiteral("-1.25"));
    for (int page = 0; page < dialog.PageControl1->count(); ++page) {
        dialog.PageControl1->setCurrentIndex(page);
        Settle();
        SavePicture(dialog, QStringLiteral("medhist_%1_%2").arg(page).arg(dialog.PageControl1->tabText(page)));
    }
    dialog.PageControl1->setCurrentIndex(kPageProfile);
}

// The folder tree and the member page open the dialog through the launcher;
// the dialog leaves the first name it saved for the tree to rename the member.
TEST_F(Profile, TheProgramOpensItForTheCurrentMember)
{
    ProgramPages();
    ASSERT_TRUE(Launcher::Has(TDialogID::MedicalHistory));
    AddMember();
    const qint32 bob = AddMember({QStringLiteral("Bob"), QStringLiteral("Lee")});
    CurMemberID = bob;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TDlgMedHist*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        seen = true;
        EXPECT_EQ(shown->MemberId(), bob);
        shown->EditFirst->setText(QStringLiteral("Robert"));
        shown->reject();
    });
    const TDialogOutcome outcome = Launcher::Open(TDialogID::MedicalHistory);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.applied);
    EXPECT_EQ(MemberFirstName, QStringLiteral("Robert"));
    EXPECT_EQ(CurMemberID, bob);
    EXPECT_EQ(ReadMedProfile(bob)->firstName, QStringLiteral("Robert"));
    Launcher::Unregister(TDialogID::MedicalHistory);
    Launcher::Unregister(TDialogID::About);
}

// Opens the program's dialog from a page, renames the member in it and closes it.
class RenamingFromAPage : public MedHistTest {
protected:
    void SetUp() override
    {
        MedHistTest::SetUp();
        ProgramPages();
    }
    void TearDown() override
    {
        Launcher::Unregister(TDialogID::MedicalHistory);
        Launcher::Unregister(TDialogID::About);
        MedHistTest::TearDown();
    }
    void RenameWhenShown(const QString& firstName)
    {
        QTimer::singleShot(0, [this, firstName] {
            auto* shown = qobject_cast<TDlgMedHist*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            openedFor = shown->MemberId();
            shown->EditFirst->setText(firstName);
            shown->reject();
        });
    }
    qint32 openedFor = 0;
};

TEST_F(RenamingFromAPage, TheFolderTreeRenamesTheMembersNode)
{
    AddMember();
    const qint32 bob = AddMember({QStringLiteral("Bob"), QStringLiteral("Lee")});
    TFormMedFolder page(nullptr);
    page.show();
    Settle();
    QTreeWidgetItem* bobNode = page.TreeView1->topLevelItem(0)->child(1);
    ASSERT_EQ(bobNode->text(0), QStringLiteral("Bob's medical page"));
    QTreeWidgetItem* history = bobNode->child(2);
    page.TreeView1->setCurrentItem(history);
    history->setSelected(true);
    RenameWhenShown(QStringLiteral("Robert"));
    QTest::keyClick(page.TreeView1, Qt::Key_Return);
    EXPECT_EQ(openedFor, bob);
    EXPECT_EQ(bobNode->text(0), QStringLiteral("Robert's medical page"));
    EXPECT_EQ(page.TreeView1->topLevelItem(0)->child(0)->text(0), QStringLiteral("Ann's medical page"));
}

TEST_F(RenamingFromAPage, TheMemberPageOpensItForItsOwnMember)
{
    const qint32 ann = AddMember();
    const qint32 bob = AddMember({QStringLiteral("Bob"), QStringLiteral("Lee")});
    CurMemberID = bob;
    TFormMedPage page(nullptr);
    page.show();
    ASSERT_TRUE(page.ImgRecord->isEnabled());
    CurMemberID = ann;
    RenameWhenShown(QStringLiteral("Robby"));
    emit page.ImgRecord->clicked();
    EXPECT_EQ(openedFor, bob);
    EXPECT_EQ(ReadMedProfile(bob)->firstName, QStringLiteral("Robby"));
    EXPECT_EQ(ReadMedProfile(ann)->firstName, QStringLiteral("Ann"));
}

}  // namespace
