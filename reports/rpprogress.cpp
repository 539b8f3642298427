#include "rpprogress.h"

#include "rpprinter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TRpGauge::TRpGauge(QWidget* parent) : QProgressBar(parent)
{
    resize(100, 40);
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

TRpProgressForm::TRpProgressForm(TRpPrinter& printer, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint),
      printer_(printer),
      info_(new QLabel(this)),
      cancelButton_(new QPushButton(QStringLiteral("Cancel"), this)),
      gauge_(new TRpGauge(this))
{
    setWindowTitle(QStringLiteral("Printing progress"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(147, 84);
    gauge_->setGeometry(10, 10, width() - 20, 15);
    info_->setGeometry(0, 30, width(), 20);
    info_->setAlignment(Qt::AlignCenter);
    cancelButton_->setGeometry((width() - 75) / 2, 52, 75, 25);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { printer_.Cancel(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TRpProgressForm::reject()
{
    printer_.Cancel();
}

bool TRpProgressForm::event(QEvent* event)
{
    if (event->type() != TRpPrinterMessage::Progress)
        return QDialog::event(event);
    const int percent = printer_.Progress();
    if (percent % 5 == 0) {
        gauge_->setValue(percent);
        info_->setText(QString::number(percent) + QStringLiteral("% ") + QStringLiteral(" Completed"));
        QCoreApplication::processEvents();
    }
    return true;
}
