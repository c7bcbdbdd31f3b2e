// Draws every formula of a list (one UTF-8 line each) on one sheet, each
// under its text, to look at them all at once:
//   mevario_formula_sheet LIST OUT.png [SCALE]
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <vector>

#include "ExprMake.h"
#include "QtCanvas.h"

using namespace mevario;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("uso: mevario_formula_sheet LISTA USCITA.png [SCALA]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int scala = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return 2;
    std::vector<std::pair<QString, QImage>> disegni;
    int larghezza = 0, altezza = 0;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString riga = in.readLine();
        if (riga.trimmed().isEmpty())
            continue;
        const std::string testo = Utf8ToNarrow(riga.toStdString());
        QImage img;
        try {
            PExpr root = TExprBuilder().ParseFormula(testo);
            TQtCanvas misura(nullptr);
            root->SetCanvas(&misura);
            root->SetFontSize(20);
            const int w = root->Width(), h = root->Height(), up = root->MidLineUp();
            root->SetCanvas(nullptr);
            const int meta = std::max(up, h - up - 1);
            img = QImage(w + 8, 2 * meta + 9, QImage::Format_RGB32);
            QPainter p(&img);
            DrawExprTree(p, img.width(), img.height(), root.get(), TFormulaVariant::PaintBoxCentered, 13428479, 0);
        } catch (const EIncorrectExpr& e) {
            img = QImage(400, 24, QImage::Format_RGB32);
            img.fill(Qt::red);
            QPainter p(&img);
            p.drawText(4, 16, QString::fromUtf8(e.what()));
        }
        larghezza = std::max({larghezza, img.width(), 900});
        altezza += img.height() + 22;
        disegni.emplace_back(riga, img);
    }
    QImage foglio(larghezza * scala, altezza * scala, QImage::Format_RGB32);
    foglio.fill(Qt::white);
    QPainter p(&foglio);
    p.scale(scala, scala);
    int y = 0;
    for (const auto& [testo, img] : disegni) {
        p.setPen(Qt::darkGray);
        p.setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 8));
        p.drawText(2, y + 13, testo);
        p.drawImage(0, y + 18, img);
        y += img.height() + 22;
    }
    p.end();
    return foglio.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
