// The pupil's record through the windows: the answers judged in a topic
// window reach the record as typed and are there after a restart; a guest
// writes nothing; a damaged or locked record costs a message and guest mode,
// never a count; "Chi sei?" makes and chooses pupils and asks for PINs;
// --alunno, --db and the main window's title and "Cambia alunno"; the topic
// windows' catalogue names and seeds; "Registro di classe" on the main
// window. HOME and the XDG folders point at a
// temporary folder before anything starts.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "Avvio.h"
#include "Catalogo.h"
#include "ChiSei.h"
#include "Documenti.h"
#include "Errori.h"
#include "QuibWord.h"
#include "RegistroSql.h"
#include "SchedaPol.h"
#include "main.h"
#include "RigaComando.h"
#include "funzioni.h"

using namespace mevario;

namespace {

QTemporaryDir* gCasa = nullptr;

QByteArray Contenuto(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::unique_ptr<TRegistroSql> RegistroDiProva(const QString& file, int attesaMs = 5000)
{
    TOpzioniRegistro o;
    o.attesaMs = attesaMs;
    o.iterazioniPin = 1000;
    auto a = TRegistroSql::ApriSqlite(file, o, true);
    return std::move(a.registro);
}

// The answers of a pupil in the record at `file`, read by a record of its own.
QList<TRispostaRegistrata> Storico(const QString& file, const QString& alunno)
{
    auto r = RegistroDiProva(file);
    if (!r)
        return {};
    const auto a = r->TrovaAlunno(alunno);
    return a ? r->Storico(a->id) : QList<TRispostaRegistrata>();
}

// The visible top-level widget of that class and name, if any.
template <class W>
W* FindChildTop(const QString& nome)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* x = qobject_cast<W*>(w); x && x->objectName() == nome && x->isVisible())
            return x;
    return nullptr;
}

// A school's server as "Chi sei?" sees it: a record that says it is one.
class TRegistroScuola final : public TRegistro {
public:
    explicit TRegistroScuola(std::unique_ptr<TRegistroSql> r) : FR(std::move(r)) {}
    bool SuServer() const override { return true; }
    bool Ospite() const override { return FR->Ospite(); }
    QList<TAlunno> Alunni() override { return FR->Alunni(); }
    using TRegistro::TrovaAlunno;
    std::optional<TAlunno> TrovaAlunno(const QString& n, const QString& c) override { return FR->TrovaAlunno(n, c); }
    std::optional<TAlunno> CreaAlunno(const QString& n, const QString& c) override { return FR->CreaAlunno(n, c); }
    bool ImpostaPin(qint64 a, const QString& p) override { return FR->ImpostaPin(a, p); }
    TEsitoPin ControllaPin(qint64 a, const QString& p) override { return FR->ControllaPin(a, p); }
    int SecondiAttesaPin(qint64 a) const override { return FR->SecondiAttesaPin(a); }
    bool RegistraPer(qint64 a, const TRispostaGiudicata& r) override { return FR->RegistraPer(a, r); }
    TProgressi Progressi(qint64 a, QDate o) override { return FR->Progressi(a, o); }
    QList<TVoceRipasso> RipassoDovuto(qint64 a, QDate o) override { return FR->RipassoDovuto(a, o); }
    std::optional<TPanoramicaClasse> PanoramicaClasse(const QString& c, QDate d, QDate a, QDate o) override
    {
        return FR->PanoramicaClasse(c, d, a, o);
    }
    TRegistroSql& Sql() { return *FR; }

private:
    std::unique_ptr<TRegistroSql> FR;
};

// Runs `azione` once the modal dialog of that class is on screen.
template <class D>
void QuandoCompare(std::function<void(D*)> azione)
{
    auto* t = new QTimer;
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [t, azione] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<D*>(w); d && d->isVisible()) {
                t->stop();
                t->deleteLater();
                azione(d);
                return;
            }
    });
    t->start();
}

} // namespace

class TestRegistroFinestre : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void answersReachTheRecordAsTypedAndSurviveARestart();
    void slipsOfFormAreKeptAndNeverCounted();
    void stampaWritesThePupilAndTheDay();
    void everyTopicWindowNamesItsCatalogueTopicAndSeed();
    void quizAnswersAreRecordedWithTheirQuestion();
    void divisionIsRecordedWithItsQuotient();
    void reviewSentenceShowsAboveTheExercise();
    void guestWritesNothingAndLeavesNoFile();
    void damagedRecordMeansMessageAndGuestWithFileUnchanged();
    void lockedRecordHoldsTheAnswersUntilReleased();
    void firstStartMakesAPupil();
    void laterStartsPreselectTheLastPupil();
    void pinIsAskedAndWrongTriesWait();
    void newPupilTypesThePinTwice();
    void labChooserAsksTheClassFirstAndEnterAloneChoosesNobody();
    void serverMessageDoesNotBlockAndClosesWhenTheServerIsBack();
    void alunnoOptionMakesThePupil();
    void changingPupilClosesTheTopicWindows();
    void commandLineOptions();
    void registroDiClasseWritesTheClassSpreadsheetToDocuments();

private:
    // Judges `risposta` in window w, as the pupil does.
    void Rispondi(TFinestraEsercizi* w, const QString& risposta);

    std::unique_ptr<TFinestre> FFinestre;
    QStringList FMessaggi;
    QTemporaryDir FDir;
    QString FDb;
};

void TestRegistroFinestre::initTestCase()
{
    FFinestre = Avvia();
    ImpostaGestoreErrori([this](const QString& m) { FMessaggi << m; });
    FFinestre->frmMain()->show();
    QVERIFY(QTest::qWaitForWindowExposed(FFinestre->frmMain()));
    FFinestre->frmcomune();
    ImpostaFaseLampeggio(0);
}

void TestRegistroFinestre::init()
{
    FMessaggi.clear();
    FDb = FDir.filePath(QStringLiteral("%1.sqlite").arg(QTest::currentTestFunction()));
}

void TestRegistroFinestre::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<TFinestraEsercizi*>(w); f && f->isVisible())
            f->btnChiudiClick();
    FFinestre->ImpostaRegistro(nullptr); // a guest again
}

void TestRegistroFinestre::Rispondi(TFinestraEsercizi* w, const QString& risposta)
{
    w->EditRisp->setText(risposta);
    w->btnNuovo->click();
    QTRY_VERIFY(!w->InVerifica());
}

void TestRegistroFinestre::slipsOfFormAreKeptAndNeverCounted()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Elena"), {}));
    TFinestraEsercizi* w = FFinestre->frmSommaMon();
    w->Apri(true);
    const QString attesa = QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa()));
    Rispondi(w, attesa.toUpper());
    QCOMPARE(w->Esatte(), 0);
    QCOMPARE(w->Errori(), 0);
    QTest::qWait(5); // the history orders by the millisecond
    Rispondi(w, attesa);
    QCOMPARE(w->Esatte(), 1);
    const auto s = Storico(FDb, QStringLiteral("Elena"));
    QCOMPARE(s.size(), 2);
    QVERIFY(s[0].Forma());
    QCOMPARE(s[0].risposta, attesa.toUpper());
    QCOMPARE(s[0].diagnosi, QStringLiteral("Scrivi le lettere in minuscolo."));
    QVERIFY(s[1].giusta);
    auto r = RegistroDiProva(FDb);
    const auto elena = r->TrovaAlunno(QStringLiteral("Elena"));
    const TProgressi p = r->Progressi(elena->id, QDate::currentDate());
    QCOMPARE(p.argomenti.size(), 1);
    QCOMPARE(p.argomenti[0].giuste, 1);
    QCOMPARE(p.argomenti[0].sbagliate, 0);
    QVERIFY(r->RipassoDovuto(elena->id, QDate::currentDate().addDays(1)).isEmpty());
}

void TestRegistroFinestre::stampaWritesThePupilAndTheDay()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B")));
    QStringList consegnati;
    TQuibWord::ImpostaConsegna([&](const QString& f) {
        consegnati << f;
        return true;
    });
    TFinestraEsercizi* w = FFinestre->frmProdottoMon();
    w->Apri(true);
    QTest::mouseClick(w->btnStampa, Qt::LeftButton, {}, QPoint(60, 30));
    TQuibWord::ImpostaConsegna({});
    QCOMPARE(consegnati.size(), 1);
    const QString testo = QString::fromUtf8(Contenuto(consegnati[0]));
    QFile::remove(consegnati[0]);
    QVERIFY(testo.contains(QStringLiteral("Alunno: Anna<")));
    QVERIFY(testo.contains(QStringLiteral("Classe: 2B<")));
    const QString oggi = QLocale(QLocale::Italian, QLocale::Italy).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy"));
    QVERIFY2(testo.contains(QStringLiteral("Data: ") + oggi), qPrintable(oggi));
}

void TestRegistroFinestre::answersReachTheRecordAsTypedAndSurviveARestart()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B")));
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario — Anna (2B)"));
    TFinestraEsercizi* w = FFinestre->frmProdottoMon();
    w->Apri(true);
    const std::string esercizio1 = w->TestoEsercizio;
    // Right, typed with spaces as a pupil might.
    const QString giusta = QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa())) + QStringLiteral(" ");
    Rispondi(w, giusta);
    QCOMPARE(w->Esatte(), 1);
    QTest::qWait(5); // the history orders by the millisecond: no pupil answers twice in one
    w->btnNuovo->click(); // "Nuovo"
    const std::string esercizio2 = w->TestoEsercizio;
    Rispondi(w, QStringLiteral("5x^99"));
    QCOMPARE(w->Errori(), 1);

    const QList<TRispostaRegistrata> s = Storico(FDb, QStringLiteral("Anna"));
    QCOMPARE(s.size(), 2);
    QCOMPARE(s[0].argomento, QStringLiteral("prodotto-monomi"));
    QCOMPARE(s[0].risposta, giusta);
    QVERIFY(s[0].giusta);
    QCOMPARE(s[0].esercizio, QString::fromStdString(NarrowToUtf8(esercizio1)));
    QVERIFY(s[0].diagnosi.isEmpty());
    QCOMPARE(s[1].risposta, QStringLiteral("5x^99"));
    QVERIFY(!s[1].giusta);
    QCOMPARE(s[1].esercizio, QString::fromStdString(NarrowToUtf8(esercizio2)));
    QVERIFY(s[1].secondi >= 0 && s[1].secondi < 60);
    QVERIFY(!s[1].soluzioneVista);
    QVERIFY(s[1].ripassa.isEmpty());
    // What was said under the answer is what was kept.
    if (w->lblLettura && w->lblLettura->isVisible())
        QCOMPARE(s[1].diagnosi, w->lblLettura->text());
    // The seed draws the same exercise again.
    QVERIFY(s[1].seme.has_value());
    auto e = TrovaArgomento("prodotto-monomi")->crea();
    ImpostaSeme(*s[1].seme);
    e->NuovoEsercizio();
    QCOMPARE(e->TestoEsercizio(), esercizio2);

    // A restart: a new record on the same file has the figures.
    FFinestre->ImpostaRegistro(nullptr);
    auto dopo = RegistroDiProva(FDb);
    QVERIFY(dopo);
    const auto anna = dopo->TrovaAlunno(QStringLiteral("Anna"));
    QVERIFY(anna);
    const TProgressi p = dopo->Progressi(anna->id, QDate::currentDate());
    QCOMPARE(p.argomenti.size(), 1);
    QCOMPARE(p.argomenti[0].argomento, QStringLiteral("prodotto-monomi"));
    QCOMPARE(p.argomenti[0].giuste, 1);
    QCOMPARE(p.argomenti[0].sbagliate, 1);
    QCOMPARE(p.giorni.last().giuste + p.giorni.last().sbagliate, 2);
    // The kind of the wrong answer is due for review.
    QVERIFY(!dopo->RipassoDovuto(anna->id, QDate::currentDate().addDays(1)).isEmpty());
    QVERIFY(FMessaggi.isEmpty());
}

void TestRegistroFinestre::everyTopicWindowNamesItsCatalogueTopicAndSeed()
{
    QStringList nomi;
    for (const char* classe : {"TfrmConcetto", "TfrmSommaMon", "TfrmProdottoMon", "TfrmPotenzaMon", "TfrmQuozienteMon",
                               "TfrmMcdMon", "TfrmMcmMon", "TfrmPolConcetto", "TfrmSommaPol", "TfrmDiffPol",
                               "TfrmProdottoPol", "TfrmDivisionePol"}) {
        TFinestraEsercizi* w = FFinestre->Argomento(classe);
        const QString nome = w->NomeCatalogo();
        QVERIFY2(!nomi.contains(nome), qPrintable(nome));
        nomi << nome;
        const TArgomento* a = TrovaArgomento(nome.toStdString());
        if (!a) {
            QCOMPARE(nome, QStringLiteral("divisione-polinomi")); // drawn by its window, not in the catalogue
            continue;
        }
        // A typed topic's exercise comes again from its seed, as mevario-esercizi --seme draws it.
        if (!w->Argomento() || dynamic_cast<const TEsercizioQuiz*>(w->Argomento()))
            continue;
        FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
        FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Semi"), {}));
        w->Apri(true);
        const std::string testo = w->TestoEsercizio;
        Rispondi(w, QStringLiteral("2x"));
        w->btnChiudiClick();
        const auto s = Storico(FDb, QStringLiteral("Semi"));
        QVERIFY(!s.isEmpty());
        QCOMPARE(s.last().argomento, nome);
        QVERIFY(s.last().seme);
        auto e = a->crea();
        ImpostaSeme(*s.last().seme);
        e->NuovoEsercizio();
        QCOMPARE(e->TestoEsercizio(), testo);
        FFinestre->ImpostaRegistro(nullptr);
    }
    QCOMPARE(nomi.size(), 12);
}

void TestRegistroFinestre::quizAnswersAreRecordedWithTheirQuestion()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Carla"), {}));
    TFinestraEsercizi* w = FFinestre->frmConcetto();
    w->Apri(true);
    // A yes/no question: the choice is the answer.
    for (int i = 0; i < 4 && !w->Argomento()->SiNo(); ++i)
        w->PreparaPagina();
    QVERIFY(w->Argomento()->SiNo());
    const QString domanda = QString::fromStdString(w->Argomento()->Domanda());
    w->rbNo->setChecked(true);
    w->btnNuovo->click();
    QTRY_VERIFY(!w->InVerifica());
    const auto s = Storico(FDb, QStringLiteral("Carla"));
    QCOMPARE(s.size(), 1);
    QCOMPARE(s[0].argomento, QStringLiteral("definizione-monomio"));
    QCOMPARE(s[0].risposta, QStringLiteral("No"));
    QVERIFY(s[0].esercizio.startsWith(domanda + QLatin1Char(' ')));
    QVERIFY(!s[0].seme); // a quiz's question depends on its turn too
    QCOMPARE(s[0].giusta, w->Esatte() == 1);
}

void TestRegistroFinestre::divisionIsRecordedWithItsQuotient()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Franco"), {}));
    TfrmDivisionePol* w = FFinestre->frmDivisionePol();
    w->Apri(true);
    // The first quotient term typed, the rest of the grid left empty: wrong.
    QTest::keyClicks(w->EditRisp, QStringLiteral("3x^2"));
    w->EditRispKeyUp();
    w->btnNuovo->click();
    QTRY_VERIFY(!w->InVerifica());
    QCOMPARE(w->Errori(), 1);
    const auto s = Storico(FDb, QStringLiteral("Franco"));
    QCOMPARE(s.size(), 1);
    QCOMPARE(s[0].argomento, QStringLiteral("divisione-polinomi"));
    QVERIFY2(s[0].esercizio.contains(QStringLiteral("&string(  :  )&")), qPrintable(s[0].esercizio));
    QCOMPARE(s[0].risposta, QStringLiteral("3x^2"));
    QVERIFY(!s[0].giusta);
    QVERIFY(!s[0].seme);
}

void TestRegistroFinestre::reviewSentenceShowsAboveTheExercise()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Dario"), {}));
    TFinestraEsercizi* w = FFinestre->frmPotenzaMon();
    w->Apri(true);
    QVERIFY(!w->lblRipasso->isVisible());
    const QString tipo = QStringLiteral("Nella potenza gli esponenti si moltiplicano.");
    w->ImpostaRipasso(tipo, QStringLiteral("Ripasso: nella potenza gli esponenti si moltiplicano"));
    QVERIFY(w->lblRipasso->isVisible());
    // Above the exercise, in the request's place, whole.
    QVERIFY(!w->lb->isVisible());
    QVERIFY(w->lblRipasso->geometry().bottom() < w->pnlEsercizi->geometry().top());
    QVERIFY(w->lblRipasso->fontMetrics().horizontalAdvance(w->lblRipasso->text()) <= w->lblRipasso->width());
    Rispondi(w, QStringLiteral("x"));
    QCOMPARE(Storico(FDb, QStringLiteral("Dario")).last().ripassa, tipo);
    // The review lasts the visit.
    w->btnChiudiClick();
    w->Apri(true);
    QVERIFY(!w->lblRipasso->isVisible());
    QVERIFY(w->lb->isVisible());
    QVERIFY(w->Ripassa().isEmpty());
}

void TestRegistroFinestre::guestWritesNothingAndLeavesNoFile()
{
    // The program's record, no file yet: a guest chooses nothing to keep.
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    QVERIFY(!FFinestre->Registro()->Ospite());
    QVERIFY(FFinestre->frmMain()->btCambiaAlunno->isVisible());
    FFinestre->ImpostaAlunno(std::nullopt);
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario"));
    TFinestraEsercizi* w = FFinestre->frmSommaMon();
    w->Apri(true);
    Rispondi(w, QStringLiteral("3x"));
    QCOMPARE(w->Esatte() + w->Errori(), 1);
    QVERIFY(!QFileInfo::exists(FDb));
    QVERIFY(QDir(FDir.path()).entryList({QStringLiteral("guest*")}).isEmpty());
    // Without a record at all (the windows alone) nothing is written either.
    FFinestre->ImpostaRegistro(nullptr);
    QVERIFY(FFinestre->Registro()->Ospite());
    QVERIFY(!FFinestre->frmMain()->btCambiaAlunno->isVisible());
    Rispondi(w, QStringLiteral("3x"));
    QVERIFY(!QFileInfo::exists(FDb));
    QVERIFY(FMessaggi.isEmpty());
}

void TestRegistroFinestre::damagedRecordMeansMessageAndGuestWithFileUnchanged()
{
    {
        auto r = RegistroDiProva(FDb);
        r->ScegliAlunno(r->CreaAlunno(QStringLiteral("Anna"), {}));
        for (int i = 0; i < 200; ++i) {
            TRispostaGiudicata g;
            g.argomento = QStringLiteral("somma-monomi");
            g.esercizio = QStringLiteral("x+x");
            g.risposta = QStringLiteral("2x");
            g.giusta = true;
            r->Registra(g);
        }
    }
    {
        // Random bytes over the middle of the file.
        QFile f(FDb);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(f.size() / 2);
        QByteArray rumore(4096, '\0');
        for (char& c : rumore)
            c = static_cast<char>(CasualeTra(0, 256));
        f.write(rumore);
    }
    const QByteArray prima = Contenuto(FDb);
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    QCOMPARE(FMessaggi.size(), 1);
    QVERIFY2(FMessaggi[0].contains(FDb), qPrintable(FMessaggi[0]));
    QVERIFY(FFinestre->Registro()->Ospite());
    QVERIFY(!FFinestre->frmMain()->btCambiaAlunno->isVisible());
    TFinestraEsercizi* w = FFinestre->frmSommaMon();
    w->Apri(true);
    Rispondi(w, QStringLiteral("3x"));
    QCOMPARE(w->Esatte() + w->Errori(), 1);
    QCOMPARE(FMessaggi.size(), 1);
    QCOMPARE(Contenuto(FDb), prima);
}

void TestRegistroFinestre::lockedRecordHoldsTheAnswersUntilReleased()
{
    TOpzioniRegistro o;
    o.db = FDb;
    o.attesaMs = 200;
    FFinestre->ImpostaRegistro(ApriRegistro(o, [this](const QString& m) { FMessaggi << m; }));
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Ezio"), {}));
    TFinestraEsercizi* w = FFinestre->frmSommaMon();
    w->Apri(true);
    Rispondi(w, QStringLiteral("3x"));
    {
        // Another program holds the write lock.
        QSqlDatabase altro = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
        altro.setDatabaseName(FDb);
        QVERIFY(altro.open());
        QSqlQuery q(altro);
        QVERIFY(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
        for (int i = 0; i < 3; ++i) {
            if (w->btnNuovo->text() == QLatin1String("Nuovo"))
                w->btnNuovo->click();
            Rispondi(w, QStringLiteral("3x"));
        }
        q.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("altro"));
    QCOMPARE(FMessaggi.size(), 1); // held in memory, said once
    QVERIFY(FMessaggi[0].contains(QStringLiteral("tenute in memoria")));
    QVERIFY(!FFinestre->Registro()->Ospite());
    QCOMPARE(Storico(FDb, QStringLiteral("Ezio")).size(), 1);
    // The lock released, the next answer writes those held too, each once.
    if (w->btnNuovo->text() == QLatin1String("Nuovo"))
        w->btnNuovo->click();
    Rispondi(w, QStringLiteral("3x"));
    QCOMPARE(w->Esatte() + w->Errori(), 5); // no count lost
    QCOMPARE(Storico(FDb, QStringLiteral("Ezio")).size(), 5);
    QCOMPARE(FMessaggi.size(), 2);
    QVERIFY(FMessaggi[1].contains(QStringLiteral("si scrive di nuovo")));
    // The main window still says whose work is kept.
    FFinestre->RegistroGuasto();
    QCOMPARE(FFinestre->frmMain()->lblAlunno->text(), QStringLiteral("Alunno: Ezio"));
    w->close();
}

void TestRegistroFinestre::firstStartMakesAPupil()
{
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    TdlgChiSei* d = FFinestre->dlgChiSei();
    d->Prepara();
    d->show();
    QCOMPARE(d->Pagine->currentWidget(), d->PaginaNuovo);
    QVERIFY(d->btOspiteNuovo->isVisibleTo(d) && !d->btIndietroNuovo->isVisibleTo(d));
    // Enter with no name: told, nothing made.
    QTest::keyClick(d->edNome, Qt::Key_Return);
    QCOMPARE(d->lbNuovoErrore->text(), QStringLiteral("Scrivi il tuo nome."));
    QVERIFY(!QFileInfo::exists(FDb));
    QTest::keyClicks(d->edNome, QStringLiteral("Anna"));
    QTest::keyClicks(d->edClasse, QStringLiteral("2B"));
    QTest::keyClicks(d->edNuovoPin, QStringLiteral("12"));
    QTest::keyClick(d->edNuovoPin, Qt::Key_Return);
    QVERIFY(d->lbNuovoErrore->text().contains(QStringLiteral("4 cifre")));
    d->edNuovoPin->clear();
    QTest::keyClick(d->edClasse, Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QVERIFY(d->Scelto());
    QCOMPARE(d->Scelto()->nome, QStringLiteral("Anna"));
    QCOMPARE(d->Scelto()->classe, QStringLiteral("2B"));
    QCOMPARE(TdlgChiSei::UltimoAlunno(), QStringLiteral("Anna"));
    QVERIFY(QFileInfo::exists(FDb));
    // A new pupil may not take a name already there.
    d->Prepara();
    d->show();
    d->btNuovo->click();
    QTest::keyClicks(d->edNome, QStringLiteral("anna"));
    QTest::keyClicks(d->edClasse, QStringLiteral("2b"));
    d->btCrea->click();
    QVERIFY(d->lbNuovoErrore->text().contains(QStringLiteral("già")));
    QVERIFY(d->isVisible());
    d->edNome->setText(QStringLiteral("An\u200Bna")); // an invisible character
    d->btCrea->click();
    QVERIFY(d->lbNuovoErrore->text().contains(QStringLiteral("non va bene")));
    QVERIFY(d->isVisible());
    d->btOspite->isVisible() ? d->btOspite->click() : d->btIndietroNuovo->click();
    d->reject();
}

void TestRegistroFinestre::laterStartsPreselectTheLastPupil()
{
    {
        auto r = RegistroDiProva(FDb);
        r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
        r->CreaAlunno(QStringLiteral("Bruno"), QStringLiteral("2B"));
        r->CreaAlunno(QStringLiteral("Carla"), QString());
    }
    TdlgChiSei::RicordaUltimoAlunno(QStringLiteral("Bruno"));
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    // The chooser as the program shows it, modal: Enter goes on with Bruno.
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) {
        QCOMPARE(d->Pagine->currentWidget(), d->PaginaElenco);
        QCOMPARE(d->lsAlunni->count(), 3);
        QCOMPARE(d->lsAlunni->currentItem()->text(), QStringLiteral("Bruno  (2B)"));
        QCOMPARE(QApplication::focusWidget(), d->lsAlunni);
        QTest::keyClick(d->lsAlunni, Qt::Key_Return);
    });
    FFinestre->ChiediAlunno(true);
    QCOMPARE(FFinestre->Registro()->AlunnoScelto()->nome, QStringLiteral("Bruno"));
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario — Bruno (2B)"));
    QCOMPARE(FFinestre->frmMain()->lblAlunno->text(), QStringLiteral("Alunno: Bruno (2B)"));
    // Another pupil is one click away; a closed window at start-up is a guest.
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) {
        d->lsAlunni->setCurrentRow(2);
        d->btAvanti->click();
    });
    FFinestre->ChiediAlunno(true);
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario — Carla"));
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) { d->reject(); });
    FFinestre->ChiediAlunno(true);
    QVERIFY(!FFinestre->Registro()->AlunnoScelto());
    QCOMPARE(FFinestre->frmMain()->lblAlunno->text(), QStringLiteral("Ospite"));
}

void TestRegistroFinestre::newPupilTypesThePinTwice()
{
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    TdlgChiSei* d = FFinestre->dlgChiSei();
    d->Prepara();
    d->show();
    QTest::keyClicks(d->edNome, QStringLiteral("Dario"));
    QTest::keyClicks(d->edNuovoPin, QStringLiteral("1234"));
    QTest::keyClicks(d->edNuovoPin2, QStringLiteral("1243"));
    QTest::keyClick(d->edNuovoPin2, Qt::Key_Return);
    QVERIFY(d->isVisible());
    QCOMPARE(d->lbNuovoErrore->text(), QStringLiteral("I due PIN non sono uguali: scrivilo di nuovo due volte."));
    QVERIFY(d->edNuovoPin->text().isEmpty() && d->edNuovoPin2->text().isEmpty());
    QCOMPARE(d->focusWidget(), d->edNuovoPin);
    QVERIFY2(!QFileInfo::exists(FDb), "nobody made");
    // Once only is a slip too.
    QTest::keyClicks(d->edNuovoPin, QStringLiteral("1234"));
    d->btCrea->click();
    QVERIFY(d->isVisible());
    QTest::keyClicks(d->edNuovoPin, QStringLiteral("1234"));
    QTest::keyClicks(d->edNuovoPin2, QStringLiteral("1234"));
    QTest::keyClick(d->edNuovoPin2, Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QVERIFY(d->Scelto() && d->Scelto()->conPin);
    QCOMPARE(FFinestre->Registro()->ControllaPin(d->Scelto()->id, QStringLiteral("1234")), TEsitoPin::Giusto);
}

void TestRegistroFinestre::labChooserAsksTheClassFirstAndEnterAloneChoosesNobody()
{
    auto sql = RegistroDiProva(FDb);
    sql->CreaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("3A"));
    sql->CreaAlunno(QStringLiteral("Marco"), QStringLiteral("3A"));
    const auto giulia2B = sql->CreaAlunno(QStringLiteral("Giulia Bianchi"), QStringLiteral("2B"));
    QVERIFY(sql->ImpostaPin(giulia2B->id, QStringLiteral("2222")));
    auto scuola = std::make_unique<TRegistroScuola>(std::move(sql));
    TdlgChiSei d(scuola.get());
    // A lab PC where nobody has chosen yet: no class, no pupil.
    d.Prepara();
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QCOMPARE(d.Pagine->currentWidget(), d.PaginaElenco);
    QVERIFY(d.cbClasse->isVisible());
    QCOMPARE(d.cbClasse->count(), 2);
    QCOMPARE(d.cbClasse->currentIndex(), -1);
    QCOMPARE(d.lsAlunni->count(), 0);
    QCOMPARE(QApplication::focusWidget(), d.cbClasse);
    QTest::keyClick(&d, Qt::Key_Return);
    QVERIFY2(d.isVisible(), "Enter with nothing chosen does nothing");
    // The class, then the pupils of that class only, none selected.
    d.cbClasse->setCurrentIndex(d.cbClasse->findText(QStringLiteral("3A")));
    emit d.cbClasse->activated(d.cbClasse->currentIndex());
    QCOMPARE(d.lsAlunni->count(), 2);
    QCOMPARE(QApplication::focusWidget(), d.lsAlunni);
    QVERIFY(d.lsAlunni->selectedItems().isEmpty());
    QTest::keyClick(d.lsAlunni, Qt::Key_Return);
    QVERIFY2(d.isVisible(), "the list's cursor alone chooses nobody");
    d.lsAlunni->setCurrentRow(0);
    QTest::keyClick(d.lsAlunni, Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.Scelto()->nome, QStringLiteral("Giulia Bianchi"));
    QCOMPARE(d.Scelto()->classe, QStringLiteral("3A"));
    QCOMPARE(TdlgChiSei::UltimaClasse(), QStringLiteral("3A"));
    // The next pupil at this PC: the class preselected, no pupil.
    d.Prepara();
    d.show();
    QCOMPARE(d.cbClasse->currentText(), QStringLiteral("3A"));
    QCOMPARE(d.lsAlunni->count(), 2);
    QVERIFY(d.lsAlunni->selectedItems().isEmpty());
    // The Giulia Bianchi of 2B is another pupil, with her own PIN.
    d.cbClasse->setCurrentIndex(d.cbClasse->findText(QStringLiteral("2B")));
    emit d.cbClasse->activated(d.cbClasse->currentIndex());
    QCOMPARE(d.lsAlunni->count(), 1);
    d.lsAlunni->setCurrentRow(0);
    d.btAvantiClick();
    QCOMPARE(d.Pagine->currentWidget(), d.PaginaPin);
    QVERIFY(!d.lbPinAltrove->isVisibleTo(&d));
    d.btIndietroPin->click();
    // A new pupil takes the class chosen, and must have one.
    d.btNuovo->click();
    QCOMPARE(d.edClasse->text(), QStringLiteral("2B"));
    QTest::keyClicks(d.edNome, QStringLiteral("giulia  bianchi"));
    d.btCrea->click();
    QVERIFY2(d.lbNuovoErrore->text().contains(QStringLiteral("già")), "the same pupil, in the same class");
    d.edClasse->clear();
    d.btCrea->click();
    QCOMPARE(d.lbNuovoErrore->text(), QStringLiteral("Scrivi la tua classe."));
    d.reject();
}

void TestRegistroFinestre::serverMessageDoesNotBlockAndClosesWhenTheServerIsBack()
{
    const auto box = [] { return FindChildTop<QMessageBox>(QStringLiteral("avvisoServer")); };
    const QString testo = QStringLiteral("Il server della scuola non risponde: le risposte restano su questo computer e "
                                         "partono da sole.");
    StatoServerScuola(false, testo);
    StatoServerScuola(false, testo); // said again: still one box
    QTRY_VERIFY(box() && box()->isVisible());
    QCOMPARE(box()->text(), testo);
    QVERIFY(!box()->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    StatoServerScuola(true, {});
    QTRY_VERIFY(!box() || !box()->isVisible());
    // Away and back before the message could show: nothing shows.
    StatoServerScuola(false, testo);
    StatoServerScuola(true, {});
    QTest::qWait(50);
    QVERIFY(!box() || !box()->isVisible());
}

void TestRegistroFinestre::pinIsAskedAndWrongTriesWait()
{
    auto r = RegistroDiProva(FDb);
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), {});
    QVERIFY(r->ImpostaPin(anna->id, QStringLiteral("1234")));
    qint64 adesso = 1'000'000;
    r->ImpostaOrologio([&adesso] { return adesso; });
    FFinestre->ImpostaRegistro(std::move(r));
    TdlgChiSei* d = FFinestre->dlgChiSei();
    d->Prepara();
    d->show();
    QVERIFY2(d->lsAlunni->selectedItems().isEmpty(), "nobody chose on this computer yet: nobody preselected");
    d->btAvantiClick();
    QCOMPARE(d->Pagine->currentWidget(), d->PaginaElenco);
    d->lsAlunni->setCurrentRow(0);
    d->btAvantiClick();
    QCOMPARE(d->Pagine->currentWidget(), d->PaginaPin);
    QCOMPARE(d->btIndietroPin->text(), QStringLiteral("Indietro"));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(d->edPin->isEnabled());
        d->edPin->setText(QStringLiteral("0000"));
        QTest::keyClick(d->edPin, Qt::Key_Return);
        QVERIFY(d->isVisible());
    }
    // Three wrong tries: the wait is said and counted down, nothing is typed meanwhile.
    QVERIFY2(d->lbPinErrore->text().contains(QStringLiteral("30 secondi")), qPrintable(d->lbPinErrore->text()));
    QVERIFY(d->edPin->isReadOnly() && !d->btEntra->isEnabled());
    // Enter typed while waiting stays on the PIN page.
    QCOMPARE(d->focusWidget(), d->edPin);
    QTest::keyClick(d->edPin, Qt::Key_Return);
    QCOMPARE(d->Pagine->currentWidget(), d->PaginaPin);
    adesso += 10'500;
    QTRY_VERIFY(d->lbPinErrore->text().contains(QStringLiteral("20 secondi")));
    adesso += 20'000;
    QTRY_VERIFY(!d->edPin->isReadOnly());
    d->edPin->setText(QStringLiteral("1234"));
    d->btEntraClick();
    QVERIFY(!d->isVisible());
    QCOMPARE(d->Scelto()->nome, QStringLiteral("Anna"));
}

void TestRegistroFinestre::alunnoOptionMakesThePupil()
{
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    FFinestre->AvviaComeAlunno(QStringLiteral("Bruno"));
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario — Bruno"));
    const auto b = RegistroDiProva(FDb)->TrovaAlunno(QStringLiteral("Bruno"));
    QVERIFY(b);
    QVERIFY(b->classe.isEmpty());
    // A pupil with a PIN is asked only for it; "Ospite" instead of the list.
    {
        auto r = RegistroDiProva(FDb);
        r->ImpostaPin(b->id, QStringLiteral("4321"));
    }
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) {
        QCOMPARE(d->Pagine->currentWidget(), d->PaginaPin);
        QCOMPARE(d->btIndietroPin->text(), QStringLiteral("Ospite"));
        d->btIndietroPin->click();
    });
    FFinestre->AvviaComeAlunno(QStringLiteral("Bruno"));
    QVERIFY(!FFinestre->Registro()->AlunnoScelto());
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario"));
    // The same name in two classes: the list says which, nobody is made.
    {
        auto r = RegistroDiProva(FDb);
        r->CreaAlunno(QStringLiteral("Carla"), QStringLiteral("2A"));
        r->CreaAlunno(QStringLiteral("carla"), QStringLiteral("3A"));
    }
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) {
        QCOMPARE(d->Pagine->currentWidget(), d->PaginaElenco);
        d->reject();
    });
    FFinestre->AvviaComeAlunno(QStringLiteral("Carla"));
    QCOMPARE(RegistroDiProva(FDb)->Alunni().size(), 3);
}

void TestRegistroFinestre::changingPupilClosesTheTopicWindows()
{
    FFinestre->ImpostaRegistro(RegistroDiProva(FDb));
    FFinestre->Registro()->CreaAlunno(QStringLiteral("Bruno"), {});
    FFinestre->ImpostaAlunno(FFinestre->Registro()->CreaAlunno(QStringLiteral("Anna"), {}));
    TFinestraEsercizi* w = FFinestre->frmSommaPol();
    w->Apri(true);
    Rispondi(w, QStringLiteral("3x"));
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) {
        const auto voci = d->lsAlunni->findItems(QStringLiteral("Bruno"), Qt::MatchExactly);
        QCOMPARE(voci.size(), 1);
        d->lsAlunni->setCurrentItem(voci[0]);
        d->btAvanti->click();
    });
    FFinestre->frmMain()->btCambiaAlunno->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(FFinestre->frmMain()->windowTitle(), QStringLiteral("Mevario — Bruno"));
    QCOMPARE(Storico(FDb, QStringLiteral("Anna")).size(), 1);
    QCOMPARE(Storico(FDb, QStringLiteral("Anna"))[0].argomento, QStringLiteral("somma-polinomi"));
    // Anna's answer of this run is not on Bruno's results sheet.
    for (int i = 0; i < TSchedaPol::Numero; ++i)
        QCOMPARE(TSchedaPol::Istanza()->Valore(i), 0);
    // Closed without a choice, the pupil stays.
    QuandoCompare<TdlgChiSei>([](TdlgChiSei* d) { d->reject(); });
    FFinestre->frmMain()->btCambiaAlunno->click();
    QCOMPARE(FFinestre->Registro()->AlunnoScelto()->nome, QStringLiteral("Bruno"));
}

void TestRegistroFinestre::commandLineOptions()
{
    const auto esito = [](std::vector<std::string> a, std::string* errore = nullptr) {
        char* testo = nullptr;
        std::size_t n = 0;
        std::FILE* err = open_memstream(&testo, &n);
        std::FILE* out = std::fopen("/dev/null", "w");
        const auto r = LeggiArgomenti(a, "1.0", out, err);
        std::fclose(err);
        std::fclose(out);
        if (errore)
            *errore = std::string(testo, n);
        std::free(testo);
        return r;
    };
    std::string e;
    QCOMPARE(esito({"--db", "/tmp/x.sqlite", "--alunno", "Anna Rossi"}), std::optional<int>());
    QCOMPARE(esito({"--db=/tmp/x.sqlite", "--alunno=Anna"}), std::optional<int>());
    QCOMPARE(esito({"--db"}, &e), std::optional<int>(1));
    QVERIFY(e.find("manca il valore dell'opzione --db") != std::string::npos);
    QCOMPARE(esito({"--alunno", ""}, &e), std::optional<int>(1));
    QVERIFY(e.find("il nome dell'alunno non va bene") != std::string::npos);
    QCOMPARE(esito({"--alunno", " Anna"}), std::optional<int>(1));
    QCOMPARE(esito({"--db="}, &e), std::optional<int>(1));
    QCOMPARE(esito({"-db", "x"}), std::optional<int>(1)); // only the long form
    const TOpzioniProgramma o = OpzioniProgramma({QStringLiteral("mevario"), QStringLiteral("--db"), QStringLiteral("/a b.sqlite"),
                                                  QStringLiteral("--alunno=Zoë"), QStringLiteral("--esci-subito")});
    QCOMPARE(o.db, QStringLiteral("/a b.sqlite"));
    QCOMPARE(o.alunno, QStringLiteral("Zoë"));
    QVERIFY(o.esciSubito && !o.esciDopoAvvio);
}

void TestRegistroFinestre::registroDiClasseWritesTheClassSpreadsheetToDocuments()
{
    TDsFancyButton* bottone = FFinestre->frmMain()->btRegistroClasse;
    // A guest has no class.
    QVERIFY(!bottone->isEnabled());
    QVERIFY(bottone->toolTip().contains(QStringLiteral("ospite")));

    // As on a first start: the record's file is made with the first pupil.
    QVERIFY(!QFile::exists(FDb));
    FFinestre->ImpostaRegistro(ApriRegistroProgramma(FDb));
    TRegistro* r = FFinestre->Registro();
    const auto anna = r->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
    const auto bruno = r->CreaAlunno(QStringLiteral("Bruno <&>"), QStringLiteral("2B"));
    const auto carla = r->CreaAlunno(QStringLiteral("Carla"), QString());
    TRispostaGiudicata g;
    g.argomento = QStringLiteral("somma-monomi");
    g.esercizio = QStringLiteral("3*x+2*x");
    g.risposta = QStringLiteral("5x");
    g.giusta = true;
    QVERIFY(r->RegistraPer(bruno->id, g));
    FFinestre->ImpostaAlunno(carla);
    QVERIFY(!bottone->isEnabled());
    QVERIFY(bottone->toolTip().contains(QStringLiteral("Carla non ha una classe")));

    FFinestre->ImpostaAlunno(anna);
    QVERIFY(bottone->isEnabled());
    QVERIFY(bottone->toolTip().contains(QStringLiteral("2B")));
    QStringList consegnati;
    TQuibWord::ImpostaConsegna([&](const QString& f) {
        consegnati << f;
        return true;
    });
    QTest::mouseClick(bottone, Qt::LeftButton, {}, QPoint(60, 25));
    QTest::mouseClick(bottone, Qt::LeftButton, {}, QPoint(60, 25));
    TQuibWord::ImpostaConsegna({});
    QCOMPARE(consegnati.size(), 2);
    QVERIFY(FMessaggi.isEmpty());
    // In the temporary Documents/Mevario, a new file each time.
    QVERIFY(CartellaDocumenti().startsWith(gCasa->path()));
    QCOMPARE(QFileInfo(consegnati[0]).absolutePath(), CartellaDocumenti());
    QVERIFY(QFileInfo(consegnati[0]).fileName().startsWith(QStringLiteral("Registro di classe 2B 20")));
    QVERIFY(consegnati[0].endsWith(QStringLiteral(".fods")));
    QVERIFY(consegnati[1] != consegnati[0]);
    const QByteArray fods = Contenuto(consegnati[0]);
    QCOMPARE(Contenuto(consegnati[1]), fods);
    QVERIFY(fods.contains("office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\""));
    QVERIFY(fods.contains("Bruno &lt;&amp;&gt;"));
    QVERIFY(fods.contains("<text:p>Anna</text:p>"));
    QVERIFY(fods.contains("office:value-type=\"percentage\" office:value=\"1.000000\""));
    QVERIFY(!fods.contains("Carla"));
    QDir(CartellaDocumenti()).removeRecursively();
}

int main(int argc, char** argv)
{
    // The user's folders in a temporary folder before Qt reads them.
    QTemporaryDir casa;
    gCasa = &casa;
    for (const char* v : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"})
        qputenv(v, casa.path().toUtf8() + "/" + v);
    qunsetenv("MEVARIO_DB");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mevario"));
    TestRegistroFinestre t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_registro_finestre.moc"
