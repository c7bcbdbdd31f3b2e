// Renders hand-built formula trees to PNG files, to look at them:
//   mevario_formula_samples OUTPUT_DIR
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>
#include <vector>

#include "ExprDraw.h"
#include "QtCanvas.h"

using namespace mevario;

namespace {

PExpr N(long double v) { return std::make_unique<TExprNumber>(v, false); }
PExpr V(const char* s) { return std::make_unique<TExprVar>(s); }
PExpr S(char16_t c) { return std::make_unique<TExprSign>(c); }
PExpr Pow(PExpr b, PExpr e) { return std::make_unique<TExprIndex>(std::move(b), nullptr, std::move(e)); }
PExpr Frac(PExpr n, PExpr d) { return std::make_unique<TExprRatio>(std::move(n), std::move(d)); }

template <typename... T>
PExpr Row(PExpr first, T... rest)
{
    (first->AddNext(std::move(rest)), ...);
    return first;
}

PExpr Chain(PExpr row) { return std::make_unique<TExprChain>(std::move(row)); }

std::vector<QImage> gTutte;

void Salva(const QString& file, PExpr root)
{
    // Measure first, then draw into a box just large enough, midline in the middle.
    QImage prova(1, 1, QImage::Format_RGB32);
    int w = 0, up = 0, down = 0;
    {
        QPainter p(&prova);
        TQtCanvas c(&p);
        root->SetCanvas(&c);
        root->SetFontSize(20);
        w = root->Width();
        up = root->MidLineUp();
        down = root->Height() - up;
        root->SetCanvas(nullptr);
    }
    const int h = 2 * std::max(up, down) + 16;
    QImage img(w + 24, h, QImage::Format_RGB32);
    QPainter p(&img);
    DrawExprTree(p, img.width(), img.height(), root.get(), TFormulaVariant::PaintBoxCentered, 0xFFFFFF, 0);
    p.end();
    img.save(file);
    gTutte.push_back(img);
    std::printf("%s %dx%d\n", qPrintable(file), img.width(), img.height());
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);
    auto out = [&](const char* name) { return dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"); };

    Salva(out("frazione_x3"), Chain(Row(Frac(N(2), N(5)), Pow(V("x"), N(3)))));
    Salva(out("quadrato_binomio"),
          Pow(std::make_unique<TExprRound>(Row(V("x"), S(u'+'), N(1))), N(2)));
    Salva(out("radice"), std::make_unique<TExprRoot>(Chain(Row(Pow(V("x"), N(2)), S(u'+'), N(1))), nullptr));
    Salva(out("radice_cubica"), std::make_unique<TExprRoot>(Chain(Row(V("x"), S(u'+'), N(1))), N(3)));
    Salva(out("pedice_esponente"), std::make_unique<TExprIndex>(V("x"), N(1), N(2)));
    Salva(out("parentesi_alta"),
          std::make_unique<TExprRound>(Row(Frac(Chain(Row(V("x"), S(u'+'), N(1))), N(2)), S(esMinus), V("y"))));
    Salva(out("monomio_negativo"), Chain(Row(S(esMinus), Frac(N(3), N(4)), Pow(V("x"), N(2)), V("z"))));
    Salva(out("parentesi_tipi"),
          Chain(Row(std::make_unique<TExprBracketed>(Frac(V("a"), V("b")), bkSquare, bkSquare),
                    std::make_unique<TExprBracketed>(Frac(V("a"), V("b")), bkCurly, bkCurly),
                    std::make_unique<TExprBracketed>(Frac(V("a"), V("b")), bkBar, bkBar))));
    Salva(out("segni"), Chain(Row(V("a"), S(esPlusMinus), V("b"), S(u'='), V("c"), S(esMiddleDot), V("d"), S(0x2264), N(1e20L))));
    Salva(out("funzione"), std::make_unique<TExprFunc>("sin", std::make_unique<TExprArgument>(Row(V("x"), S(u'+'), N(1)))));
    // All of them in one sheet, three times larger, to look at the pixels.
    int w = 0, h = 0;
    for (const QImage& i : gTutte) {
        w = std::max(w, i.width());
        h += i.height() + 4;
    }
    QImage foglio(w * 3, h * 3, QImage::Format_RGB32);
    foglio.fill(QColor(200, 200, 200));
    QPainter p(&foglio);
    int y = 0;
    for (const QImage& i : gTutte) {
        p.drawImage(QRect(0, y * 3, i.width() * 3, i.height() * 3), i);
        y += i.height() + 4;
    }
    p.end();
    foglio.save(out("tutte"));
    return 0;
}
