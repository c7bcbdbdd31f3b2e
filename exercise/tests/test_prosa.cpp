// Sentences inside formulas (the worked solutions' explanations) drawn in the
// program's font: how a formula text is cut into prose and formula, how the
// formula code page's apostrophes become Italian accents, and a box that
// draws them.
#include <QLabel>
#include <QTest>

#include "FormulaBox.h"

using namespace mevario;

class TestProsa : public QObject {
    Q_OBJECT
private slots:
    void cutIntoProseAndFormula();
    void italianAccents();
    void boxDrawsProseInTheProgramsFont();
    void labelStandsOnTheFormulasBaseline();
    void readAndMeasuredOncePerTextAgainWhenItChanges();
};

void TestProsa::cutIntoProseAndFormula()
{
    const auto pezzi = DividiProsa("string(tutte le lettere:  )&x*y^3&string(  =  )&5&string(\"nessuna (x)\")");
    QCOMPARE(pezzi.size(), std::size_t(3));
    QVERIFY(pezzi[0].prosa);
    QCOMPARE(pezzi[0].testo, std::string("tutte le lettere:  "));
    // Signs written as text stay with the formula around them.
    QVERIFY(!pezzi[1].prosa);
    QCOMPARE(pezzi[1].testo, std::string("x*y^3&string(  =  )&5"));
    // The quoted form may hold brackets.
    QVERIFY(pezzi[2].prosa);
    QCOMPARE(pezzi[2].testo, std::string("nessuna (x)"));
    // "&" inside a group is no cut; text inside a group is formula.
    const auto gruppo = DividiProsa("string(mcm)&!(12&string(,  )&4)&string(  =  )&12");
    QCOMPARE(gruppo.size(), std::size_t(2));
    QCOMPARE(gruppo[1].testo, std::string("!(12&string(,  )&4)&string(  =  )&12"));
    // A text raised to a power is part of a formula.
    QVERIFY(!DividiProsa("string(ab)^2")[0].prosa);
    QVERIFY(DividiProsa("").empty());
}

void TestProsa::italianAccents()
{
    QCOMPARE(ProsaItaliana("c'e' un coefficiente frazionario, percio' il coefficiente e' 1"),
             QStringLiteral("c'è un coefficiente frazionario, perciò il coefficiente è 1"));
    QCOMPARE(ProsaItaliana("Si"), QStringLiteral("Sì"));
    QCOMPARE(ProsaItaliana("No"), QStringLiteral("No"));
    // Elisions keep their apostrophe.
    QCOMPARE(ProsaItaliana("l'esponente dell'ultimo un'altra"), QStringLiteral("l'esponente dell'ultimo un'altra"));
    QCOMPARE(ProsaItaliana("E' una somma"), QStringLiteral("È una somma"));
    // "si" inside a sentence is not the answer.
    QCOMPARE(ProsaItaliana("si prende"), QStringLiteral("si prende"));
}

void TestProsa::boxDrawsProseInTheProgramsFont()
{
    TFormulaBox box(nullptr, TFormulaVariant::ControlLeft);
    box.resize(500, 40);
    box.SetFormula("string(e' una somma, non un prodotto)");
    box.SetProsa(true);
    const QImage prosa = box.grab().toImage();
    QCOMPARE(box.TestiProsa(), QStringList{QStringLiteral("è una somma, non un prodotto")});
    // Drawn differently from the same text in the formula's serif.
    box.SetProsa(false);
    QVERIFY(box.grab().toImage() != prosa);
    // A row too long for its box is drawn smaller, not cut.
    box.SetFormula("string(una frase lunga, molto lunga, che da sola riempie il riquadro:  )&x^2*y^3*z^4");
    box.SetProsa(true);
    const QImage lunga = box.grab().toImage();
    bool ultimaColonna = false;
    for (int y = 0; y < lunga.height(); ++y)
        ultimaColonna = ultimaColonna || lunga.pixelColor(lunga.width() - 1, y) != QColor(255, 255, 255);
    QVERIFY(!ultimaColonna);
    QVERIFY(box.Valida());
}

void TestProsa::labelStandsOnTheFormulasBaseline()
{
    // A power as on the power's concept page: the label's baseline meets
    // the bottom of the digit 4 (digits stand on the baseline).
    QWidget pagina;
    pagina.resize(400, 120);
    auto* box = new TFormulaBox(&pagina);
    box->setGeometry(110, 30, 120, 50);
    box->SetFormula("(4*x^2*y)^3");
    auto* etichetta = new QLabel(QStringLiteral("Ad esempio"), &pagina);
    QFont f(QStringLiteral("Comic Neue"));
    f.setPixelSize(16);
    etichetta->setFont(f);
    etichetta->adjustSize();
    etichetta->move(16, 0);
    PosaSullaBase(etichetta, box);
    const QImage img = box->grab().toImage();
    QRect quattro;
    for (const TPezzoTesto& p : PezziDiTesto(box->Formula(), box->size(), box->Variant(), box->logicalDpiY()))
        if (p.testo == u"4")
            quattro = p.cella;
    QVERIFY(!quattro.isEmpty());
    int fondo = -1;
    for (int y = quattro.top(); y <= quattro.bottom(); ++y)
        for (int x = quattro.left(); x <= quattro.right(); ++x)
            if (img.valid(x, y) && img.pixelColor(x, y).lightness() < 100)
                fondo = y;
    QVERIFY(fondo > 0);
    const int baseEtichetta = etichetta->y() + QFontMetrics(etichetta->font()).ascent();
    QVERIFY2(std::abs(baseEtichetta - (box->y() + fondo + 1)) <= 1,
             qPrintable(QStringLiteral("label %1, formula %2").arg(baseEtichetta).arg(box->y() + fondo + 1)));
}

void TestProsa::readAndMeasuredOncePerTextAgainWhenItChanges()
{
    // The pieces are kept between paints: a new text, and only a new text,
    // gives new pieces.
    TFormulaBox box(nullptr, TFormulaVariant::ControlLeft);
    box.resize(500, 40);
    box.SetProsa(true);
    box.SetFormula("string(e' una somma)");
    const QImage prima = box.grab().toImage();
    QCOMPARE(box.grab().toImage(), prima); // painted again from what was read
    box.SetFormula("x^2&string(  non e' un monomio)");
    box.grab();
    QCOMPARE(box.TestiProsa(), QStringList{QStringLiteral("  non è un monomio")});
    // A piece that does not read: the whole is drawn as a formula, and a
    // good text after it is read again.
    box.SetFormula("x^^&string(percio' no)");
    box.grab();
    QVERIFY(box.TestiProsa().isEmpty() || box.TestiProsa() == QStringList{QStringLiteral("  non è un monomio")});
    box.SetFormula("string(e' una somma)");
    QCOMPARE(box.grab().toImage(), prima);
    QCOMPARE(box.TestiProsa(), QStringList{QStringLiteral("è una somma")});

    // The natural size follows the text and the variant, never an old one.
    TFormulaBox misura(nullptr, TFormulaVariant::PaintBoxCentered);
    misura.SetFormula("x");
    const QSize x = misura.MisuraNaturale();
    QVERIFY(!x.isEmpty());
    QCOMPARE(misura.MisuraNaturale(), x);
    misura.SetFormula("x^2+y^2+z^2");
    QVERIFY(misura.MisuraNaturale().width() > x.width());
    misura.SetFormula("x");
    QCOMPARE(misura.MisuraNaturale(), x);
    misura.SetVariant(TFormulaVariant::ControlLeft);
    const QSize altra = misura.MisuraNaturale();
    misura.SetVariant(TFormulaVariant::PaintBoxCentered);
    QCOMPARE(misura.MisuraNaturale(), x);
    QVERIFY(FormulaPoints(TFormulaVariant::ControlLeft) == FormulaPoints(TFormulaVariant::PaintBoxCentered) ||
            altra != x);
    misura.SetFormula("x^^");
    QVERIFY(misura.MisuraNaturale().isEmpty());
    misura.SetFormula("");
    QVERIFY(misura.MisuraNaturale().isEmpty());
}

QTEST_MAIN(TestProsa)
#include "test_prosa.moc"
