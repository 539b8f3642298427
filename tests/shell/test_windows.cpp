#include "platform/formatsettings.h"
#include "tests/support/scriptedmessageboxes.h"
#include "context/context.h"
#include "shell/formabout.h"
#include "shell/formaddrtutor.h"
#include "shell/formhealthmain.h"
#include "shell/formsplash.h"
#include "shell/formtodotutor.h"
#include "shell/pages/clicklabel.h"
#include "tests/shell/shelltestenv.h"
#include "tests/support/enterkeys.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(Splash, ShowsTheVersionWithABlankOverItsPicture)
{
    TFormSplash splash;
    EXPECT_EQ(splash.size(), QSize(437, 254));
    EXPECT_EQ(splash.LabelProdVer->text(), QStringLiteral("Version 1.0"));
    EXPECT_TRUE(splash.LabelProdVer->font().bold());
    EXPECT_EQ(splash.LabelSubTitle->text(), QString());
    EXPECT_FALSE(splash.LabelNotice->text().isEmpty());
    splash.ShowAndPaint();
    EXPECT_TRUE(splash.isVisible());
    SavePicture(splash, QStringLiteral("splash"));
}

TEST(AboutBox, ShowsTheVersionWithoutABlankAndClosesOnOK)
{
    TFormAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About CarePortfolio"));
    EXPECT_EQ(about.LabelProdVer->text(), QStringLiteral("Version1.0"));
    EXPECT_EQ(about.LabelNotice->text(), TFormSplash().LabelNotice->text());
    about.show();
    SavePicture(about, QStringLiteral("about_box"));
    about.BtnOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutBox, EnterPressesOK)
{
    ExpectEnterKeys(
        {EnterKeyCase("about", [] { return std::make_unique<TFormAbout>(); }, [](auto& d) { return d.BtnOK; })});
}

TEST(TutorialPages, WithoutTheToolItsPictureAndHeadingAreDisabled)
{
    TFormAddrTutor page(nullptr);
    EXPECT_FALSE(page.findChild<TClickLabel*>(QStringLiteral("Image1"))->isEnabled());
    EXPECT_FALSE(page.findChild<TClickLabel*>(QStringLiteral("JzLbAddrbk"))->isEnabled());
    EXPECT_EQ(page.findChild<TClickLabel*>(QStringLiteral("JzLbAddrbk"))->text(), QStringLiteral("Address Book"));
}

TEST(TutorialPages, ThePictureOrTheHeadingOpensTheToolModally)
{
    int opened = 0;
    const auto openToDoList = [&] {
        ++opened;
        auto* tool = new QDialog;
        QTimer::singleShot(0, tool, &QDialog::accept);
        return tool;
    };
    TFormToDoTutor page(nullptr, openToDoList);
    auto* picture = page.findChild<TClickLabel*>(QStringLiteral("Image2"));
    auto* heading = page.findChild<TClickLabel*>(QStringLiteral("JzLbTodo"));
    ASSERT_TRUE(picture && heading);
    EXPECT_EQ(heading->text(), QStringLiteral("To-Do List"));
    EXPECT_EQ(heading->cursor().shape(), Qt::PointingHandCursor);
    emit picture->clicked();
    emit heading->clicked();
    EXPECT_EQ(opened, 2);
}

TEST(Pictures, MainWindowOnEachTutorialPage)
{
    ScriptedMessageBoxes boxes;
    FreshDataFolder folder;
    FreshSettings settings;
    const FormatSettings userFormats = ProcessFormats();
    DataFolder = folder.Path();
    for (const auto& [module, name] : {std::pair{52, "main_window_address_book"}, std::pair{13, "main_window_todo"}}) {
        TFormHealthMain window(ProgramPages());
        window.show();
        window.NavigateTo(module, 0, 0, 0);
        SavePicture(window, QString::fromLatin1(name));
        window.close();
    }
    DataFolder.clear();
    ProcessFormats() = userFormats;
    EXPECT_TRUE(boxes.shown.isEmpty());
}

}  // namespace
