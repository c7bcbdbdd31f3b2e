// mevario-icona: draws the program's SVG icon into a square PNG (used when
// building, for the icon theme's pixel sizes).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "Uso: mevario-icona ICONA.svg USCITA.png LATO\n");
        return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int lato = std::atoi(argv[3]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || lato < 8 || lato > 1024) {
        std::fprintf(stderr, "mevario-icona: icona o lato non validi\n");
        return 1;
    }
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    svg.render(&p);
    p.end();
    return img.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
