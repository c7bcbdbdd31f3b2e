// The corpus drawn as a paint box draws it, compared with reference
// pictures of the renderer kept in the repository: a faster renderer must
// draw the same pixels (a few anti-aliased ones may differ).
//   MEVARIO_SCRIVI_RIFERIMENTI=1 mevario_formula_pixel_tests  writes them anew.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <fstream>
#include <string>
#include <vector>

#include "ExprCanvas.h"
#include "QtCanvas.h"

using namespace mevario;

namespace {

std::vector<std::string> Corpus()
{
    std::vector<std::string> r;
    for (const char* f : {MEVARIO_GALLERY, MEVARIO_ESERCIZI}) {
        std::ifstream in(f);
        for (std::string riga; std::getline(in, riga);)
            if (!riga.empty())
                r.push_back(Utf8ToNarrow(riga));
    }
    return r;
}

QImage Disegna(const std::string& formula)
{
    QImage img(537, 57, QImage::Format_RGB32);
    QPainter p(&img);
    DrawFormula(p, img.width(), img.height(), formula, TFormulaVariant::PaintBoxCentered, 13428479, 0);
    return img;
}

QString File(std::size_t i) { return QStringLiteral(MEVARIO_RIFERIMENTI "/%1.png").arg(i, 2, 10, QLatin1Char('0')); }

} // namespace

TEST(Pixel, CorpusDrawsAsTheReference)
{
    const auto corpus = Corpus();
    ASSERT_GE(corpus.size(), 50u);
    const bool scrivi = std::getenv("MEVARIO_SCRIVI_RIFERIMENTI") != nullptr;
    int formuleToccate = 0, pixelToccati = 0, scartoMassimo = 0;
    for (std::size_t i = 0; i < corpus.size(); ++i) {
        const QImage img = Disegna(corpus[i]);
        if (scrivi) {
            ASSERT_TRUE(img.save(File(i)));
            continue;
        }
        const QImage rif = QImage(File(i)).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(rif.isNull()) << File(i).toStdString();
        ASSERT_EQ(rif.size(), img.size());
        int diversi = 0;
        int toccati = 0;
        int scarto = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb a = img.pixel(x, y), b = rif.pixel(x, y);
                const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                        std::abs(qBlue(a) - qBlue(b))});
                diversi += d > 48;
                toccati += d > 0;
                scarto = std::max(scarto, d);
            }
        EXPECT_LE(diversi, 8) << "formula " << i << ": " << NarrowToUtf8(corpus[i]);
        formuleToccate += toccati > 0;
        pixelToccati += toccati;
        scartoMassimo = std::max(scartoMassimo, scarto);
    }
    // What differs at all, for whoever changes the renderer.
    std::cout << formuleToccate << " formulas differ from their picture in " << pixelToccati
              << " pixels, by at most " << scartoMassimo << " levels of 255\n";
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
