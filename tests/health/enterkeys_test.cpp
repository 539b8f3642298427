// Enter in the health records' dialogs: on a button it presses that button,
// in a field the default, however the caret went round the buttons before.
#include "chkenv.h"
#include "expenseenv.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "controls/moneyedit.h"
#include "health/chkrecord.h"
#include "health/chkschedule.h"
#include "health/dlgaddck.h"
#include "health/dlgaddfsa.h"
#include "health/dlgaddim.h"
#include "health/dlgcheckupdata.h"
#include "health/dlgchkschedule.h"
#include "health/dlgchkupperform.h"
#include "health/dlgdelvc.h"
#include "health/dlgmedcategory.h"
#include "health/dlgmedexpitem.h"
#include "health/dlgmedimmrec.h"
#include "health/dlgmedimmun.h"
#include "health/dlgmedpayment.h"
#include "health/dlgnewinsurance.h"
#include "health/dlgnewmedmember.h"
#include "health/dlgphoneaddr.h"
#include "health/filterform.h"
#include "tests/support/enterkeys.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class HealthEnterKeys : public CheckupEnv {
protected:
    template <class Dialog, class... Args>
    static auto Made(Args... args)
    {
        return [args...] { return std::make_unique<Dialog>(args...); };
    }
    // Past its first page, where Back takes the caret too.
    static std::unique_ptr<TDlgMedExpItem> ExpenseAmounts()
    {
        auto dialog = std::make_unique<TDlgMedExpItem>(nullptr, TExpenseItemRequest{});
        dialog->EditDesc->setText(QStringLiteral("X-ray \"left knee\""));
        dialog->PFDate->SetDateTimeValue(EncodeDate(2025, 2, 28));
        dialog->CBMember->setCurrentIndex(0);
        dialog->BtnNext->click();
        return dialog;
    }
};

TEST_F(HealthEnterKeys, EnterPressesTheButtonWithTheCaretElseTheDefault)
{
    const qint32 ann = AddMember(QStringLiteral("Ann"), 1, EncodeDate(1985, 3, 31));
    const qint32 kim = AddMember(QStringLiteral("Kim"), 2, EncodeDate(2024, 5, 31));
    ExpenseEnv::Cover(ExpenseEnv::AddAccount(1, QStringLiteral("Blue Plan")), ann);
    ASSERT_TRUE(LoadChkSchedule(ann, 1, TChkOrder::Name));
    const TChkRecordForm flu = *LoadChkRecord(ann, ItemOf(ann, QStringLiteral("Flu")), 0, NeverDoneDate());
    CurMemberID = kim;
    TDlgMedImmun{};   // lays out Kim's doses
    const qint32 dose = Count(QStringLiteral("SELECT MIN(TemplID) FROM MEDTEMPL WHERE TemplType = 2"));
    const qint32 given = AddRecord(kim, dose, EncodeDate(2025, 3, 1), QStringLiteral("Dr Lee"));
    const TBizContact lee{QStringLiteral("555-0100"), {}, QStringLiteral("1 Elm St"), {}, {}, {}};
    const auto date = [](auto& d) { return d.PFDate; };

    ExpectEnterKeys({
        EnterKeyCase("check-up item", Made<TDlgAddCk>(nullptr, true, ann, 1, 40, 0),
                     [](auto& d) { return d.EditCheckup; }),
        EnterKeyCase("check-up done", Made<TDlgChkupPerform>(nullptr, flu), date),
        EnterKeyCase("check-up log", Made<TDlgCheckupData>(nullptr, flu, true), date),
        EnterKeyCase("check-up schedule", Made<TDlgChkSchedule>(), [](auto& d) { return d.LVSchedule; }),
        EnterKeyCase("immunizations", Made<TDlgMedImmun>(), [](auto& d) { return d.ButtonClose; }),
        EnterKeyCase("vaccine", Made<TDlgAddIm>(nullptr, true, kim, 14), [](auto& d) { return d.EditVaccine; }),
        EnterKeyCase("vaccine deletion", Made<TDlgDelVc>(nullptr, kim), [](auto& d) { return d.LBVaccine; }),
        EnterKeyCase("dose record", Made<TDlgMedImmRec>(nullptr, kim, dose, given), date),
        EnterKeyCase("expense", Made<TDlgMedExpItem>(nullptr, TExpenseItemRequest{}),
                     [](auto& d) { return d.EditDesc; }),
        EnterKeyCase("expense amounts", ExpenseAmounts, [](auto& d) { return d.MEditCopay; }),
        EnterKeyCase("payment", Made<TDlgMedPayment>(nullptr, TPaymentRequest{0, 2025, {}}), date),
        EnterKeyCase("payment phone", Made<TDlgPhoneAddr>(nullptr, QStringLiteral("Dr Lee"), lee),
                     [](auto& d) { return d.EditPhone; }),
        EnterKeyCase("payment filter", Made<TDlgMedCategory>(nullptr, TPayFilter{}),
                     [](auto& d) { return d.CBMember; }),
        EnterKeyCase("insurance", Made<TDlgNewInsurance>(true), [](auto& d) { return d.EditInsName; }),
        EnterKeyCase("FSA", Made<TDlgAddFSA>(true), [](auto& d) { return d.EditEmpName; }),
        EnterKeyCase("plan report", Made<TFilterForm>(), [](auto& d) { return d.LBInsurance; }),
        EnterKeyCase("new member", Made<TDlgNewMedMember>(), [](auto& d) { return d.Edit1; }),
    });
}

}  // namespace
