// The real canvas: embedded fonts, sizes at 96 px/in, and the drawing of a
// tree into a box with its midline on the middle row.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "ExprDraw.h"
#include "QtCanvas.h"

using namespace mevario;

namespace {

// Rows of the image that hold ink darker than mid-grey in column range.
std::vector<int> RigheScure(const QImage& img, int x0, int x1)
{
    std::vector<int> r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = x0; x < x1; ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                r.push_back(y);
                break;
            }
    return r;
}

QImage Disegna(TExprClass* root, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    DrawExprTree(p, w, h, root, TFormulaVariant::PaintBoxCentered, 0xFFFFFF, 0);
    return img;
}

} // namespace

TEST(QtCanvas, EmbeddedFontsStandForTheFormFonts)
{
    EXPECT_EQ(QFontInfo(QtFont(TExprFont{})).family(), QStringLiteral("Liberation Serif"));
    TExprFont comic;
    comic.Name = "Comic Sans MS";
    EXPECT_EQ(QFontInfo(QtFont(comic)).family(), QStringLiteral("Comic Neue"));
    TExprFont f;
    f.Height = -27;
    EXPECT_EQ(QtFont(f).pixelSize(), 27);
    EXPECT_EQ(QtFont(f).hintingPreference(), QFont::PreferNoHinting);
}

TEST(QtCanvas, TwentyPointsAndNestedExponents)
{
    QImage img(10, 10, QImage::Format_RGB32);
    QPainter painter(&img);
    TQtCanvas canvas(&painter);
    auto inner = std::make_unique<TExprIndex>(std::make_unique<TExprVar>("y"), nullptr, std::make_unique<TExprVar>("z"));
    TExprIndex* innerPtr = inner.get();
    TExprIndex root(std::make_unique<TExprVar>("x"), nullptr, std::move(inner));
    root.SetCanvas(&canvas);
    root.SetFontSize(20);
    EXPECT_EQ(root.Font().Height, -27);
    EXPECT_EQ(innerPtr->Font().Height, -19);
    EXPECT_EQ(innerPtr->Sub(2)->Font().Height, -13);
    // A 27-pixel serif face: cell height about 1.15 em, strokes of one or two pixels.
    EXPECT_GE(root.Son()->Height(), 29);
    EXPECT_LE(root.Son()->Height(), 32);
    EXPECT_GE(root.StrokeH(), 1);
    EXPECT_LE(root.StrokeH(), 2);
    EXPECT_GT(root.UnitX(), 1.0L);
    root.SetCanvas(nullptr);
}

TEST(QtCanvas, FractionBarLiesOnTheBoxMiddleRow)
{
    TExprRatio frazione(std::make_unique<TExprNumber>(2, false), std::make_unique<TExprNumber>(5, false));
    const QImage img = Disegna(&frazione, 120, 101);
    // The bar is the only ink spanning the centre columns on row 50.
    const int sh = frazione.StrokeH();
    int scure = 0;
    for (int x = 50; x < 70; ++x)
        if (qGray(img.pixel(x, 50)) < 128)
            ++scure;
    EXPECT_GE(scure, 12);
    const auto righe = RigheScure(img, 50, 70);
    ASSERT_FALSE(righe.empty());
    EXPECT_LT(righe.front(), 50 - sh); // numerator above
    EXPECT_GT(righe.back(), 50 + sh);  // denominator below
}

TEST(QtCanvas, SamePixelsEveryTime)
{
    auto albero = [] {
        return std::make_unique<TExprIndex>(std::make_unique<TExprVar>("x"), nullptr, std::make_unique<TExprNumber>(3, false));
    };
    auto a = albero(), b = albero();
    EXPECT_EQ(Disegna(a.get(), 80, 60), Disegna(b.get(), 80, 60));
}

TEST(QtCanvas, EmptyTreeOnlyClearsTheBox)
{
    QImage img(30, 20, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    DrawExprTree(p, 30, 20, nullptr, TFormulaVariant::ControlLeft, 13428479, 0);
    p.end();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 230, 204));
    EXPECT_EQ(img.pixelColor(29, 19), QColor(255, 230, 204));
}

int main(int argc, char** argv)
{
    // Also when ctest lists the tests, which it does without their environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
