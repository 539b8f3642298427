// The save and open dialogs of the preview and the PDF file a missing printer
// asks for, as the user meets them: the real file dialogs on screen, a name
// typed into them and Enter pressed.
#include "reports/rpexport.h"
#include "reports/rpfiledialogs.h"
#include "reports/rpprintjob.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Waits for the file dialog and hands it to the answer with its name box; a
// dialog that does not show up as a window of widgets is declined, so the
// test fails instead of waiting for a user.
class FileDialogUser {
public:
    using Answer = std::function<void(QFileDialog&, QLineEdit& nameBox)>;

    explicit FileDialogUser(Answer answer)
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, answer = std::move(answer)] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isVisible()) {
                poll_.stop();
                auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (!nameBox || !nameBox->isVisible()) {
                    ADD_FAILURE() << "the file dialog is not made of widgets";
                    dialog->reject();
                    return;
                }
                answered = true;
                answer(*dialog, *nameBox);
            } else if (waited_.hasExpired(10000)) {
                poll_.stop();
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* hidden = qobject_cast<QFileDialog*>(widget))
                        hidden->reject();
                }
            }
        });
        waited_.start();
        poll_.start(10);
    }

    bool answered = false;

private:
    QTimer poll_;
    QElapsedTimer waited_;
};

// The file type as a user picks it: Down in the closed list of types.
void PickNextType(QFileDialog& dialog)
{
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
}

void TypeNameAndEnter(QFileDialog& dialog, QLineEdit& nameBox, const QString& folder, const QString& name)
{
    dialog.setDirectory(folder);
    nameBox.setFocus();
    nameBox.selectAll();
    QTest::keyClicks(&nameBox, name);
    QTest::keyClick(&nameBox, Qt::Key_Return);
}

class RealFileDialogs : public ::testing::Test {
protected:
    // The preview's save dialog with the name typed, after Down pressed in
    // the list of types as often as asked.
    RpFileDialogs::Choice Save(const QString& typed, int typesDown = 0)
    {
        FileDialogUser user([&](QFileDialog& dialog, QLineEdit& nameBox) {
            for (int n = 0; n < typesDown; ++n)
                PickNextType(dialog);
            TypeNameAndEnter(dialog, nameBox, dir_.path(), typed);
            if (dialog.isVisible())
                QTest::keyClick(&nameBox, Qt::Key_Escape);
        });
        const RpFileDialogs::Choice choice =
            RpFileDialogs::ChooseSaveFile(nullptr, ExportFilterLibrary().SaveDialogFilterString());
        EXPECT_TRUE(user.answered) << typed.toStdString();
        return choice;
    }

    QString InFolder(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(RealFileDialogs, ASavedNameWithoutAnExtensionGetsTheChosenTypes)
{
    RpFileDialogs::Choice choice = Save(QStringLiteral("members"), 1);
    EXPECT_EQ(choice.fileName.toStdString(), InFolder(QStringLiteral("members.txt")).toStdString());
    EXPECT_EQ(choice.filterIndex, 2);

    choice = Save(QStringLiteral("Mary's list"));
    EXPECT_EQ(choice.fileName.toStdString(), InFolder(QStringLiteral("Mary's list.rpf")).toStdString());
    EXPECT_EQ(choice.filterIndex, 1);

    // A name with a dot is taken as typed, whatever follows the dot.
    for (const QString& typed : {QStringLiteral("members.csv"), QStringLiteral("2024.RPF"), QStringLiteral("members.")})
        EXPECT_EQ(Save(typed, 1).fileName.toStdString(), InFolder(typed).toStdString());
}

TEST_F(RealFileDialogs, ReplacingAFileIsAskedAboutUnderTheNameWithItsExtension)
{
    QFile existing(InFolder(QStringLiteral("members.txt")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    QString question;
    QTimer declineReplacing;
    QObject::connect(&declineReplacing, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            declineReplacing.stop();
            question = box->text();
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    declineReplacing.start(10);
    EXPECT_TRUE(Save(QStringLiteral("members"), 1).fileName.isEmpty());
    EXPECT_TRUE(question.contains(QStringLiteral("members.txt"))) << question.toStdString();
}

TEST_F(RealFileDialogs, DecliningTheSaveDialogChoosesNothing)
{
    FileDialogUser user([](QFileDialog&, QLineEdit& nameBox) { QTest::keyClick(&nameBox, Qt::Key_Escape); });
    EXPECT_TRUE(RpFileDialogs::ChooseSaveFile(nullptr, ExportFilterLibrary().SaveDialogFilterString())
                    .fileName.isEmpty());
    EXPECT_TRUE(user.answered);
}

TEST_F(RealFileDialogs, TheOpenDialogShowsReportFilesOfEitherCase)
{
    QFile saved(InFolder(QStringLiteral("members.rpf")));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.close();
    QStringList shown;
    FileDialogUser user([&](QFileDialog& dialog, QLineEdit& nameBox) {
        shown = dialog.nameFilters();
        TypeNameAndEnter(dialog, nameBox, dir_.path(), QStringLiteral("members.rpf"));
    });
    EXPECT_EQ(RpFileDialogs::ChooseOpenFile(nullptr, ReportFileFilter()), InFolder(QStringLiteral("members.rpf")));
    EXPECT_TRUE(user.answered);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Report file (*.RPF *.rpf)")});
}

TEST_F(RealFileDialogs, ThePdfDialogOffersTheTitlesFile)
{
    QString offered;
    FileDialogUser user([&](QFileDialog& dialog, QLineEdit& nameBox) {
        offered = nameBox.text();
        TypeNameAndEnter(dialog, nameBox, dir_.path(), QStringLiteral("immunizations.pdf"));
    });
    EXPECT_EQ(RpPdfOutput::Choose(QStringLiteral("Immunizations/Check-ups.")),
              InFolder(QStringLiteral("immunizations.pdf")));
    EXPECT_TRUE(user.answered);
    EXPECT_EQ(offered, QStringLiteral("Immunizations-Check-ups.pdf"));
}

TEST_F(RealFileDialogs, APdfNameTypedWithoutAnExtensionGetsOne)
{
    FileDialogUser user([&](QFileDialog& dialog, QLineEdit& nameBox) {
        TypeNameAndEnter(dialog, nameBox, dir_.path(), QStringLiteral("Ann's shots"));
    });
    EXPECT_EQ(RpPdfOutput::Choose(QStringLiteral("Immunizations")).toStdString(),
              InFolder(QStringLiteral("Ann's shots.pdf")).toStdString());
    EXPECT_TRUE(user.answered);
}

}  // namespace
