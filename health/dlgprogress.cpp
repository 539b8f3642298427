#include "dlgprogress.h"

#include "context/context.h"
#include "controls/meter.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace {

constexpr QSize kClientSize(457, 100);
constexpr QPoint kDesignPlace(137, 267);
const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);
const QColor kGray(128, 128, 128);

QFont Bold(QFont font)
{
    font.setBold(true);
    return font;
}

}  // namespace

QPoint ProgressWindowPlace(bool mainFormReady, const QSize& window, const QRect& screen)
{
    if (!mainFormReady)
        return kDesignPlace;
    return screen.topLeft() + QPoint((screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2);
}

TDlgProgress::TDlgProgress(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgProgress"));
    setWindowTitle(QStringLiteral("Progress"));
    setModal(false);
    setFixedSize(kClientSize);

    Lb = new QLabel(this);
    Lb->setObjectName(QStringLiteral("Lb"));
    Lb->setGeometry(22, 16, 415, 39);
    Lb->setWordWrap(true);
    Lb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lb->setFont(Bold(Lb->font()));
    QPalette black = Lb->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Lb->setPalette(black);

    Meter = new TEfMeter(this);
    Meter->setObjectName(QStringLiteral("Meter"));
    Meter->setGeometry(20, 64, 419, 24);
    Meter->SetBorderStyle(TEfMeter::Border::Single);
    Meter->SetShowPercent(true);
    Meter->setFont(Bold(Meter->font()));
    QPalette gray = Meter->palette();
    gray.setColor(QPalette::WindowText, kGray);
    Meter->setPalette(gray);
    Meter->SetUsedColor(kNavy);
    Meter->SetUsedShadow(kNavy);
    Meter->SetUnusedColor(kSilver);
    Meter->SetUnusedShadow(kSilver);
    Meter->SetDividerColor(Qt::white);

    const QScreen* screen = QGuiApplication::primaryScreen();
    move(ProgressWindowPlace(MainFormReady, size(), screen ? screen->geometry() : QRect()));
}

void TDlgProgress::SetPercent(int percent)
{
    Meter->SetPercent(percent);
    repaint();
}
