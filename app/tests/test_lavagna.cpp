// The blackboard: the hit test, strokes drawn and erased with the mouse,
// "Pulisci", and the two things the board must not do (store a stroke with
// the eraser's tracing pen, change the order of strokes at a repaint).
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "lavagna.h"

using namespace mevario;

namespace {

void Evento(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons held)
{
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A stroke through the points, with the left button held.
void Traccia(QWidget* foglio, std::initializer_list<QPoint> punti)
{
    auto it = punti.begin();
    Evento(foglio, QEvent::MouseButtonPress, *it, Qt::LeftButton, Qt::LeftButton);
    for (++it; it != punti.end(); ++it)
        Evento(foglio, QEvent::MouseMove, *it, Qt::NoButton, Qt::LeftButton);
    Evento(foglio, QEvent::MouseButtonRelease, *(punti.end() - 1), Qt::LeftButton, Qt::NoButton);
}

void Muovi(QWidget* foglio, QPoint p) { Evento(foglio, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }

QColor Pixel(const TfrmLavagna& l, QPoint p)
{
    QImage img = l.Foglio->grab().toImage();
    return img.pixelColor(p);
}

} // namespace

class TestLavagna : public QObject {
    Q_OBJECT
private slots:
    void hitTest();
    void listsAndPen();
    void drawEraseAndClear();
    void tracingDoesNotChangeThePen();
    void repaintKeepsTheDrawingOrder();
    void eraserOutlinesWideStrokes();
};

void TestLavagna::hitTest()
{
    // Nearly horizontal: within 3 pixels of the line but outside the box.
    QVERIFY(!SegmentoToccato({0, 0}, {100, 1}, {50, 3}));
    QVERIFY(SegmentoToccato({0, 0}, {100, 1}, {50, 1}));
    // Vertical and horizontal segments within 3 pixels.
    QVERIFY(SegmentoToccato({10, 10}, {10, 60}, {13, 30}));
    QVERIFY(!SegmentoToccato({10, 10}, {10, 60}, {14, 30}));
    QVERIFY(!SegmentoToccato({10, 10}, {10, 60}, {12, 61}));
    QVERIFY(SegmentoToccato({10, 10}, {60, 10}, {30, 7}));
    QVERIFY(!SegmentoToccato({10, 10}, {60, 10}, {30, 6}));
    // A steep segment is found along x.
    QVERIFY(SegmentoToccato({0, 0}, {10, 100}, {7, 50}));
    QVERIFY(!SegmentoToccato({0, 0}, {10, 100}, {9, 50}));
    // A one-point stroke is never touched; a longer one by any segment.
    QVERIFY(!TrattoToccato({{5, 5}}, {5, 5}));
    QVERIFY(TrattoToccato({{0, 0}, {50, 0}, {50, 50}}, {51, 40}));
}

void TestLavagna::listsAndPen()
{
    TfrmLavagna l;
    QCOMPARE(l.cmbPennaColore->count(), 16);
    QCOMPARE(l.cmbPennaSpessore->count(), 6);
    QCOMPARE(l.ColorePenna(), QColor(0, 0, 255)); // entry 3 at start
    QCOMPARE(l.SpessorePenna(), 3);
    QCOMPARE(ColoreLavagna(0), QColor(0, 0, 0));
    QCOMPARE(ColoreLavagna(1), QColor(0, 255, 255));
    QCOMPARE(ColoreLavagna(2), QColor(255, 0, 255));
    QCOMPARE(ColoreLavagna(14), QColor(128, 0, 0));
    QCOMPARE(ColoreLavagna(15), QColor(0, 0, 0));
    l.cmbPennaSpessore->setCurrentIndex(5);
    QCOMPARE(l.SpessorePenna(), 6);
    QCOMPARE(l.cmbPennaColore->accessibleName(), QStringLiteral("Colore"));
}

void TestLavagna::drawEraseAndClear()
{
    TfrmLavagna l;
    l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    l.cmbPennaColore->setCurrentIndex(6); // red
    Traccia(l.Foglio, {{20, 100}, {120, 100}, {220, 100}});
    QCOMPARE(l.Tratti().size(), std::size_t(1));
    QCOMPARE(l.Tratti()[0].punti.size(), std::size_t(3));
    QCOMPARE(l.Tratti()[0].colore, QColor(255, 0, 0));
    QCOMPARE(Pixel(l, {120, 100}), QColor(255, 0, 0));
    // A click draws a stroke of one point: nothing to see.
    Traccia(l.Foglio, {{300, 300}});
    QCOMPARE(l.Tratti().size(), std::size_t(2));
    // The eraser: over the red stroke, a press takes it away.
    l.cbGomma->setChecked(true);
    Muovi(l.Foglio, {150, 102});
    QCOMPARE(l.Foglio->SottoGomma, 0);
    Muovi(l.Foglio, {150, 140});
    QCOMPARE(l.Foglio->SottoGomma, -1);
    Evento(l.Foglio, QEvent::MouseButtonPress, {150, 140}, Qt::LeftButton, Qt::LeftButton); // nothing under it
    QCOMPARE(l.Tratti().size(), std::size_t(2));
    Muovi(l.Foglio, {150, 101});
    Evento(l.Foglio, QEvent::MouseButtonPress, {150, 101}, Qt::LeftButton, Qt::LeftButton);
    Evento(l.Foglio, QEvent::MouseButtonRelease, {150, 101}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(l.Tratti().size(), std::size_t(1));
    QCOMPARE(Pixel(l, {120, 100}), QColor(Qt::white));
    l.cbGomma->setChecked(false);
    Traccia(l.Foglio, {{10, 10}, {40, 40}});
    QTest::mouseClick(l.btnLavagna, Qt::LeftButton, {}, QPoint(50, 15));
    QVERIFY(l.Tratti().empty());
    QCOMPARE(Pixel(l, {25, 25}), QColor(Qt::white));
    // One board for the run: what is drawn stays when the window is closed.
    Traccia(l.Foglio, {{10, 10}, {40, 40}});
    l.close();
    l.show();
    QCOMPARE(l.Tratti().size(), std::size_t(1));
}

void TestLavagna::tracingDoesNotChangeThePen()
{
    TfrmLavagna l;
    l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    l.cmbPennaColore->setCurrentIndex(6); // red, 3 pixels
    Traccia(l.Foglio, {{20, 100}, {220, 100}});
    l.cmbPennaColore->setCurrentIndex(3); // blue
    l.cmbPennaSpessore->setCurrentIndex(4); // 5 pixels
    // Trace the red stroke, then leave the eraser without moving off it.
    l.cbGomma->setChecked(true);
    Muovi(l.Foglio, {100, 100});
    QCOMPARE(l.Foglio->SottoGomma, 0);
    l.cbGomma->setChecked(false);
    Traccia(l.Foglio, {{100, 100}, {100, 200}});
    QCOMPARE(l.Tratti().back().colore, QColor(0, 0, 255));
    QCOMPARE(l.Tratti().back().spessore, 5);
    QCOMPARE(Pixel(l, {98, 150}), QColor(0, 0, 255)); // drawn solid, 5 wide
    QCOMPARE(Pixel(l, {101, 150}), QColor(0, 0, 255));
    QCOMPARE(Pixel(l, {104, 150}), QColor(Qt::white));
    QCOMPARE(Pixel(l, {100, 151}), QColor(0, 0, 255));
}

void TestLavagna::repaintKeepsTheDrawingOrder()
{
    TfrmLavagna l;
    l.show();
    QVERIFY(QTest::qWaitForWindowExposed(&l));
    l.cmbPennaColore->setCurrentIndex(6); // red first
    Traccia(l.Foglio, {{20, 100}, {220, 100}});
    l.cmbPennaColore->setCurrentIndex(3); // blue across it
    Traccia(l.Foglio, {{120, 20}, {120, 200}});
    QCOMPARE(Pixel(l, {120, 100}), QColor(0, 0, 255));
    l.Foglio->Ridisegna();
    QCOMPARE(Pixel(l, {120, 100}), QColor(0, 0, 255)); // still on top
}

void TestLavagna::eraserOutlinesWideStrokes()
{
    // A dark 4-pixel stroke and a light 6-pixel one: the eraser's outline
    // stands out beside each, wider than the stroke, and goes when the
    // eraser leaves; the stroke itself keeps its colour.
    for (const auto& [voce, spessore] : {std::pair{14, 3}, std::pair{12, 5}}) { // maroon 4 px, yellow 6 px
        TfrmLavagna l;
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.cmbPennaColore->setCurrentIndex(voce);
        l.cmbPennaSpessore->setCurrentIndex(spessore);
        Traccia(l.Foglio, {{20, 100}, {220, 100}});
        const QColor colore = l.Tratti().back().colore;
        const int fuori = (spessore + 1) / 2 + 3; // beside the stroke, inside the outline
        const auto scuri = [&] {
            const QImage img = l.Foglio->grab().toImage();
            int n = 0;
            for (int x = 40; x <= 200; ++x)
                n += img.pixelColor(x, 100 - fuori).lightness() < 100 && img.pixelColor(x, 100 + fuori).lightness() < 100;
            return n;
        };
        QCOMPARE(scuri(), 0);
        l.cbGomma->setChecked(true);
        Muovi(l.Foglio, {100, 101});
        QCOMPARE(l.Foglio->SottoGomma, 0);
        QVERIFY2(scuri() > 40, QByteArray::number(scuri()));
        QCOMPARE(Pixel(l, {100, 100}), colore);
        Muovi(l.Foglio, {100, 300});
        QCOMPARE(scuri(), 0);
    }
}

QTEST_MAIN(TestLavagna)
#include "test_lavagna.moc"
