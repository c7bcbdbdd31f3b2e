// What a pupil meets in every exercise window before typing a word: the
// keypad and the help panel cover nothing and stay inside the window, the
// keyboard starts on the page's work, an empty answer counts nothing, the
// solution says how the answer is typed, long answers fit their field and
// the rings of a diagnosis leave the answer's characters whole.
#include <QFontMetrics>
#include <QApplication>
#include <QPainterPath>
#include <QTest>

#include "Avvio.h"
#include "Errori.h"
#include "Lettura.h"
#include "funzioni.h"

using namespace mevario;

namespace {

bool Foglia(const QWidget* c)
{
    for (const QWidget* f : c->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (f->isVisible() && !f->isWindow())
            return false;
    return true;
}

// The first visible widget that shows something and meets r (window
// coordinates), or a painted panel that r straddles; empty when none.
QString Ostacolo(QWidget* w, const QRect& r, const QWidget* escluso)
{
    if (!w->rect().contains(r))
        return QStringLiteral("fuori dalla finestra");
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!c->isVisible() || c->isWindow() || c == escluso || escluso->isAncestorOf(c))
            continue;
        const QRect g(c->mapTo(w, QPoint(0, 0)), c->size());
        const QString nome = QString::fromLatin1(c->metaObject()->className()) + QLatin1Char(' ') + c->objectName() +
                             QLatin1Char(' ') + c->accessibleName();
        if (Foglia(c) && g.intersects(r))
            return nome;
        if (!Foglia(c) && c->autoFillBackground() && g.intersects(r) && !g.contains(r))
            return nome;
    }
    return {};
}

} // namespace

class TestPannelli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { FFinestre.reset(); }
    void keypadCoversNothingInEveryWindow();
    void helpStaysInsideAndSaysHowToType();
    void focusStartsOnThePagesWork();
    void emptyAnswerCountsNothing();
    void solutionSaysHowTheAnswerIsTyped();
    void sumAndDifferenceFieldHoldsTheWholeAnswer();
    void ringsLeaveTheCharactersWhole();
    void enterOnATopicButtonOpensItsMenu();

private:
    std::vector<TFinestraEsercizi*> Finestre() const;
    // Opens a window on its exercise page, on a question answered by typing.
    void ApriDaDigitare(TFinestraEsercizi* w);
    std::unique_ptr<TFinestre> FFinestre;
    QStringList FErrori;
};

void TestPannelli::initTestCase()
{
    FFinestre = Avvia();
    ImpostaGestoreErrori([this](const QString& m) { FErrori << m; });
    FFinestre->frmMain()->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFinestre->frmMain()));
    FFinestre->frmcomune(); // the keypad and help panel the windows borrow
    ImpostaFaseLampeggio(0);
}

std::vector<TFinestraEsercizi*> TestPannelli::Finestre() const
{
    TFinestre& f = *FFinestre; // windows are made at first use
    return {f.frmConcetto(), f.frmSommaMon(),    f.frmProdottoMon(), f.frmPotenzaMon(),
            f.frmQuozienteMon(), f.frmMcdMon(),  f.frmMcmMon(),      f.frmPolConcetto(),
            f.frmSommaPol(),  f.frmDiffPol(),    f.frmProdottoPol(), f.frmDivisionePol()};
}

void TestPannelli::ApriDaDigitare(TFinestraEsercizi* w)
{
    w->Apri(true);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (int i = 0; i < 4 && w->Argomento() && w->Argomento()->SiNo(); ++i)
        w->PreparaPagina();
}

void TestPannelli::keypadCoversNothingInEveryWindow()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    for (TFinestraEsercizi* w : Finestre()) {
        ApriDaDigitare(w);
        const QSize dimensione = w->size();
        const QString nome = w->objectName();
        QWidget* tastiera = c->pnlTastiera;
        const auto controlla = [&](const char* quando) {
            if (!tastiera->isVisible())
                return;
            const QString o = Ostacolo(w, tastiera->geometry(), tastiera);
            QVERIFY2(o.isEmpty(), qPrintable(nome + QLatin1Char(' ') + QLatin1String(quando) + QLatin1String(": ") + o));
            QCOMPARE(w->size(), dimensione); // the real windows have room for it
        };
        if (w == FFinestre->frmDivisionePol()) {
            auto* d = FFinestre->frmDivisionePol();
            // The editor over the cells of several rows, the keypad beside.
            // (cells a division of this size never uses are hidden)
            int cliccate = 0;
            for (const TDivisione::Cella& k : {TDivisione::Cella{2, 2, 4}, {1, 2, 4}, {1, 3, 2}, {1, 10, 0}})
                if (TCellaDivisione* cella = d->CellaDi(k); cella && cella->isVisible()) {
                    ++cliccate;
                    QTest::mouseClick(cella, Qt::LeftButton);
                    QVERIFY(tastiera->isVisible());
                    controlla("sulla griglia");
                }
            QVERIFY(cliccate >= 3);
            d->btnNuovo->click(); // a wrong grid: the editor goes to a red cell
            d->PaintBox1Click(d->CellaDi({1, 3, 3}));
            controlla("dopo Procedi");
        } else {
            QTest::mouseClick(w->EditRisp, Qt::LeftButton);
            QVERIFY2(tastiera->isVisible(), qPrintable(nome));
            controlla("all'apertura");
            QTest::keyClicks(w->EditRisp, QStringLiteral("9/7x^8y^8z^8"));
            w->btnNuovo->click(); // wrong: the diagnosis, "Soluzione"
            QCOMPARE(w->Errori(), 1);
            QVERIFY(tastiera->isVisible());
            controlla("dopo una risposta sbagliata");
            w->EditRisp->clear();
            QTest::keyClicks(w->EditRisp, QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa())));
            w->btnNuovo->click(); // right: the count shows
            QCOMPARE(w->Esatte(), 1);
            controlla("dopo una risposta giusta");
            w->btnNuovo->click(); // "Nuovo"
            controlla("dopo Nuovo");
        }
        w->btnChiudi->click();
        QVERIFY(!tastiera->isVisible());
        QCOMPARE(w->size(), dimensione);
    }
}

void TestPannelli::helpStaysInsideAndSaysHowToType()
{
    Tfrmcomune* c = Tfrmcomune::Istanza();
    for (TFinestraEsercizi* w : Finestre()) {
        if (w == FFinestre->frmDivisionePol())
            continue; // no help panel: one term a cell
        ApriDaDigitare(w);
        const QString nome = w->objectName();
        // With the keypad open and without it.
        for (bool tastiera : {true, false}) {
            if (tastiera)
                QTest::mouseClick(w->EditRisp, Qt::LeftButton);
            else
                c->EditTastieraExit();
            QTest::mouseClick(w->DsFancyButton1, Qt::LeftButton, {}, QPoint(40, 15));
            QWidget* aiuto = c->pnlHelp1;
            QVERIFY2(aiuto->isVisible(), qPrintable(nome));
            QCOMPARE(aiuto->parentWidget(), w);
            QVERIFY2(w->rect().contains(aiuto->geometry()), qPrintable(nome));
            const QRect x(c->SpeedButton1->mapTo(w, QPoint(0, 0)), c->SpeedButton1->size());
            QVERIFY2(w->rect().contains(x), qPrintable(nome));
            if (c->pnlTastiera->isVisible())
                QVERIFY2(!aiuto->geometry().intersects(c->pnlTastiera->geometry()), qPrintable(nome));
            // Never over the counters or the typed answer's preview.
            for (QWidget* lasciato : {static_cast<QWidget*>(w->pnlRisp), static_cast<QWidget*>(w->PBRisp)})
                if (lasciato->isVisible())
                    QVERIFY2(!aiuto->geometry().intersects(QRect(lasciato->mapTo(w, QPoint(0, 0)), lasciato->size())),
                             qPrintable(nome + QStringLiteral(" ") + lasciato->objectName() + (tastiera ? " tastiera" : "")));
            QCOMPARE(c->Aiuto(), w->Argomento()->Aiuto());
            // Escape closes it, wherever the focus is.
            w->EditRisp->setFocus();
            QTest::keyClick(w->EditRisp, Qt::Key_Escape);
            QVERIFY(!aiuto->isVisible());
        }
        // Opened again, the window starts without it.
        QTest::mouseClick(w->DsFancyButton1, Qt::LeftButton, {}, QPoint(40, 15));
        w->btnChiudi->click();
        w->Apri(true);
        QVERIFY(!c->pnlHelp1->isVisible());
        w->btnChiudi->click();
    }
    // What the help says: a polynomial is typed term after term, each with
    // its sign; the quizzes compare their answers as text.
    const auto testi = [](const TAiuto& a) {
        std::string t;
        for (const TParagrafoAiuto& p : a.paragrafi)
            for (const std::string& r : p.righe)
                t += r + " ";
        return t;
    };
    for (TFinestraEsercizi* w : {static_cast<TFinestraEsercizi*>(FFinestre->frmSommaPol()),
                                 static_cast<TFinestraEsercizi*>(FFinestre->frmDiffPol()),
                                 static_cast<TFinestraEsercizi*>(FFinestre->frmProdottoPol())}) {
        const std::string t = testi(w->Argomento()->Aiuto());
        QVERIFY(t.find("polinomio") != std::string::npos);
        QVERIFY(t.find("ciascuno con il proprio segno") != std::string::npos);
        for (const std::string& e : w->Argomento()->Aiuto().esempi)
            QVERIFY(LeggiDigitata(QString::fromStdString(e)).leggibile); // every example reads as an answer
    }
    for (TFinestraEsercizi* w : {static_cast<TFinestraEsercizi*>(FFinestre->frmConcetto()),
                                 static_cast<TFinestraEsercizi*>(FFinestre->frmPolConcetto())})
        // The quizzes judge the value, not the characters: the help no longer says otherwise.
        QVERIFY(testi(w->Argomento()->Aiuto()).find("carattere per carattere") == std::string::npos);
    QCOMPARE(FFinestre->frmSommaMon()->Argomento()->Aiuto(), AiutoMonomi());
}

void TestPannelli::focusStartsOnThePagesWork()
{
    for (TFinestraEsercizi* w : Finestre()) {
        const bool divisione = w == FFinestre->frmDivisionePol();
        w->Apri(false);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // Never "Esci", which Space would press: the page's main button.
        QWidget* atteso = divisione ? static_cast<QWidget*>(w->btnNuovo) : w->btEseAppr;
        QCOMPARE(w->focusWidget(), atteso);
        w->btEseAppr->click();
        if (divisione) {
            QCOMPARE(w->focusWidget(), static_cast<QWidget*>(w->EditRisp));
        } else {
            for (int i = 0; i < 4; ++i) {
                const bool siNo = w->Argomento()->SiNo();
                QCOMPARE(w->focusWidget(), siNo ? static_cast<QWidget*>(w->rbSi) : w->EditRisp);
                w->PreparaPagina();
            }
        }
        w->btnChiudi->click();
    }
}

void TestPannelli::emptyAnswerCountsNothing()
{
    for (TFinestraEsercizi* w : Finestre()) {
        if (w == FFinestre->frmDivisionePol())
            continue; // the grid is judged whole
        ApriDaDigitare(w);
        FErrori.clear();
        const QColor colore = Colore(w->pnlRisp);
        const std::string esercizio = w->TestoEsercizio;
        for (const QString& vuoto : {QString(), QStringLiteral("   ")}) {
            w->EditRisp->setText(vuoto);
            w->btnNuovo->click();
            QTest::keyClick(w->EditRisp, Qt::Key_Return);
            QCOMPARE(w->Errori(), 0);
            QCOMPARE(w->Esatte(), 0);
            QVERIFY(!w->InVerifica());
            QCOMPARE(Colore(w->pnlRisp), colore);
            QVERIFY(w->lblLettura && w->lblLettura->isVisible());
            QCOMPARE(w->lblLettura->text(), QStringLiteral("Scrivi la risposta, poi premi Procedi."));
            QCOMPARE(w->btnNuovo->text(), QStringLiteral("Procedi"));
            QCOMPARE(w->TestoEsercizio, esercizio);
        }
        QVERIFY(FErrori.isEmpty());
        // The first key takes the line away.
        QTest::keyClicks(w->EditRisp, QStringLiteral("3"));
        QVERIFY(!w->lblLettura->isVisible());
        w->btnChiudi->click();
    }
}

void TestPannelli::solutionSaysHowTheAnswerIsTyped()
{
    // Several exercises a topic: a long answer (a product of polynomials)
    // must stay inside the panel as well.
    for (int volta = 0; volta < 6; ++volta)
    for (TFinestraEsercizi* w : Finestre()) {
        if (w == FFinestre->frmDivisionePol())
            continue;
        ApriDaDigitare(w);
        QTest::keyClicks(w->EditRisp, QStringLiteral("9/7x^8y^8z^8"));
        w->btnNuovo->click();
        QVERIFY(w->btnSoluzione->isVisible());
        w->btnSoluzione->click();
        auto* scritta = w->pnlSoluzione->findChild<QLabel*>(QStringLiteral("siScrive"));
        QVERIFY2(scritta && scritta->isVisible(), qPrintable(w->objectName()));
        QCOMPARE(scritta->text(),
                 QStringLiteral("si scrive:  ") + QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa())));
        // Under the last line of the solution, inside the panel.
        QVERIFY(scritta->geometry().top() >= w->RigheSoluzione.back()->geometry().bottom());
        QVERIFY2(w->pnlSoluzione->rect().contains(scritta->geometry()), qPrintable(scritta->text()));
        QVERIFY2(QFontMetrics(scritta->font()).horizontalAdvance(scritta->text()) <= scritta->width(),
                 qPrintable(scritta->text()));
        w->btnChiudi->click();
    }
    // A yes/no question is answered by a choice: nothing to type.
    TFinestraEsercizi* q = FFinestre->frmConcetto();
    q->Apri(true);
    for (int i = 0; i < 4 && !q->Argomento()->SiNo(); ++i)
        q->PreparaPagina();
    QVERIFY(q->Argomento()->SiNo());
    (q->Argomento()->RispostaAttesa() == "Si" ? q->rbNo : q->rbSi)->setChecked(true);
    q->btnNuovo->click();
    q->btnSoluzione->click();
    auto* scritta = q->pnlSoluzione->findChild<QLabel*>(QStringLiteral("siScrive"));
    QVERIFY(!scritta);
    q->btnChiudi->click();
}

void TestPannelli::sumAndDifferenceFieldHoldsTheWholeAnswer()
{
    for (TFinestraEsercizi* w : {static_cast<TFinestraEsercizi*>(FFinestre->frmSommaPol()),
                                 static_cast<TFinestraEsercizi*>(FFinestre->frmDiffPol())}) {
        w->Apri(true);
        ImpostaSeme(2718);
        const QFontMetrics fm(w->EditRisp->font());
        // What the field shows of its text without scrolling.
        const int spazio = w->EditRisp->width() - 2 * w->EditRisp->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 6;
        int massimo = 0;
        for (int i = 0; i < 500; ++i) {
            w->PreparaPagina();
            const QString a = QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa()));
            massimo = std::max(massimo, fm.horizontalAdvance(a));
            QVERIFY2(fm.horizontalAdvance(a) <= spazio, qPrintable(a));
        }
        QVERIFY(massimo > 0);
        w->btnChiudi->click();
    }
}

void TestPannelli::ringsLeaveTheCharactersWhole()
{
    TFinestraEsercizi* w = FFinestre->frmDiffPol();
    ApriDaDigitare(w);
    for (const QString& sbagliata : {QStringLiteral("9/7x^8y^8z^8"), QStringLiteral("-9/7x^8+5/3y^2z^3-x+17"),
                                     QStringLiteral("x^9-y^9"), QStringLiteral("-9/7x^8+5/3y^2z^3-x+17y^2z^3")}) {
        w->EditRisp->clear();
        QTest::keyClicks(w->EditRisp, sbagliata);
        w->btnNuovo->click();
        w->PBRisp->repaint();
        const auto& anelli = w->PBRisp->Anelli();
        QVERIFY(!anelli.empty());
        const int ppi = w->PBRisp->logicalDpiY() > 0 ? w->PBRisp->logicalDpiY() : 96;
        const auto pezzi = PezziDiTesto(w->PBRisp->Formula(), w->PBRisp->size(), w->PBRisp->Variant(), ppi,
                                        w->PBRisp->PuntiUsati());
        QCOMPARE(w->PBRisp->RaggiAnelli().size(), anelli.size());
        for (std::size_t i = 0; i < anelli.size(); ++i) {
            const QRect& a = anelli[i];
            const double r = w->PBRisp->RaggiAnelli()[i];
            // The ring's stroke: between its outline and 2 pixels inside.
            QPainterPath fuori, dentro;
            fuori.addRoundedRect(QRectF(a).adjusted(-1, -1, 1, 1), r + 1, r + 1);
            dentro.addRoundedRect(QRectF(a).adjusted(1, 1, -1, -1), std::max(0.0, r - 1), std::max(0.0, r - 1));
            const QPainterPath tratto = fuori.subtracted(dentro);
            for (const TPezzoTesto& p : pezzi) {
                // A glyph's cell holds its side bearings: its middle part is ink.
                const QRectF inchiostro = QRectF(p.cella).adjusted(p.cella.width() * 0.15, p.cella.height() * 0.2,
                                                                   -p.cella.width() * 0.15, -p.cella.height() * 0.2);
                QVERIFY2(!tratto.intersects(inchiostro),
                         qPrintable(sbagliata + QLatin1String(": ") + QString::fromStdU16String(p.testo)));
            }
        }
    }
    w->btnChiudi->click();
}

void TestPannelli::enterOnATopicButtonOpensItsMenu()
{
    TfrmMain* m = FFinestre->frmMain();
    m->activateWindow();
    m->btSomma->setFocus();
    QTest::keyClick(m->btSomma, Qt::Key_Return);
    QVERIFY(m->pmSomma->isVisible());
    QTest::keyClick(m->pmSomma, Qt::Key_Escape);
    QVERIFY(!m->pmSomma->isVisible());
    QTest::keyClick(m->btDaf, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(m->pmDivisione->isVisible());
    QTest::keyClick(m->pmDivisione, Qt::Key_Escape);
}

QTEST_MAIN(TestPannelli)
#include "test_pannelli.moc"
