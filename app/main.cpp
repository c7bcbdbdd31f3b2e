// Mevario start-up. Until the main window lands this shows a small window
// that says so.
#include <QApplication>
#include <QLabel>

#include "funzioni.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mevario");
    QApplication::setApplicationVersion(MEVARIO_VERSION);
    mevario::Randomize();

    QLabel finestra(QStringLiteral("Mevario %1\n\nLa finestra principale è in costruzione.")
                        .arg(QStringLiteral(MEVARIO_VERSION)));
    finestra.setWindowTitle(QStringLiteral("Mevario"));
    finestra.setAlignment(Qt::AlignCenter);
    finestra.setMinimumSize(420, 160);
    finestra.show();
    return QApplication::exec();
}
