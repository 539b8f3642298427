#include "tutorialpage.h"

#include "platform/ui/cursor.h"
#include "platform/ui/guarded.h"
#include "shell/pages/clicklabel.h"
#include "shell/pages/pagecommon.h"
#include "shell/pages/pageframe.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

TTutorialPage::TTutorialPage(QWidget* parent, const TTutorialContent& content, ToolWindowFactory openTool)
    : QWidget(parent), openTool_(std::move(openTool))
{
    auto* Panel1 = new TPageFrame(this, content.heading);
    FillPage(*this, *Panel1);

    auto* picture = new TClickLabel(Panel1->Body());
    picture->setObjectName(content.pictureName);
    picture->setPixmap(content.picture);

    auto* toolHeading = new TClickLabel(Panel1->Body());
    toolHeading->setObjectName(content.toolHeadingName);
    toolHeading->setText(content.toolName);
    StyleAsLink(*toolHeading, 12);

    auto* explanation = new QVBoxLayout;
    explanation->setSpacing(10);
    explanation->addWidget(toolHeading);
    for (const QString& line : content.explanation) {
        auto* label = new QLabel(line, Panel1->Body());
        label->setWordWrap(true);
        explanation->addWidget(label);
    }
    explanation->addStretch();

    auto* body = new QHBoxLayout(Panel1->Body());
    body->setContentsMargins(24, 20, 24, 20);
    body->setSpacing(24);
    body->addWidget(picture, 0, Qt::AlignTop);
    body->addLayout(explanation, 1);

    const bool toolThere = static_cast<bool>(openTool_);
    picture->setEnabled(toolThere);
    toolHeading->setEnabled(toolThere);
    connect(picture, &TClickLabel::clicked, this, &TTutorialPage::OpenTool);
    connect(toolHeading, &TClickLabel::clicked, this, &TTutorialPage::OpenTool);
}

void TTutorialPage::OpenTool()
{
    RunGuarded([this] {
        std::unique_ptr<QDialog> tool;
        {
            HourglassCursor hourglass;
            tool.reset(openTool_());
        }
        tool->exec();
    });
}
