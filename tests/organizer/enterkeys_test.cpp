// Enter in the organizer's dialogs: on a button it presses that button, in a
// field the default, however the caret went round the buttons before.
#include "addrbookenv.h"
#include "linktrees.h"

#include "context/context.h"
#include "controls/efpicture.h"
#include "organizer/addrstyledlgs.h"
#include "organizer/dlgaddurl.h"
#include "organizer/dlgatodoform.h"
#include "organizer/dlgbizaddrsearch.h"
#include "organizer/dlgediturl.h"
#include "organizer/dlgemailtodolist.h"
#include "organizer/dlgnpbackup.h"
#include "organizer/dlgnprestore.h"
#include "organizer/dlgselectfields.h"
#include "platform/dataset.h"
#include "tests/support/enterkeys.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace {

class OrganizerEnterKeys : public AddressBookTest {
protected:
    template <class Dialog>
    static std::unique_ptr<Dialog> Started(qint32 bizId)
    {
        auto dialog = std::make_unique<Dialog>();
        dialog->Start(-1, bizId);
        return dialog;
    }
    static std::unique_ptr<TDlgEditURL> EditingSite()
    {
        auto dialog = std::make_unique<TDlgEditURL>();
        dialog->Init(TDlgEditURL::kWebSite, QStringLiteral("Dr Lee"), {}, QStringLiteral("http://lee.example/"));
        return dialog;
    }
};

TEST_F(OrganizerEnterKeys, EnterPressesTheButtonWithTheCaretElseTheDefault)
{
    const TLinkTree tree = MakeLinkTree(2, 1, QStringLiteral("allergy"));
    const qint32 todo = AppendRow(DataFolder, QStringLiteral("TODO01"), QStringLiteral("Todoid"), [](TDataSet& row) {
        row.FieldByName(QStringLiteral("Description")).SetAsString(QStringLiteral("Call \"Dr Lee\""));
        row.FieldByName(QStringLiteral("Due")).SetAsDateTime(EncodeDate(2024, 2, 29));
    });
    const auto margin = [](TAddrStyleDlg& dialog) { return dialog.EditMargins[2]; };
    ExpectEnterKeys({
        EnterKeyCase("add link", [&tree] { return std::make_unique<TDlgAddURL>(tree); },
                     [](auto& d) { return d.EditDesc; }),
        EnterKeyCase("edit link", [] { return EditingSite(); }, [](auto& d) { return d.EditURL; }),
        EnterKeyCase("report style", [this] { return Started<TAddrRptStyleDlg>(oneil_); }, margin),
        EnterKeyCase("card style", [this] { return Started<TAddrCardStyleDlg>(oneil_); }, margin),
        EnterKeyCase("search", [] { return std::make_unique<TDlgBizAddrSearch>(); },
                     [](auto& d) { return d.ContainEdit; }),
        EnterKeyCase("columns", [] { return std::make_unique<TDlgSelectFields>(); },
                     [](auto& d) { return d.SelectedLB; }),
        EnterKeyCase("e-mail", [] { return std::make_unique<TDlgEMailTodoList>(nullptr); },
                     [](auto& d) { return d.sleTo; }),
        EnterKeyCase("backup", [] { return std::make_unique<TDlgNPBackup>(); }, [](auto& d) { return d.EditStore; }),
        EnterKeyCase("restore", [] { return std::make_unique<TDlgNPRestore>(); }, [](auto& d) { return d.EditStore; }),
        EnterKeyCase("to-do", [todo] { return std::make_unique<TDlgATodoForm>(nullptr, false, todo); },
                     [](auto& d) { return d.EfPFDate; }),
    });
}

// Opened, each dialog has the caret where the user starts, not on OK: the
// link's type or description, the print range.
TEST_F(OrganizerEnterKeys, TheCaretStartsInTheFirstField)
{
    const TLinkTree tree = MakeLinkTree(2, 1, QStringLiteral("allergy"));
    TDlgAddURL add(tree);
    const auto edit = EditingSite();
    const auto report = Started<TAddrRptStyleDlg>(oneil_);
    const auto card = Started<TAddrCardStyleDlg>(oneil_);
    // The box, or the group of boxes, that must hold the caret.
    const std::vector<std::pair<QDialog*, QWidget*>> firsts = {{&add, add.RadioGroupType},
                                                                {edit.get(), edit->EditDesc},
                                                                {report.get(), report->RBCurrent->parentWidget()},
                                                                {card.get(), card->RBCurrent->parentWidget()}};
    for (const auto& [dialog, first] : firsts) {
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QWidget* caret = QApplication::focusWidget();
        EXPECT_TRUE(caret == first || first->isAncestorOf(caret))
            << dialog->windowTitle().toStdString() << ": the caret is on a "
            << (caret ? caret->metaObject()->className() : "nothing");
        dialog->hide();
    }
}

}  // namespace
