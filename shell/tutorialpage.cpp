#include "tutorialpage.h"

#include "clicklabel.h"
#include "platform/cursor.h"
#include "shell/context/defaulthandler.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

namespace {

QFrame* Bevel(QFrame::Shape shape, const QString& name, QWidget* parent)
{
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(name);
    bevel->setFrameShape(shape);
    bevel->setFrameShadow(QFrame::Sunken);
    return bevel;
}

QLabel* Heading(const QString& text, int pointSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

}  // namespace

TTutorialPage::TTutorialPage(QWidget* parent, const TTutorialContent& content, ToolWindowFactory openTool)
    : QWidget(parent), openTool_(std::move(openTool))
{
    auto* Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    auto* pageLayout = new QVBoxLayout(this);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(Panel1);

    auto* JazLabel1 = Heading(content.heading, 16, Panel1);
    JazLabel1->setObjectName(QStringLiteral("JazLabel1"));
    JazLabel1->setContentsMargins(16, 10, 16, 6);

    auto* picture = new TClickLabel(Panel1);
    picture->setObjectName(content.pictureName);
    picture->setPixmap(content.picture);

    auto* toolHeading = new TClickLabel(Panel1);
    toolHeading->setObjectName(content.toolHeadingName);
    toolHeading->setText(content.toolName);
    QFont underlined = toolHeading->font();
    underlined.setBold(true);
    underlined.setUnderline(true);
    underlined.setPointSize(12);
    toolHeading->setFont(underlined);
    QPalette link = toolHeading->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        link.setColor(group, QPalette::WindowText, QColor(0, 0, 160));
    toolHeading->setPalette(link);

    auto* explanation = new QVBoxLayout;
    explanation->setSpacing(10);
    explanation->addWidget(toolHeading);
    for (const QString& line : content.explanation) {
        auto* label = new QLabel(line, Panel1);
        label->setWordWrap(true);
        explanation->addWidget(label);
    }
    explanation->addStretch();

    // The heading and the upper bevel take the panel's width; the left bevel
    // takes the height below them.
    auto* grid = new QGridLayout(Panel1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(JazLabel1, 0, 0, 1, 3);
    grid->addWidget(Bevel(QFrame::HLine, QStringLiteral("Bevel1"), Panel1), 1, 0, 1, 3);
    grid->addWidget(Bevel(QFrame::VLine, QStringLiteral("Bevel2"), Panel1), 2, 0);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(24, 20, 24, 20);
    body->setSpacing(24);
    body->addWidget(picture, 0, Qt::AlignTop);
    body->addLayout(explanation, 1);
    grid->addLayout(body, 2, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

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
