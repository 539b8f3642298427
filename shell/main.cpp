#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("CarePortfolio"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("CarePortfolio"));
    window.resize(646, 455);
    window.show();
    return QApplication::exec();
}
