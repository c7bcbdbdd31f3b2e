// Mevario on screens of every kind: the bottom buttons' pictures drawn for
// the device pixel ratio (this test also runs with QT_SCALE_FACTOR=2), and
// the window shape painted where the platform does not cut windows.
#include <QApplication>
#include <QTest>

#include "Finestra.h"
#include "Glifi.h"
#include "UDsFancyButton.h"

using namespace mevario;

namespace {

// The share of 2 x 2 blocks of device pixels, in the rectangle, whose four
// pixels are not all the same: 0 for a picture drawn at half the resolution
// and doubled.
double BlocchiFini(const QImage& img, const QRect& r)
{
    int fini = 0, tutti = 0;
    for (int y = r.top(); y + 1 <= r.bottom(); y += 2)
        for (int x = r.left(); x + 1 <= r.right(); x += 2) {
            const QRgb a = img.pixel(x, y);
            ++tutti;
            fini += img.pixel(x + 1, y) != a || img.pixel(x, y + 1) != a || img.pixel(x + 1, y + 1) != a;
        }
    return tutti ? double(fini) / tutti : 0;
}

} // namespace

class TestSchermi : public QObject {
    Q_OBJECT
private slots:
    void glyphsAtEveryRatio();
    void buttonDrawsItsGlyphForTheScreen();
    void paintedShapeStandsApart();
};

void TestSchermi::glyphsAtEveryRatio()
{
    for (const QIcon& icona : {GlifoScheda(), GlifoStampante(), GlifoEsci()})
        for (double dpr : {1.0, 1.5, 2.0}) {
            const QPixmap px = icona.pixmap(QSize(24, 24), dpr);
            QCOMPARE(px.size(), QSize(24, 24) * dpr);
            QCOMPARE(px.deviceIndependentSize(), QSizeF(24, 24));
            // Transparent around the picture, something drawn in it.
            const QImage img = px.toImage();
            QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
            QVERIFY(qAlpha(img.pixel(img.width() / 2, img.height() / 2)) > 0);
        }
    // At 2x the picture has details of its own, not the 1x one doubled.
    const QImage doppio = GlifoEsci().pixmap(QSize(24, 24), 2.0).toImage();
    QVERIFY(BlocchiFini(doppio, doppio.rect()) > 0.05);
}

void TestSchermi::buttonDrawsItsGlyphForTheScreen()
{
    QWidget w;
    auto* b = new TDsFancyButton(QStringLiteral("Esci"), &w);
    StileCapsula(b, 16, Qt::white, Qt::white);
    b->SetLayout(TDsFancyButton::lyLeft);
    b->SetDistance(5);
    b->SetGlyph(GlifoEsci(), QSize(24, 24));
    b->setGeometry(0, 0, 125, 50);
    w.resize(125, 50);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPixmap foto = b->grab();
    const qreal dpr = foto.devicePixelRatio();
    QCOMPARE(dpr, b->devicePixelRatioF());
    const QImage img = foto.toImage();
    // The glyph sits left of the caption, centred with it as one block:
    // look at its middle part, in device pixels.
    const QFontMetrics fm(b->font());
    const int blocco = 24 + 5 + fm.horizontalAdvance(QStringLiteral("Esci"));
    const QRect glifo(QPointF((125 - blocco) / 2 * dpr, 13 * dpr).toPoint(), (QSizeF(24, 24) * dpr).toSize());
    // The door's brown is there.
    bool porta = false;
    for (int y = glifo.top(); y <= glifo.bottom() && !porta; ++y)
        for (int x = glifo.left(); x <= glifo.right() && !porta; ++x)
            porta = QColor(img.pixel(x, y)) == QColor(139, 90, 43);
    QVERIFY(porta);
    if (dpr >= 2)
        QVERIFY2(BlocchiFini(img, glifo) > 0.05, "the glyph is pixel-doubled");
}

void TestSchermi::paintedShapeStandsApart()
{
    QWidget w;
    w.resize(300, 200);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, QColor(255, 230, 204));
    w.setPalette(p);
    w.setAutoFillBackground(true);
    SagomaFinestra(&w, true);
    QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(!w.mask().contains(QPoint(0, 0))); // clicks in the cut corner go through
    const QImage img = w.grab().toImage();
    const qreal dpr = w.devicePixelRatioF();
    const auto at = [&](int x, int y) { return img.pixelColor(QPointF(x * dpr, y * dpr).toPoint()); };
    // Top corners cut away, bottom corners square.
    QCOMPARE(at(0, 0).alpha(), 0);
    QCOMPARE(at(299, 0).alpha(), 0);
    QCOMPARE(at(150, 100), QColor(255, 230, 204));
    // A darker border all round: at the bottom corners, the middle of the
    // top edge and of the sides.
    for (const QPoint& bordo : {QPoint(0, 199), QPoint(299, 199), QPoint(150, 0), QPoint(0, 100), QPoint(299, 100)}) {
        const QColor c = at(bordo.x(), bordo.y());
        QVERIFY2(c.alpha() == 255 && c.lightness() < QColor(255, 230, 204).lightness() - 40,
                 qPrintable(QStringLiteral("%1,%2: %3").arg(bordo.x()).arg(bordo.y()).arg(c.name(QColor::HexArgb))));
    }
    // Where the platform cuts windows, nothing of this.
    QWidget x;
    SagomaFinestra(&x, false);
    QVERIFY(!x.testAttribute(Qt::WA_TranslucentBackground));
}

QTEST_MAIN(TestSchermi)
#include "test_schermi.moc"
