// The capsule button and the tag-markup label.
#include <QAccessible>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>

#include "RAHtControls.h"
#include "UDsFancyButton.h"
#include "viArrow.h"

class TestWidgets : public QObject {
    Q_OBJECT
private slots:
    void capsuleCornerIsNotPartOfTheButton();
    void heightIsLimited();
    void gradientFrameRings();
    void heldAndDisabled();
    void acceleratorAndAccessibleName();
    void enterPressesTheFocusedButtonNotTheWindowsShortcut();
    void markupTags();
    void markupColours();
    void linesStartAfresh();
    void layoutsAndAlignments();
    void autoSize();
    void arrowDefaultsAndRefusals();
    void arrowHeadGeometry();
    void arrowPaintsOnlyItsLineAndHeads();
};

void TestWidgets::capsuleCornerIsNotPartOfTheButton()
{
    TDsFancyButton b(QStringLiteral("Procedi"));
    b.SetShape(TDsFancyButton::btnCapsule);
    b.resize(120, 60);
    b.show();
    QSignalSpy click(&b, &QAbstractButton::clicked);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(click.count(), 0);
    QVERIFY(!b.isDown());
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(click.count(), 1);
    // An oval leaves its corners too; a rectangle with small corners does not.
    b.SetShape(TDsFancyButton::btnOval);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 6));
    QCOMPARE(click.count(), 1);
    b.SetShape(TDsFancyButton::btnRectangle);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 6));
    QCOMPARE(click.count(), 2);
}

void TestWidgets::heightIsLimited()
{
    TDsFancyButton b;
    QCOMPARE(b.size(), QSize(97, 25));
    b.resize(100, 200);
    QCOMPARE(b.height(), 145);
}

void TestWidgets::gradientFrameRings()
{
    TDsFancyButton b(QStringLiteral(" "));
    b.SetShape(TDsFancyButton::btnRectangle);
    b.SetCornerRadius(0);
    b.SetFrameWidth(3);
    const QColor face(255, 113, 45), frame(192, 192, 192);
    b.SetFaceColor(face);
    b.SetFrameColor(frame);
    b.SetTextStyle(TDsFancyButton::txNone);
    b.resize(60, 40);
    auto blend = [&](double t) {
        return QColor(qRound(frame.red() + (face.red() - frame.red()) * t),
                      qRound(frame.green() + (face.green() - frame.green()) * t),
                      qRound(frame.blue() + (face.blue() - frame.blue()) * t));
    };
    auto vicino = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) <= 1 && std::abs(a.green() - b.green()) <= 1 &&
               std::abs(a.blue() - b.blue()) <= 1;
    };
    QCOMPARE(b.RingColor(0), frame);
    QVERIFY(vicino(b.RingColor(1), blend(0.745)));
    QVERIFY(vicino(b.RingColor(2), blend(0.943)));
    const QImage img = b.grab().toImage();
    QVERIFY(vicino(img.pixelColor(30, 0), frame));
    QVERIFY(vicino(img.pixelColor(30, 1), blend(0.745)));
    // The face is nearly, not exactly, the face colour.
    const QColor centro = img.pixelColor(30, 20);
    QVERIFY(vicino(centro, blend(0.943)));
    QVERIFY(centro != face);
}

void TestWidgets::heldAndDisabled()
{
    TDsFancyButton b(QStringLiteral("Esci"));
    b.resize(120, 60);
    b.show();
    QCOMPARE(b.State(), TDsFancyButton::stNormal);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(b.State(), TDsFancyButton::stPressed);
    const QImage premuto = b.grab().toImage();
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(60, 30));
    QVERIFY(premuto != b.grab().toImage()); // the sunken look differs
    b.setEnabled(false);
    QCOMPARE(b.State(), TDsFancyButton::stDisabled);
    QSignalSpy click(&b, &QAbstractButton::clicked);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(click.count(), 0);
}

void TestWidgets::acceleratorAndAccessibleName()
{
    QWidget w;
    auto* b = new TDsFancyButton(QStringLiteral("&Esci"), &w);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Esci"));
    QCOMPARE(a->role(), QAccessible::Button);
    QSignalSpy click(b, &QAbstractButton::clicked);
    QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(click.count(), 1);
    b->setEnabled(false);
    QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
    QTest::qWait(200);
    QCOMPARE(click.count(), 1);
}

void TestWidgets::markupTags()
{
    TRAhtLabel l;
    auto s = l.Segments(QStringLiteral("la <b>somma</b> e <X> <B>parte</b>"));
    QCOMPARE(int(s.size()), 4);
    QCOMPARE(s[0].text, QStringLiteral("la "));
    QVERIFY(!s[0].bold);
    QCOMPARE(s[1].text, QStringLiteral("somma"));
    QVERIFY(s[1].bold);
    QCOMPARE(s[2].text, QStringLiteral(" e <X> ")); // an unknown tag is printed
    QCOMPARE(s[3].text, QStringLiteral("parte"));
    QVERIFY(s[3].bold);
    auto u = l.Segments(QStringLiteral("<i>a</I><U>b"));
    QVERIFY(u[0].italic && !u[0].underline);
    QVERIFY(!u[1].italic && u[1].underline);
    QCOMPARE(TRAhtLabel::PlainText(QStringLiteral("La <b>somma</b>\r\n<c:Red>x")), QStringLiteral("La somma\nx"));
    // Segments follow each other: each starts where the previous ended.
    QVERIFY(s[1].x > s[0].x);
    QCOMPARE(l.LineWidth(QString()), 4);
}

void TestWidgets::markupColours()
{
    TRAhtLabel l;
    l.SetFontColor(Qt::black);
    auto s = l.Segments(QStringLiteral("a<c:Maroon>b<c:Nessuno>c<c:$0000FF>d<c:>e"));
    QCOMPARE(int(s.size()), 5);
    QCOMPARE(s[0].color, QColor(Qt::black));
    QCOMPARE(s[1].color, QColor(128, 0, 0));
    QCOMPARE(s[2].color, QColor(128, 0, 0)); // unknown name: unchanged
    QCOMPARE(s[3].color, QColor(255, 0, 0)); // $BBGGRR
    QCOMPARE(s[4].color, QColor(255, 0, 0));
}

void TestWidgets::linesStartAfresh()
{
    TRAhtLabel l;
    l.SetFontColor(Qt::black);
    const QStringList righe = TRAhtLabel::Lines(QStringLiteral("<b><c:Red>parte \r\nletterale\rdue\nfine"));
    QCOMPARE(righe.size(), 4);
    auto prima = l.Segments(righe[0]);
    auto seconda = l.Segments(righe[1]);
    QVERIFY(prima[0].bold);
    QCOMPARE(prima[0].color, QColor(Qt::red));
    QVERIFY(!seconda[0].bold);
    QCOMPARE(seconda[0].color, QColor(Qt::black));
}

void TestWidgets::layoutsAndAlignments()
{
    TRAhtLabel l(QStringLiteral("uno\r\ndue\r\ntre"));
    l.resize(300, 200);
    const int h = l.LineHeight();
    l.SetLayout(TRAhtLabel::tlTop);
    QCOMPARE(l.LineTop(2, 3), 2 * h);
    l.SetLayout(TRAhtLabel::tlBottom);
    QCOMPARE(l.LineTop(2, 3) + h, 200); // the last line at the bottom edge
    l.SetLayout(TRAhtLabel::tlCenter);
    QCOMPARE(l.LineTop(0, 3), (200 - 3 * h) / 2);
    l.SetAlignment(TRAhtLabel::taRightJustify);
    QCOMPARE(l.LineLeft(QStringLiteral("uno")) + l.LineWidth(QStringLiteral("uno")), 300);
    l.SetAlignment(TRAhtLabel::taCenter);
    QCOMPARE(l.LineLeft(QStringLiteral("uno")), (300 - l.LineWidth(QStringLiteral("uno"))) / 2);
    // Transparent: the background is not filled.
    l.SetTransparent(true);
    l.SetColor(Qt::green);
    QImage img(300, 200, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    l.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    QCOMPARE(img.pixelColor(299, 0), QColor(Qt::blue));
}

void TestWidgets::autoSize()
{
    QWidget parent;
    auto* l = new TRAhtLabel(&parent);
    l->setGeometry(100, 10, 200, 50);
    l->SetAlignment(TRAhtLabel::taRightJustify);
    l->SetAutoSize(true);
    l->SetCaption(QStringLiteral("<b>breve</b>"));
    QCOMPARE(l->x() + l->width(), 300); // right edge kept
    QCOMPARE(l->height(), l->LineHeight());
    l->SetCaption(QString());
    QCOMPARE(l->height(), 0);
    QCOMPARE(l->accessibleName(), QString());
}

void TestWidgets::arrowDefaultsAndRefusals()
{
    TviArrow a;
    QCOMPARE(a.size(), QSize(100, 60));
    QCOMPARE(a.LineWidth(), std::int16_t(1));
    QCOMPARE(a.ThicknessRate(), std::int16_t(10));
    QCOMPARE(a.HeadLengthRate(), std::int16_t(2));
    QCOMPARE(a.ArrowPosition(), TviArrow::apBoth);
    QCOMPARE(a.ArrowDirection(), TviArrow::adTopToBottom);
    QCOMPARE(a.Color(), QColor(Qt::black));
    a.SetLineWidth(0);
    a.SetThicknessRate(0);
    a.SetHeadLengthRate(0);
    QCOMPARE(a.LineWidth(), std::int16_t(1));
    QCOMPARE(a.ThicknessRate(), std::int16_t(10));
    QCOMPARE(a.HeadLengthRate(), std::int16_t(2));
    a.SetHeadLengthRate(3);
    QCOMPARE(a.HeadLengthRate(), std::int16_t(3));
    QSignalSpy dentro(&a, &TviArrow::OnMouseEnter), fuori(&a, &TviArrow::OnMouseLeave);
    QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(&a, &entra);
    QEvent esce(QEvent::Leave);
    QApplication::sendEvent(&a, &esce);
    QCOMPARE(dentro.count(), 1);
    QCOMPARE(fuori.count(), 1);
}

void TestWidgets::arrowHeadGeometry()
{
    // The connectors' heads: a vertical line through the middle, head 10
    // wide and 10 long (ThicknessRate 10, HeadLengthRate 1).
    TviArrowEx a;
    a.resize(27, 15);
    a.SetArrowDirection(TviArrow::adLeftToLeft);
    a.SetHeadLengthRate(1);
    QCOMPARE(a.Linea(), QLine(13, 0, 13, 14));
    a.SetArrowPosition(TviArrow::apRight); // pointing down at the bottom
    auto t = a.Teste();
    QCOMPARE(t.size(), std::size_t(1));
    QCOMPARE(t[0], QPolygon({QPoint(13, 14), QPoint(18, 4), QPoint(8, 4)}));
    a.SetArrowPosition(TviArrow::apLeft); // pointing up at the top
    t = a.Teste();
    QCOMPARE(t[0], QPolygon({QPoint(13, 0), QPoint(8, 10), QPoint(18, 10)}));
    a.SetArrowPosition(TviArrow::apBoth);
    QCOMPARE(a.Teste().size(), std::size_t(2));
    // Horizontally through the middle for adTopToTop.
    a.resize(60, 21);
    a.SetArrowDirection(TviArrow::adTopToTop);
    QCOMPARE(a.Linea(), QLine(0, 10, 59, 10));
    const auto h = a.Teste();
    QCOMPARE(h[0][0], QPoint(0, 10));
    QCOMPARE(h[0][1], QPoint(10, 15)); // opens towards the other end
    QCOMPARE(h[1][0], QPoint(59, 10));
    QCOMPARE(h[1][1], QPoint(49, 5));
    // A thicker line scales the head: w = 2 x 10, h = 1 x w.
    QCOMPARE(TviArrow::Testa(QPoint(0, 0), M_PI / 2, 2, 10, 1), QPolygon({QPoint(0, 0), QPoint(-10, 20), QPoint(10, 20)}));
}

void TestWidgets::arrowPaintsOnlyItsLineAndHeads()
{
    TviArrowEx a;
    a.resize(27, 15);
    a.SetArrowDirection(TviArrow::adLeftToLeft);
    a.SetArrowPosition(TviArrow::apRight);
    a.SetHeadLengthRate(1);
    a.SetColor(QColor(255, 0, 0));
    const auto disegno = [&a] {
        QImage img(a.size(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        a.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        return img;
    };
    QImage img = disegno();
    QCOMPARE(img.pixelColor(13, 2), QColor(255, 0, 0));  // the line
    QCOMPARE(img.pixelColor(13, 9), QColor(255, 0, 0));  // inside the head
    QCOMPARE(img.pixelColor(2, 2).alpha(), 0);           // transparent elsewhere
    QCOMPARE(img.pixelColor(24, 12).alpha(), 0);
    a.SetColor(QColor(0, 0, 255)); // a property change shows at the next paint
    img = disegno();
    QCOMPARE(img.pixelColor(13, 9), QColor(0, 0, 255));
}

QTEST_MAIN(TestWidgets)
void TestWidgets::enterPressesTheFocusedButtonNotTheWindowsShortcut()
{
    // A dialog whose Enter writes the sheet, and a focused "Chiudi".
    QWidget w;
    auto* scrivi = new TDsFancyButton(QStringLiteral("Scrivi"), &w);
    auto* chiudi = new TDsFancyButton(QStringLiteral("Chiudi"), &w);
    chiudi->move(0, 60);
    auto* invio = new QShortcut(QKeySequence(Qt::Key_Return), &w);
    QObject::connect(invio, &QShortcut::activated, scrivi, &QAbstractButton::click);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QSignalSpy scritto(scrivi, &QAbstractButton::clicked), chiuso(chiudi, &QAbstractButton::clicked);
    chiudi->setFocus();
    QTest::keyClick(chiudi, Qt::Key_Return); // to the focused button, as the keyboard does
    QCOMPARE(chiuso.count(), 1);
    QCOMPARE(scritto.count(), 0);
    // Elsewhere in the window Enter still reaches the shortcut.
    chiudi->clearFocus();
    QTest::keyClick(&w, Qt::Key_Return);
    QCOMPARE(scritto.count(), 1);
}

#include "test_widgets.moc"
