#pragma once
// What the two tutorial pages share: a white panel with a heading, a few
// lines of explanation, and a picture and an underlined heading that open
// the tool the page introduces.
#include <QDialog>
#include <QPixmap>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class TClickLabel;

// Makes the tool's window; the page shows it modally and frees it.
using ToolWindowFactory = std::function<QDialog*()>;

struct TTutorialContent {
    QString heading;
    QStringList explanation;
    QString toolName;
    QPixmap picture;
    // Object names of the picture and of the tool's heading.
    QString pictureName;
    QString toolHeadingName;
};

class TTutorialPage : public QWidget {
    Q_OBJECT
public:
    // Without a factory the tool is not there yet: its picture and heading are disabled.
    TTutorialPage(QWidget* parent, const TTutorialContent& content, ToolWindowFactory openTool);

private:
    void OpenTool();

    ToolWindowFactory openTool_;
};
