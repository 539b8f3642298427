// The address book is there wherever the program offers it: the folder
// tree's node and the tutorial page that the home page and the go-to list
// lead to.
#include "addrbookenv.h"

#include "organizer/dlgbizaddrbook.h"

#include "context/navigation.h"
#include "shell/modulepages.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/launcher.h"
#include "tests/support/scriptedmessageboxes.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <memory>

namespace {

// Closes the book once it is shown, noting its caption and category.
void CloseTheBook(QString& caption, QString& category)
{
    QTimer::singleShot(0, [&caption, &category] {
        auto* book = qobject_cast<TDlgBizAddrBook*>(QApplication::activeModalWidget());
        ASSERT_NE(book, nullptr);
        caption = book->windowTitle();
        category = book->CBCategory->currentText();
        book->Button1->click();
    });
}

TEST_F(AddressBookTest, TheFolderTreeAndTheTutorialPageOpenTheBookOnTheDoctorsCategory)
{
    ScriptedMessageBoxes boxes;
    const ModulePageTable pages = ProgramPages();
    ASSERT_TRUE(Launcher::Has(TDialogID::AddressBook));
    QString caption;
    QString category;
    CloseTheBook(caption, category);
    Launcher::Open(TDialogID::AddressBook);
    EXPECT_EQ(caption, "CarePortfolio Address Book");
    EXPECT_EQ(category, "Doctors and Hospitals");

    // The home page's picture and the go-to list's entry lead to this page.
    ASSERT_TRUE(pages.Has(ModAddrTutor));
    std::unique_ptr<QWidget> page(pages.Create(ModAddrTutor, nullptr));
    auto* heading = page->findChild<TClickLabel*>("JzLbAddrbk");
    ASSERT_NE(heading, nullptr);
    EXPECT_TRUE(heading->isEnabled());
    caption.clear();
    CloseTheBook(caption, category);
    emit heading->clicked();
    EXPECT_EQ(caption, "CarePortfolio Address Book");
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
