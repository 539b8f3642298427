// The floor for the start-up figure: a bare window of the same size, shown,
// quitting as soon as the event loop is idle. With "--text" it shows one line
// of text, which is the price of the font database every real window pays.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("CarePortfolio")));
    window.resize(646, 455);
    window.show();
    QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
    return QApplication::exec();
}
