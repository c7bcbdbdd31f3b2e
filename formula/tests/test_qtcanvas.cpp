// The real canvas: embedded fonts, sizes at 96 px/in, and the drawing of a
// tree into a box with its midline on the middle row.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <string>

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

// Texts are kept as pictures and copied: they must put exactly the pixels
// Qt's own glyph drawing puts, in their own colour, with underline and
// strike-out, however many other texts went through the cache meanwhile.
namespace {

QImage Testo(const TExprFont& f, const std::string& testo, TColor colore)
{
    QImage img(90, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TQtCanvas canvas(&p);
    canvas.SetFont(f);
    canvas.SetFontColor(colore);
    canvas.TextOut(7, 5, testo);
    return img;
}

QImage TestoDiQt(const TExprFont& f, const std::string& testo, TColor colore)
{
    QImage img(90, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QFont q = QtFont(f);
    p.setFont(q);
    p.setPen(QtColor(colore));
    p.drawText(QPointF(7, 5 + QFontMetrics(q).ascent()), QString::fromStdU16String(NarrowToUnicode(testo)));
    return img;
}

TExprFont Carattere(int altezza, bool corsivo, bool grassetto)
{
    TExprFont f;
    f.Height = -altezza;
    f.Italic = corsivo;
    f.Bold = grassetto;
    return f;
}

} // namespace

TEST(QtCanvas, KeptTextsDrawAsQtDrawsTheirGlyphs)
{
    for (const int altezza : {13, 19, 27})
        for (const bool corsivo : {false, true})
            for (const char* testo : {"x", "12", "f", "abc", "MCD", "(", "\xB7"}) {
                const TExprFont f = Carattere(altezza, corsivo, !corsivo && altezza == 19);
                const std::string t = testo;
                // Twice: made the first time, copied the second.
                EXPECT_EQ(Testo(f, t, 0x0000C0), TestoDiQt(f, t, 0x0000C0)) << altezza << " " << testo;
                EXPECT_EQ(Testo(f, t, 0x0000C0), TestoDiQt(f, t, 0x0000C0)) << altezza << " " << testo;
            }
}

TEST(QtCanvas, KeptTextsKeepColourUnderlineAndStrikeOut)
{
    TExprFont f = Carattere(27, false, false);
    EXPECT_NE(Testo(f, "ab", 0x0000FF), Testo(f, "ab", 0xFF0000));
    EXPECT_EQ(Testo(f, "ab", 0xFF0000), TestoDiQt(f, "ab", 0xFF0000));
    // Lines the glyphs' ink does not reach.
    f.Underline = true;
    EXPECT_EQ(Testo(f, "''", 0), TestoDiQt(f, "''", 0));
    f.Underline = false;
    f.StrikeOut = true;
    EXPECT_EQ(Testo(f, "..", 0), TestoDiQt(f, "..", 0));
    f.StrikeOut = false;
    // A text without ink (a space) draws nothing.
    QImage bianca(90, 60, QImage::Format_RGB32);
    bianca.fill(Qt::white);
    EXPECT_EQ(Testo(f, " ", 0), bianca);
}

TEST(QtCanvas, KeptTextsAreBoundedAndStayRight)
{
    const TExprFont f = Carattere(19, true, false);
    const QImage primo = Testo(f, "xyz", 0);
    QImage img(200, 60, QImage::Format_RGB32);
    QPainter p(&img);
    TQtCanvas canvas(&p);
    canvas.SetFont(f);
    for (int i = 0; i < 6000; ++i)
        canvas.TextOut(0, 0, std::to_string(i) + "x");
    EXPECT_LT(TestiPreparatiInMemoria(), 3000u);
    // Pushed out long ago and made again: the same pixels.
    EXPECT_EQ(Testo(f, "xyz", 0), primo);
    EXPECT_EQ(Testo(f, "xyz", 0), TestoDiQt(f, "xyz", 0));
}

TEST(QtCanvas, VeryLongTextsAreDrawnButNotKept)
{
    const TExprFont f = Carattere(27, false, false);
    Testo(f, "ab", 0);
    const std::size_t prima = TestiPreparatiInMemoria();
    for (int i = 0; i < 20; ++i) {
        const std::string lungo = std::to_string(i) + std::string(20000, 'x');
        EXPECT_EQ(Testo(f, lungo, 0), TestoDiQt(f, lungo, 0));
    }
    // One entry per long text at most (a marker, not its picture or shape).
    EXPECT_LE(TestiPreparatiInMemoria(), prima + 20);
    QImage stampa(300, 60, QImage::Format_RGB32);
    stampa.fill(Qt::white);
    QPainter p(&stampa);
    p.scale(1.5, 1.5); // not on whole pixels: drawn from shapes
    TQtCanvas canvas(&p);
    canvas.SetFont(f);
    const std::size_t primaDellaStampa = TestiPreparatiInMemoria();
    canvas.TextOut(0, 0, std::string(20000, 'y'));
    EXPECT_EQ(TestiPreparatiInMemoria(), primaDellaStampa);
}

// Pen, brush and font go to the painter only when they change: drawing
// text between two lines must not leave the text's colour on the second
// line, and the painter comes back from the canvas as it went in.
TEST(QtCanvas, ColoursDoNotLeakAndThePainterComesBack)
{
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::green, 3));
    p.setBrush(Qt::yellow);
    const QFont prima = p.font();
    {
        TQtCanvas canvas(&p);
        canvas.SetFont(Carattere(19, false, false));
        canvas.SetPen(0x0000FF, 1); // red
        canvas.Line(0, 2, 59, 2);
        canvas.SetFontColor(0xFF0000); // blue
        canvas.TextOut(5, 10, "ab");
        canvas.Line(0, 50, 59, 50);
        canvas.SetBrush(0x00FF00);
        canvas.FrameEllipse(40, 30, 58, 46); // no filling
    }
    EXPECT_EQ(p.pen(), QPen(Qt::green, 3));
    EXPECT_EQ(p.brush(), QBrush(Qt::yellow));
    EXPECT_EQ(p.font(), prima);
    p.end();
    EXPECT_EQ(img.pixelColor(30, 2), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(30, 50), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(49, 38), QColor(Qt::white));
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
