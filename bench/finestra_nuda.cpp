// A bare Qt widget window of the main window's size, shown and left as
// `mevario --esci-subito` leaves its main window: what any Qt Widgets
// program pays to put a window up, the yardstick of Mevario's start-up.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Finestra"));
    w.setFixedSize(767, 707);
    w.show();
    if (QApplication::arguments().contains(QStringLiteral("--esci-subito")))
        return 0;
    return QApplication::exec();
}
