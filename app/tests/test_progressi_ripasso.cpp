// "I miei progressi" and "Ripasso" with a real record in a temporary folder:
// the figures of a seeded record in the window's tables and chart, the
// sentence a guest reads, and a review driven through the main window and
// the topic windows.
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "ArgomentiRegistro.h"
#include "Avvio.h"
#include "Grafici.h"
#include "Errori.h"
#include "Progressi.h"
#include "RegistroSql.h"
#include "Registro.h"
#include "Ripasso.h"
#include "RipassoGuidato.h"

using namespace mevario;

namespace {

const QString kProdotto = QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.");

TRispostaGiudicata Risposta(const QString& argomento, bool giusta, QDate giorno, const QString& tipo = {})
{
    TRispostaGiudicata r;
    r.argomento = argomento;
    r.esercizio = QStringLiteral("3x+2x");
    r.risposta = giusta ? QStringLiteral("5x") : QStringLiteral("6x");
    r.giusta = giusta;
    r.tipoErrore = giusta ? QString() : tipo;
    r.quando = QDateTime(giorno, QTime(10, 0));
    return r;
}

QString Testo(const QTableWidget* t, int riga, int colonna)
{
    const QTableWidgetItem* c = t->item(riga, colonna);
    return c ? c->text() : QString();
}

} // namespace

class TestProgressiRipasso : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void namesAndPhrasesOfTheTopics();
    void progressOfASeededRecord();
    void guestAndEmptyRecordReadASentence();
    void mainWindowButtonsFollowTheRecord();
    void reviewLineFitsEveryTopicWindow();
    void reviewThroughTheTopicWindows();

private:
    TfrmMain* M() { return FFinestre->frmMain(); }

    QTemporaryDir FCasa;
    std::unique_ptr<TFinestre> FFinestre;
    std::unique_ptr<TRegistro> FRegistro;
    QStringList FMessaggi;
};

void TestProgressiRipasso::initTestCase()
{
    QVERIFY(FCasa.isValid());
    qputenv("HOME", QFile::encodeName(FCasa.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FCasa.filePath(QStringLiteral(".config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(FCasa.filePath(QStringLiteral(".local/share"))));
    QStringList avvisi;
    TOpzioniRegistro o;
    o.db = FCasa.filePath(QStringLiteral("registro.sqlite"));
    FRegistro = ApriRegistro(o, [&](const QString& m) { avvisi << m; });
    QVERIFY2(avvisi.isEmpty(), qPrintable(avvisi.join(QLatin1Char('\n'))));
    QVERIFY(!FRegistro->Ospite());
    FFinestre = Avvia();
    ImpostaGestoreErrori([this](const QString& m) { FMessaggi << m; });
    M()->show();
    QVERIFY(QTest::qWaitForWindowExposed(M()));
    // The main window up, with a record: nothing of the charts, nor Qt
    // Network, is loaded yet.
    QFile mappe(QStringLiteral("/proc/self/maps"));
    QVERIFY(mappe.open(QIODevice::ReadOnly));
    const QByteArray caricate = mappe.readAll();
    QVERIFY(!caricate.contains("libQt6Charts"));
    QVERIFY(!caricate.contains("libQt6OpenGL"));
    QVERIFY(!caricate.contains("libQt6Network"));
    QVERIFY(!GraficiCaricati());
}

void TestProgressiRipasso::cleanupTestCase()
{
    M()->Ripasso()->Ferma();
    M()->ImpostaRegistro(nullptr, std::nullopt);
    FFinestre.reset();
    FRegistro.reset();
}

void TestProgressiRipasso::namesAndPhrasesOfTheTopics()
{
    QCOMPARE(EtichettaGiorno(QDate(2026, 12, 8)), QStringLiteral("8 dic"));
    QCOMPARE(EtichettaGiorno(QDate(2027, 1, 21)), QStringLiteral("21 gen"));
    // The catalogue's descriptions, without what they tell the tools.
    QCOMPARE(NomeArgomentoLeggibile(QStringLiteral("definizione-monomio")), QStringLiteral("Definizione di monomio"));
    QCOMPARE(NomeArgomentoLeggibile(QStringLiteral("mcd-monomi")),
             QStringLiteral("Massimo comun divisore (MCD) di monomi"));
    QCOMPARE(NomeArgomentoLeggibile(QStringLiteral("divisione-polinomi")), QStringLiteral("Divisione di polinomi"));
    QCOMPARE(NomeArgomentoLeggibile(QStringLiteral("argomento-futuro")), QStringLiteral("argomento-futuro"));
    // Every topic has a window, and the windows are those of the program.
    int quanti = 0;
    const TArgomentoRegistro* a = ArgomentiRegistro(&quanti);
    QCOMPARE(quanti, 12);
    for (int i = 0; i < quanti; ++i) {
        QVERIFY2(FFinestre->Argomento(a[i].classe), a[i].classe);
        QCOMPARE(ClasseFinestraArgomento(QString::fromLatin1(a[i].nome)), QString::fromLatin1(a[i].classe));
        QVERIFY(!NomeArgomentoLeggibile(QString::fromLatin1(a[i].nome)).contains(QLatin1Char('-')));
    }
    QVERIFY(ClasseFinestraArgomento(QStringLiteral("argomento-futuro")).isEmpty());

    QCOMPARE(FraseRipasso(QStringLiteral("prodotto-monomi"), kProdotto),
             QStringLiteral("Ripasso: nel prodotto gli esponenti si sommano"));
    QCOMPARE(FraseRipasso(QStringLiteral("differenza-polinomi"),
                          QStringLiteral("Nella differenza il secondo polinomio cambia segno.")),
             QStringLiteral("Ripasso: nella differenza il secondo polinomio cambia segno"));
    // A comma that is no "non" stays.
    QCOMPARE(FraseRipasso(QStringLiteral("somma-polinomi"), QStringLiteral("Le lettere vanno nell'ordine x, y, z.")),
             QStringLiteral("Ripasso: le lettere vanno nell'ordine x, y, z"));
    QCOMPARE(FraseRipasso(QStringLiteral("somma-monomi"), KTipoNonDiagnosticato),
             QStringLiteral("Ripasso: somma e differenza di monomi"));
    QCOMPARE(FraseRipasso(QStringLiteral("somma-monomi"), QString()), QStringLiteral("Ripasso: somma e differenza di monomi"));
}

void TestProgressiRipasso::progressOfASeededRecord()
{
    const auto anna = FRegistro->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    QVERIFY(anna);
    const QDate oggi = QDate::currentDate();
    // The product: 25 answers over five days, the last 20 with 15 right.
    int n = 0;
    for (int giorno = 4; giorno >= 0; --giorno)
        for (int k = 0; k < 5; ++k, ++n)
            QVERIFY(FRegistro->RegistraPer(anna->id, Risposta(QStringLiteral("prodotto-monomi"),
                                                              n < 5 || n % 4 != 0, oggi.addDays(-giorno))));
    // The sum (listed first, as in the menus): 2 right today, 1 wrong
    // yesterday, 1 right 40 days ago (counted, outside the chart).
    for (int k = 0; k < 2; ++k)
        QVERIFY(FRegistro->RegistraPer(anna->id, Risposta(QStringLiteral("somma-monomi"), true, oggi)));
    QVERIFY(FRegistro->RegistraPer(anna->id, Risposta(QStringLiteral("somma-monomi"), false, oggi.addDays(-1))));
    QVERIFY(FRegistro->RegistraPer(anna->id, Risposta(QStringLiteral("somma-monomi"), true, oggi.addDays(-40))));

    TfrmProgressi f(*FRegistro, anna);
    f.Aggiorna(oggi);
    QVERIFY(f.lbVuoto->isHidden());
    QVERIFY(!f.pnlDati->isHidden());
    QVERIFY(f.lbTitolo->text().contains(QStringLiteral("Anna")));

    const QTableWidget* t = f.tbArgomenti;
    QCOMPARE(t->rowCount(), 2);
    QCOMPARE(Testo(t, 0, 0), QStringLiteral("Somma e differenza di monomi"));
    QCOMPARE(Testo(t, 0, 1), QStringLiteral("3"));
    QCOMPARE(Testo(t, 0, 2), QStringLiteral("1"));
    QCOMPARE(Testo(t, 0, 3), QStringLiteral("3 su 4"));
    QCOMPARE(Testo(t, 0, 4), QStringLiteral("3"));
    QCOMPARE(Testo(t, 1, 0), QStringLiteral("Prodotto di monomi"));
    QCOMPARE(Testo(t, 1, 1), QStringLiteral("20"));
    QCOMPARE(Testo(t, 1, 2), QStringLiteral("5"));
    QCOMPARE(Testo(t, 1, 3), QStringLiteral("15 su 20"));
    QCOMPARE(Testo(t, 1, 4), QStringLiteral("5"));
    QCOMPARE(t->horizontalHeaderItem(1)->text(), QStringLiteral("Risposte esatte"));

    // Every one of the 30 days, oldest first, in the table and in the chart.
    const QTableWidget* g = f.tbGiorni;
    QCOMPARE(g->rowCount(), 30);
    QCOMPARE(Testo(g, 29, 0), EtichettaGiorno(oggi));
    QCOMPARE(Testo(g, 0, 0), EtichettaGiorno(oggi.addDays(-29)));
    QCOMPARE(Testo(g, 29, 1), QStringLiteral("5")); // 3 of the product, 2 of the sum
    QCOMPARE(Testo(g, 29, 2), QStringLiteral("2"));
    QCOMPARE(Testo(g, 28, 1), QStringLiteral("4"));
    QCOMPARE(Testo(g, 28, 2), QStringLiteral("2"));
    QCOMPARE(Testo(g, 10, 1), QStringLiteral("0"));
    // The chart is the charts' module, loaded only now, at the first chart.
    QVERIFY(f.grafico);
    QVERIFY(GraficiCaricati());
    const std::vector<TSerieBarre> serie = f.grafico->Serie();
    QCOMPARE(serie.size(), std::size_t{2});
    QCOMPARE(serie[0].valori.size(), 30);
    QCOMPARE(serie[1].valori.size(), 30);
    for (int i = 0; i < 30; ++i) {
        QCOMPARE(serie[0].valori.at(i), Testo(g, i, 1).toDouble());
        QCOMPARE(serie[1].valori.at(i), Testo(g, i, 2).toDouble());
    }
    QCOMPARE(serie[0].colore, QColor(0, 100, 0));
    QCOMPARE(serie[1].colore, QColor(176, 0, 0));
    QCOMPARE(serie[0].nome, QStringLiteral("Risposte esatte"));
    const QStringList categorie = f.grafico->Categorie();
    QCOMPARE(categorie.size(), 30);
    QCOMPARE(categorie.at(29), EtichettaGiorno(oggi));

    // What a screen reader is told.
    QVERIFY(!f.tbArgomenti->accessibleName().isEmpty());
    QVERIFY(!f.tbGiorni->accessibleName().isEmpty());
    QCOMPARE(f.grafico->Widget()->accessibleDescription(),
             QStringLiteral("In 5 giorni: 22 risposte esatte e 6 errori. "
                            "Le stesse cifre, giorno per giorno, sono nella tabella accanto."));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QAccessibleInterface* ia = QAccessible::queryAccessibleInterface(f.tbArgomenti);
    QVERIFY(ia && ia->tableInterface());
    QCOMPARE(ia->tableInterface()->rowCount(), 2);
    QCOMPARE(ia->tableInterface()->cellAt(1, 3)->text(QAccessible::Name), QStringLiteral("15 su 20"));
    QCOMPARE(ia->tableInterface()->columnDescription(3), QStringLiteral("Esatte tra le ultime"));
}

void TestProgressiRipasso::guestAndEmptyRecordReadASentence()
{
    TRegistroOspite ospite;
    TfrmProgressi g(ospite, std::nullopt);
    QVERIFY(!g.lbVuoto->isHidden());
    QVERIFY(g.pnlDati->isHidden());
    QVERIFY(g.lbVuoto->text().contains(QStringLiteral("ospite")));
    QCOMPARE(g.lbTitolo->text(), QStringLiteral("I miei progressi"));

    const auto nuovo = FRegistro->CreaAlunno(QStringLiteral("Carlo"), QString());
    QVERIFY(nuovo);
    TfrmProgressi v(*FRegistro, nuovo);
    QVERIFY(!v.lbVuoto->isHidden());
    QVERIFY(v.pnlDati->isHidden());
    QVERIFY(v.lbVuoto->text().startsWith(QStringLiteral("Qui vedrai")));
    // The pupil's first answer: the figures take the sentence's place.
    QVERIFY(FRegistro->RegistraPer(nuovo->id, Risposta(QStringLiteral("mcm-monomi"), true, QDate::currentDate())));
    v.Aggiorna();
    QVERIFY(v.lbVuoto->isHidden());
    QCOMPARE(v.tbArgomenti->rowCount(), 1);
    QCOMPARE(Testo(v.tbArgomenti, 0, 3), QStringLiteral("1 su 1"));
}

void TestProgressiRipasso::mainWindowButtonsFollowTheRecord()
{
    // No record yet (before start-up sets one): no row of the pupil's buttons.
    QVERIFY(M()->btProgressi->isHidden());
    QVERIFY(M()->btRipasso->isHidden());
    TRegistroOspite ospite;
    M()->ImpostaRegistro(&ospite, std::nullopt);
    QVERIFY(!M()->btProgressi->isHidden());
    QVERIFY(!M()->btRipasso->isHidden());
    QCOMPARE(M()->btRipasso->text(), QStringLiteral("Ripasso (0)"));
    QVERIFY(!M()->btRipasso->isEnabled());
    // The guest's progress window says why it is empty.
    QVERIFY(M()->frmProgressi());
    QVERIFY(!M()->frmProgressi()->lbVuoto->isHidden());
    M()->ImpostaRegistro(nullptr, std::nullopt);
    QVERIFY(M()->btRipasso->isHidden());
    QVERIFY(!M()->frmProgressi());
    // The row fits under the topics and above "Scheda", inside the window.
    const QRect riga = M()->btProgressi->geometry().united(M()->btRipasso->geometry());
    QVERIFY(riga.top() > M()->DsFancyButton1->geometry().bottom());
    QVERIFY(riga.bottom() < M()->btScheda->geometry().top());
    QVERIFY(M()->rect().contains(M()->btEsci->geometry()));
}

void TestProgressiRipasso::reviewLineFitsEveryTopicWindow()
{
    // The longest line a review shows, in every topic window: whole, and
    // over nothing else of the exercise page. The division diagnoses no
    // mistake: its line names the topic.
    const QString lunga = FraseRipasso(QStringLiteral("differenza-polinomi"),
                                       QStringLiteral("Nella differenza il secondo polinomio cambia segno."));
    int quanti = 0;
    const TArgomentoRegistro* a = ArgomentiRegistro(&quanti);
    for (int i = 0; i < quanti; ++i) {
        TFinestraEsercizi* w = FFinestre->Argomento(a[i].classe);
        const QString frase = w->Argomento() ? lunga : FraseRipasso(QString::fromLatin1(a[i].nome), KTipoNonDiagnosticato);
        w->ImpostaRipasso(QStringLiteral("x"), frase);
        w->Apri(true);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QLabel* l = w->lblRipasso;
        QVERIFY2(l->isVisible(), a[i].classe);
        QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->width(), a[i].classe);
        const QRect g(l->mapTo(w, QPoint(0, 0)), l->size());
        QVERIFY2(w->rect().contains(g), a[i].classe);
        for (QWidget* altro : w->findChildren<QWidget*>()) {
            if (altro == l || !altro->isVisible() || altro->isAncestorOf(l) || !altro->parentWidget()
                || altro->parentWidget() != l->parentWidget())
                continue;
            QVERIFY2(!altro->geometry().intersects(l->geometry()),
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(a[i].classe), altro->objectName()
                                                                                          + altro->metaObject()->className())));
        }
        w->ImpostaRipasso(QString(), QString());
        QVERIFY(l->isHidden());
        w->close();
    }
}

void TestProgressiRipasso::reviewThroughTheTopicWindows()
{
    const auto bruno = FRegistro->CreaAlunno(QStringLiteral("Bruno"), QStringLiteral("2A"));
    QVERIFY(bruno);
    const QDate ieri = QDate::currentDate().addDays(-1);
    QVERIFY(FRegistro->RegistraPer(bruno->id, Risposta(QStringLiteral("prodotto-monomi"), false, ieri, kProdotto)));
    QVERIFY(FRegistro->RegistraPer(bruno->id, Risposta(QStringLiteral("somma-monomi"), false, ieri)));

    // The protocol records each judged answer with the kind under review.
    FRegistro->ScegliAlunno(bruno);
    TFinestraEsercizi::ImpostaRegistro(FRegistro.get());
    const auto registrate = [&] {
        QList<TRispostaRegistrata> oggi;
        for (const TRispostaRegistrata& r : dynamic_cast<TRegistroSql&>(*FRegistro).Storico(bruno->id))
            if (r.giorno == QDate::currentDate())
                oggi << r;
        return oggi;
    };

    M()->ImpostaRegistro(FRegistro.get(), bruno);
    QCOMPARE(M()->btRipasso->text(), QStringLiteral("Ripasso (2)"));
    QVERIFY(M()->btRipasso->isEnabled());
    FMessaggi.clear();
    QTest::mouseClick(M()->btRipasso, Qt::LeftButton, {}, QPoint(40, 20));

    // Both due today: the topics in the order of the menus, the sum first,
    // on its exercise page, on the undiagnosed kind.
    TfrmSommaMon* s = FFinestre->frmSommaMon();
    TfrmProdottoMon* p = FFinestre->frmProdottoMon();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QCOMPARE(M()->Ripasso()->Corrente(), s);
    QVERIFY(s->ModoEsercizi);
    QVERIFY(s->lblRipasso->isVisible());
    QCOMPARE(s->lblRipasso->text(), QStringLiteral("Ripasso: somma e differenza di monomi"));
    QCOMPARE(s->Ripassa(), KTipoNonDiagnosticato);
    QVERIFY(!M()->btRipasso->isEnabled()); // not again while the review goes on
    // Wrong again: back to box 1, due tomorrow; one item left for today.
    s->EditRisp->setText(QStringLiteral("x^9y^9z^9"));
    QTest::mouseClick(s->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(s->lblErrori->text(), QStringLiteral("1"));
    QCOMPARE(registrate().size(), 1);
    QCOMPARE(registrate()[0].ripassa, KTipoNonDiagnosticato);
    QCOMPARE(M()->btRipasso->text(), QStringLiteral("Ripasso (1)"));

    // Closing it opens the product, on the mistake's sentence.
    QTest::mouseClick(s->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QTRY_VERIFY(p->isVisible());
    QVERIFY(!s->isVisible());
    QVERIFY(s->lblRipasso->isHidden());
    QVERIFY(s->Ripassa().isEmpty());
    QCOMPARE(p->lblRipasso->text(), QStringLiteral("Ripasso: nel prodotto gli esponenti si sommano"));
    QCOMPARE(p->Ripassa(), kProdotto);
    QVERIFY(FMessaggi.isEmpty());
    // A right answer moves the kind up: nothing left today.
    p->EditRisp->setText(QString::fromStdString(p->Esercizio().RispostaAttesa()));
    QTest::mouseClick(p->btnNuovo, Qt::LeftButton, {}, QPoint(60, 30));
    QCOMPARE(p->lblEsatte->text(), QStringLiteral("1"));
    QCOMPARE(registrate().size(), 2);
    QCOMPARE(registrate()[1].ripassa, kProdotto);
    QCOMPARE(M()->btRipasso->text(), QStringLiteral("Ripasso (0)"));
    QTest::mouseClick(p->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QTRY_COMPARE(FMessaggi.size(), 1);
    QCOMPARE(FMessaggi[0], QStringLiteral("Ripasso finito: per oggi non c'è altro da ripassare."));
    QVERIFY(!M()->Ripasso()->InCorso());
    QVERIFY(!M()->btRipasso->isEnabled());
    QVERIFY(!s->isVisible());
    QVERIFY(!p->isVisible());

    // Opened later from its menu, the window shows no review line.
    M()->ApriMenu(M()->btSomma, M()->pmSomma);
    QTest::mouseClick(M()->pmSomma->Voci()[1], Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QVERIFY(s->lblRipasso->isHidden());
    QVERIFY(s->Ripassa().isEmpty());
    QTest::mouseClick(s->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QTest::qWait(20);
    QCOMPARE(FMessaggi.size(), 1); // no review resumed

    // A review the pupil leaves without answering ends with what is left.
    QVERIFY(FRegistro->RegistraPer(bruno->id, Risposta(QStringLiteral("argomento-futuro"), false, ieri)));
    QVERIFY(FRegistro->RegistraPer(bruno->id, Risposta(QStringLiteral("mcm-monomi"), false, ieri)));
    M()->AggiornaRipasso();
    QCOMPARE(M()->btRipasso->text(), QStringLiteral("Ripasso (2)"));
    QTest::mouseClick(M()->btRipasso, Qt::LeftButton, {}, QPoint(40, 20));
    // The known topic first; the one without a window is passed over.
    TFinestraEsercizi* m = FFinestre->frmMcmMon();
    QTRY_VERIFY(m->isVisible());
    QCOMPARE(M()->Ripasso()->Restanti(), 1);
    QTest::mouseClick(m->btnChiudi, Qt::LeftButton, {}, QPoint(60, 30));
    QTRY_COMPARE(FMessaggi.size(), 2);
    QVERIFY(FMessaggi[1].startsWith(QStringLiteral("Ripasso finito. Restano")));
    QVERIFY(M()->btRipasso->isEnabled());

    // The main window closed during a review (the program ends): no other
    // window opens, no message comes.
    QVERIFY(FRegistro->RegistraPer(bruno->id, Risposta(QStringLiteral("potenza-monomio"), false, ieri)));
    M()->AggiornaRipasso();
    QTest::mouseClick(M()->btRipasso, Qt::LeftButton, {}, QPoint(40, 20));
    QTRY_VERIFY(FFinestre->frmPotenzaMon()->isVisible());
    QCOMPARE(M()->Ripasso()->Restanti(), 2); // then the mcm, left unanswered, and the unknown topic
    M()->close();
    QTRY_VERIFY(!M()->Ripasso()->InCorso());
    QTest::qWait(50);
    QCOMPARE(FMessaggi.size(), 2);
    QVERIFY(!FFinestre->frmMcmMon()->isVisible());
    TFinestraEsercizi::ImpostaRegistro(nullptr);
}

QTEST_MAIN(TestProgressiRipasso)
#include "test_progressi_ripasso.moc"
