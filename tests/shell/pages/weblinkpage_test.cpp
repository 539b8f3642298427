// The web-link page in the main window: reached from the home page, kept in
// the history, and opening the link dialog from its book and its link.
#include "pagetestenv.h"
#include "context/navigation.h"
#include "shell/formhealthmain.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/forminternetinfo.h"
#include "shell/pages/formmedtoc.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace {

class WebLinkPageTest : public PageTest {};

TEST_F(WebLinkPageTest, TheHomePageLeadsToItAndBackAndForwardFindIt)
{
    TFormHealthMain window(ProgramPages());
    window.resize(900, 640);
    window.show();
    window.NavigateTo(ModMedToc, 0, 0, 0);
    auto* home = qobject_cast<TFormMedToc*>(window.CurrentPage());
    ASSERT_TRUE(home);
    ASSERT_TRUE(home->ImgInternet->isEnabled());
    emit home->ImgInternet->clicked();
    QApplication::sendPostedEvents();
    ASSERT_EQ(window.CurrentModuleID(), ModInternetInfo);
    auto* page = qobject_cast<TFormInternetInfoResources*>(window.CurrentPage());
    ASSERT_TRUE(page);
    EXPECT_EQ(page->windowTitle(), QStringLiteral("Internet Health Information Resources"));
    SavePicture(window, QStringLiteral("weblinks_page"));

    window.GoBack();
    EXPECT_EQ(window.CurrentModuleID(), ModMedToc);
    EXPECT_TRUE(window.SpeedButtonForward->isEnabled());
    window.GoForward();
    EXPECT_EQ(window.CurrentModuleID(), ModInternetInfo);
    EXPECT_TRUE(qobject_cast<TFormInternetInfoResources*>(window.CurrentPage()));
    window.close();
}

TEST_F(WebLinkPageTest, TheBookAndTheLinkOpenTheLinkDialog)
{
    int* opened = CountingDialog(TDialogID::WebLinks);
    TFormInternetInfoResources page(nullptr);
    page.resize(760, 520);
    page.show();
    EXPECT_EQ(page.MemoInfo->textFormat(), Qt::PlainText);
    EXPECT_TRUE(page.MemoInfo->text().startsWith(
        QStringLiteral("The Internet Health Information Resources book contains links to  Internet web sites that")));
    EXPECT_TRUE(page.MemoInfo->text().endsWith(QStringLiteral("just double click on the file.")));
    EXPECT_EQ(page.LabelIIR->text(), QStringLiteral("Internet Health Info. Resources"));
    emit page.ImageIIR->clicked();
    emit page.LabelIIR->clicked();
    EXPECT_EQ(*opened, 2);
    SavePicture(page, QStringLiteral("weblinks_page_alone"));
}

TEST_F(WebLinkPageTest, WithoutTheDialogTheBookAndTheLinkAreDisabled)
{
    Launcher::Unregister(TDialogID::WebLinks);
    TFormInternetInfoResources page(nullptr);
    EXPECT_FALSE(page.ImageIIR->isEnabled());
    EXPECT_FALSE(page.LabelIIR->isEnabled());
}

}  // namespace
