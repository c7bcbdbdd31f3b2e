// Photographs of the real windows at the steps a pupil goes through, taken
// from the screen (run it under a display or xvfb-run):
//   mevario_fotografie OUTPUT_DIR
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>

#include <QTimer>

#include <functional>

#include <QTemporaryDir>

#include "Avvio.h"
#include "ArgomentiRegistro.h"
#include "ChiSei.h"
#include "EserciziStampa.h"
#include "Progressi.h"
#include "RegistroSql.h"
#include "RipassoGuidato.h"
#include <cmath>
#include "QuibWord.h"
#include <QFile>
#include <QFileInfo>
#include "funzioni.h"
#include "ExprCanvas.h"

using namespace mevario;

namespace {

QString gDir;

void Foto(QWidget* w, const char* nome)
{
    QTest::qWait(300);
    QScreen* s = QApplication::primaryScreen();
    const QRect g = w->frameGeometry();
    s->grabWindow(0, g.x(), g.y(), g.width(), g.height()).save(gDir + QLatin1Char('/') + QLatin1String(nome) + ".png");
}

} // namespace

int main(int argc, char** argv)
{
    gDir = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).absolutePath();
    QDir().mkpath(gDir);
    // The documents the windows write go to DIR/documenti, not to the
    // user's own documents folder.
    {
        const QString config = gDir + QStringLiteral("/configurazione");
        QDir().mkpath(config);
        QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
        if (dirs.open(QIODevice::WriteOnly))
            dirs.write("XDG_DOCUMENTS_DIR=\"" + QFile::encodeName(gDir) + "/documenti\"\n");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("0.1.0"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(13);
    QApplication::setFont(f);
    auto fin = Avvia();
    TfrmMain* m = fin->frmMain();
    m->move(20, 20);
    m->show();
    if (!QTest::qWaitForWindowExposed(m))
        return 1;
    Foto(m, "01_principale");
    {
        // "Chi sei?" with two pupils, and the main window of one of them, on
        // a record of a temporary folder.
        QTemporaryDir d;
        fin->ImpostaRegistro(TRegistroSql::ApriSqlite(d.filePath(QStringLiteral("r.sqlite")), {}, true).registro);
        fin->Registro()->CreaAlunno(QStringLiteral("Anna"), QStringLiteral("2B"));
        fin->Registro()->CreaAlunno(QStringLiteral("Bruno"), QStringLiteral("2B"));
        TdlgChiSei* chi = fin->dlgChiSei();
        chi->Prepara();
        chi->show();
        if (QTest::qWaitForWindowExposed(chi))
            Foto(chi, "01_chi_sei");
        chi->btNuovoClick();
        Foto(chi, "01_chi_sei_nuovo");
        chi->reject();
        fin->ImpostaAlunno(fin->Registro()->TrovaAlunno(QStringLiteral("Anna")));
        Foto(m, "01_principale_alunno");
        fin->ImpostaRegistro(nullptr);
    }

    m->ApriMenu(m->btSomma, m->pmSomma);
    QTest::qWait(200);
    {
        QScreen* s = QApplication::primaryScreen();
        const QRect g = m->frameGeometry().united(m->pmSomma->frameGeometry());
        s->grabWindow(0, g.x(), g.y(), g.width(), g.height()).save(gDir + "/02_menu.png");
    }
    m->ApriMenu(m->btProdottoMon, m->pmProdotto);
    QTest::qWait(200);
    {
        QScreen* s = QApplication::primaryScreen();
        const QRect g = m->frameGeometry().united(m->pmProdotto->frameGeometry());
        s->grabWindow(0, g.x(), g.y(), g.width(), g.height()).save(gDir + "/03_menu_prodotto.png");
    }
    m->pmProdotto->hide();

    TfrmSommaMon* sm = fin->frmSommaMon();
    sm->move(20, 20);
    m->Apri(sm, false);
    if (!QTest::qWaitForWindowExposed(sm))
        return 1;
    Foto(sm, "04_concetto");

    sm->btEseAppr->click();
    QTest::qWait(100);
    Foto(sm, "05_esercizi");

    // An answer that cannot be read: the spot marked, the reason said.
    QTest::mouseClick(sm->EditRisp, Qt::LeftButton);
    QTest::keyClicks(sm->EditRisp, QStringLiteral("3x^2+*"));
    QTest::qWait(100);
    Foto(sm, "06_risposta_illeggibile");
    sm->EditRisp->clear();
    QTest::keyClick(sm->EditRisp, Qt::Key_Backspace);
    // "Procedi" on an empty field: a line asks for the answer.
    sm->btnNuovo->click();
    Foto(sm, "06_risposta_vuota");

    // Type the right answer through the keyboard.
    QTest::mouseClick(sm->EditRisp, Qt::LeftButton);
    QTest::keyClicks(sm->EditRisp, QString::fromStdString(sm->Esercizio().RispostaAttesa()));
    QTest::qWait(100);
    Foto(sm, "06_risposta_digitata");
    // The counters panel while it flashes green (the photograph is taken
    // in the middle of the first lit phase).
    QTimer::singleShot(150, [sm] { Foto(sm, "07_lampo_verde"); });
    sm->btnNuovo->click();
    Foto(sm, "07_dopo_risposta_giusta");
    QTest::keyClicks(sm->EditRisp, QStringLiteral("2-3x"));
    sm->DsFancyButton1->click();
    Foto(sm, "08_istruzioni");
    // A right value in Caps Lock: what to change, under the preview.
    Tfrmcomune::Istanza()->SpeedButton1Click();
    sm->btnNuovo->click(); // "Procedi" on 2-3x: wrong
    QTest::qWait(1500);
    sm->btnNuovo->click(); // "Nuovo"
    sm->EditRisp->clear();
    QTest::keyClicks(sm->EditRisp, QString::fromStdString(sm->Esercizio().RispostaAttesa()).toUpper());
    sm->btnNuovo->click();
    Foto(sm, "08_forma_maiuscole");
    // The two documents, copied here to look at them (converted to PDF).
    TQuibWord::ImpostaConsegna([](const QString& f) {
        QFile::copy(f, gDir + QLatin1Char('/') + QFileInfo(f).fileName());
        return true;
    });
    Tfrmcomune::Istanza()->SpeedButton1Click(); // the help panel away
    sm->btnStampa->click();
    m->btScheda->click();
    // A new exercise answered with its terms left apart: the diagnosis, then
    // the worked solution.
    sm->btnNuovo->click();
    {
        const EsercizioSommaMon& e = sm->Esercizio();
        const std::string l = TogliCarattere('*', e.L);
        const auto termine = [&l](int p, int q) {
            return (q == 1 ? std::to_string(p) : std::to_string(p) + "/" + std::to_string(q)) + l;
        };
        std::string separati = termine(e.p1, e.q1) + (e.p2 < 0 ? "" : "+") + termine(e.p2, e.q2);
        if (e.p3 != 0)
            separati += (e.p3 < 0 ? "" : "+") + termine(e.p3, e.q3);
        sm->EditRisp->clear();
        QTest::keyClicks(sm->EditRisp, QString::fromStdString(separati));
    }
    ImpostaFaseLampeggio(0);
    sm->btnNuovo->click();
    ImpostaFaseLampeggio(500);
    Foto(sm, "12_somma_sbagliata");
    sm->btnSoluzione->click();
    Foto(sm, "13_somma_soluzione");
    sm->btnChiudi->click();
    // A review visit: what is reviewed, above the exercise.
    TFinestraEsercizi* pot = fin->frmPotenzaMon();
    pot->Apri(true);
    pot->ImpostaRipasso(QStringLiteral("Nella potenza gli esponenti si moltiplicano."),
                        QStringLiteral("Ripasso: nella potenza di un monomio gli esponenti si moltiplicano"));
    Foto(pot, "15_ripasso");
    pot->btnChiudi->click();

    // Every other topic window: its concept page, then its exercise page
    // with the expected answer typed (or the right radio button checked).
    const std::pair<TFinestraEsercizi*, const char*> argomenti[] = {
        {fin->frmConcetto(), "definizione"},
        {fin->frmProdottoMon(), "prodotto"},
        {fin->frmPotenzaMon(), "potenza"},
        {fin->frmQuozienteMon(), "quoziente"},
        {fin->frmMcdMon(), "mcd"},
        {fin->frmMcmMon(), "mcm"},
        {fin->frmPolConcetto(), "definizione_pol"},
        {fin->frmSommaPol(), "somma_pol"},
        {fin->frmDiffPol(), "differenza_pol"},
        {fin->frmProdottoPol(), "prodotto_pol"},
    };
    for (const auto& [w, nome] : argomenti) {
        w->move(20, 20);
        m->Apri(w, false);
        if (!QTest::qWaitForWindowExposed(w))
            return 1;
        Foto(w, (std::string("10_") + nome + "_concetto").c_str());
        w->btEseAppr->click();
        if (w->Argomento()->SiNo()) { // "Procedi" with neither chosen
            w->btnNuovo->click();
            Foto(w, (std::string("11_") + nome + "_nessuna_scelta").c_str());
        }
        for (int i = 0; i < 3; ++i) { // the quiz: a typed question
            if (!w->pnlSiNo || w->pnlSiNo->isHidden())
                break;
            w->btEseAppr->click();
            w->btEseAppr->click();
        }
        QTest::mouseClick(w->EditRisp, Qt::LeftButton);
        QTest::keyClicks(w->EditRisp, QString::fromStdString(NarrowToUtf8(w->Argomento()->RispostaAttesa())));
        Foto(w, (std::string("11_") + nome + "_esercizi").c_str());
        // The help panel of the topic, beside the keypad.
        w->DsFancyButton1->click();
        Foto(w, (std::string("14_") + nome + "_istruzioni").c_str());
        QTest::keyClick(w->EditRisp, Qt::Key_Escape);
        // A wrong answer, then its worked solution.
        w->EditRisp->clear();
        // (in the difference several terms, each in its ring)
        QTest::keyClicks(w->EditRisp, w == fin->frmDiffPol() ? QStringLiteral("-9/7x^8+5/3y^2z^3-x+17y^2z^3")
                                                                 : QStringLiteral("9/7x^8y^8z^8"));
        if (w == fin->frmSommaPol()) {
            // The counters panel while it flashes red.
            QTimer::singleShot(150, [w] { Foto(w, "12_lampo_rosso"); });
        } else {
            ImpostaFaseLampeggio(0);
        }
        w->btnNuovo->click();
        ImpostaFaseLampeggio(500);
        Foto(w, (std::string("12_") + nome + "_sbagliata").c_str());
        w->btnSoluzione->click();
        Foto(w, (std::string("13_") + nome + "_soluzione").c_str());
        if (w->cbPassaggi) {
            // The working line by line on a new exercise: the exercise
            // written again, a wrong step, the answer, the keypad open.
            w->btnNuovo->click();
            w->cbPassaggi->click();
            TPassaggi* p = w->pnlPassaggi;
            QTest::keyClicks(p->Campo(1), QString::fromStdString(w->Argomento()->TestoPassaggi()));
            QTest::keyClick(p->Campo(1), Qt::Key_Return);
            QTest::keyClicks(p->Campo(2), QString::fromStdString(w->Argomento()->RispostaAttesa() + "+x"));
            QTest::keyClick(p->Campo(2), Qt::Key_Return);
            QTest::keyClicks(p->Campo(3), QString::fromStdString(w->Argomento()->RispostaAttesa()));
            QTest::mouseClick(p->Campo(3), Qt::LeftButton);
            Foto(w, (std::string("15_") + nome + "_passaggi").c_str());
            w->cbPassaggi->click();
        }
        w->btnChiudi->click();
    }

    // The division: a narration half way and at its end; then the exercise
    // page with some cells filled and a wrong one in red. The narration
    // waits for clicks inside its own loop, so the clicks are timed.
    TfrmDivisionePol* dv = fin->frmDivisionePol();
    dv->move(10, 10);
    m->Apri(dv, false);
    if (!QTest::qWaitForWindowExposed(dv))
        return 1;
    Foto(dv, "20_divisione_concetto");
    std::vector<std::function<void()>> passi;
    for (int i = 0; i < 6; ++i)
        passi.push_back([dv] { dv->btnNuovo->click(); });
    passi.push_back([dv] { Foto(dv, "21_divisione_narrazione"); });
    for (int i = 0; i < 40; ++i)
        passi.push_back([dv] {
            if (!dv->AnimazioneFinita())
                dv->btnNuovo->click();
        });
    passi.push_back([dv] { Foto(dv, "22_divisione_risultato"); });
    QEventLoop fine;
    std::function<void(std::size_t)> esegui = [&](std::size_t i) {
        if (i == passi.size()) {
            fine.quit();
            return;
        }
        // The next step is timed before this one runs: a click may start
        // the narration, which returns only at its end.
        QTimer::singleShot(120, [&, i] {
            esegui(i + 1);
            passi[i]();
        });
    };
    esegui(0);
    fine.exec();
    dv->btEseAppr->click(); // the exercise page
    QTest::qWait(100);
    TDivisione& d = dv->Divisione();
    // The pupil types the first quotient term and the first product row
    // right, then a wrong term in the first partial remainder.
    const auto digita = [&](const TDivisione::Cella& c, const std::string& t) {
        dv->PaintBox1Click(dv->CellaDi(c));
        dv->EditRisp->clear();
        QTest::keyClicks(dv->EditRisp, QString::fromStdString(t));
    };
    const auto scritto = [](std::string t) { return TogliCarattere(')', TogliCarattere('(', TogliCarattere('*', t))); };
    digita({2, 2, 4}, scritto(d.TestoCella({2, 2, 4}, false)));
    for (int k = 4; k >= 0; --k)
        if (!d.TestoCella({1, 2, k}, false).empty())
            digita({1, 2, k}, scritto(d.TestoCella({1, 2, k}, false)));
    digita({1, 3, 3}, "7x^3");
    Foto(dv, "23_divisione_esercizi");
    dv->btnNuovo->click();
    Foto(dv, "24_divisione_cella_sbagliata");
    // A division with fractions in most rows, its grid filled down to the
    // last row: the grid scrolls under the dividend and divisor row.
    const auto righeConFrazioni = [&] {
        int n = 0;
        for (int r = 1; r <= 9; ++r)
            for (int k = 0; k <= 4; ++k)
                if (d.Termine({1, r, k}, false).Den != 1) {
                    ++n;
                    break;
                }
        return n;
    };
    for (int volta = 0; volta < 500 && righeConFrazioni() < 6; ++volta)
        dv->PreparaPagina();
    for (const auto& c : TDivisione::OrdineVerifica(4))
        if (!d.TestoDigitatoCella(c, false).empty() && !(c.blocco == 1 && c.riga == 9))
            digita(c, d.TestoDigitatoCella(c, false));
    for (int k = 4; k >= 0; --k)
        if (!d.TestoDigitatoCella({1, 9, k}, false).empty()) {
            digita({1, 9, k}, d.TestoDigitatoCella({1, 9, k}, false));
            break;
        }
    Foto(dv, "25_divisione_righe_basse");
    digita({1, 5, 1}, "3x");
    digita({1, 3, 0}, "0");
    dv->btnNuovo->click();
    Foto(dv, "26_divisione_celle_segnate");
    // "Soluzione": the same division narrated, to its end.
    passi.clear();
    passi.push_back([dv] { dv->btnSoluzione->click(); });
    for (int i = 0; i < 40; ++i)
        passi.push_back([dv] {
            if (!dv->AnimazioneFinita())
                dv->btnNuovo->click();
        });
    passi.push_back([dv] { Foto(dv, "27_divisione_soluzione"); });
    esegui(0);
    fine.exec();
    dv->btnChiudi->click();

    // The blackboard: strokes of several colours and thicknesses, one of
    // them traced by the eraser.
    TfrmLavagna* l = fin->frmLavagna();
    l->move(20, 20);
    l->show();
    if (!QTest::qWaitForWindowExposed(l))
        return 1;
    const auto traccia = [l](int colore, int spessore, std::vector<QPoint> punti) {
        l->cmbPennaColore->setCurrentIndex(colore);
        l->cmbPennaSpessore->setCurrentIndex(spessore);
        QTest::mousePress(l->Foglio, Qt::LeftButton, {}, punti.front());
        for (std::size_t i = 1; i < punti.size(); ++i)
            QTest::mouseMove(l->Foglio, punti[i]);
        QTest::mouseRelease(l->Foglio, Qt::LeftButton, {}, punti.back());
    };
    std::vector<QPoint> onda;
    for (int x = 40; x <= 520; x += 8)
        onda.emplace_back(x, 120 + static_cast<int>(40 * std::sin(x / 40.0)));
    traccia(3, 2, onda);
    traccia(6, 4, {{60, 300}, {200, 220}, {340, 300}, {480, 220}});
    traccia(12, 0, {{80, 380}, {500, 380}});
    traccia(14, 5, {{280, 40}, {280, 420}});
    l->cbGomma->setChecked(true);
    QTest::mouseMove(l->Foglio, QPoint(300, 380));
    QTest::qWait(100);
    Foto(l, "30_lavagna");
    l->close();

    // The dialog of the exercises to print, with two topics chosen.
    {
        TdlgEserciziStampa d(m);
        d.Argomenti[2]->setChecked(true);
        d.Argomenti.back()->setChecked(true);
        d.move(60, 60);
        d.show();
        if (QTest::qWaitForWindowExposed(&d))
            Foto(&d, "40_esercizi_da_stampare");
    }

    // A pupil with a month of answers in every topic (a record in DIR,
    // made afresh): the main window's row, "I miei progressi", a guest's,
    // and the first two windows of a review.
    {
        const QString file = gDir + QStringLiteral("/registro.sqlite");
        for (const char* coda : {"", "-wal", "-shm"})
            QFile::remove(file + QLatin1String(coda));
        TOpzioniRegistro o;
        o.db = file;
        auto registro = ApriRegistro(o, [](const QString& messaggio) { qWarning("%s", qPrintable(messaggio)); });
        const auto giulia = registro->CreaAlunno(QStringLiteral("Giulia"), QStringLiteral("2B"));
        if (!giulia)
            return 1;
        const QDate oggi = QDate::currentDate();
        int quanti = 0;
        const TArgomentoRegistro* argomenti = ArgomentiRegistro(&quanti);
        for (int giorno = 29; giorno >= 0; --giorno) {
            if (giorno % 3 == 1)
                continue; // days without practice
            for (int a = 0; a < quanti; ++a)
                for (int k = 0; k < (a + giorno) % 4; ++k) {
                    TRispostaGiudicata r;
                    r.argomento = QString::fromLatin1(argomenti[a].nome);
                    r.esercizio = QStringLiteral("x");
                    r.risposta = QStringLiteral("x");
                    r.giusta = (a * 7 + k * 3 + giorno) % 5 != 0;
                    // Yesterday's mistakes come back today.
                    if (!r.giusta && giorno == 1)
                        r.tipoErrore = a == 2 ? QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.")
                                              : QString();
                    r.quando = QDateTime(oggi.addDays(-giorno), QTime(9 + k, 0));
                    registro->RegistraPer(giulia->id, r);
                }
        }
        for (const QString& argomento : {QStringLiteral("prodotto-monomi"), QStringLiteral("differenza-polinomi"),
                                        QStringLiteral("divisione-polinomi")}) {
            TRispostaGiudicata r;
            r.argomento = argomento;
            r.esercizio = QStringLiteral("x");
            r.risposta = QStringLiteral("y");
            r.tipoErrore = argomento == QLatin1String("differenza-polinomi")
                               ? QStringLiteral("Nella differenza il secondo polinomio cambia segno.")
                           : argomento == QLatin1String("prodotto-monomi")
                               ? QStringLiteral("Nel prodotto gli esponenti si sommano, non si moltiplicano.")
                               : QString();
            r.quando = QDateTime(oggi.addDays(-1), QTime(18, 0));
            registro->RegistraPer(giulia->id, r);
        }
        m->ImpostaRegistro(registro.get(), giulia);
        m->activateWindow();
        Foto(m, "50_principale_alunno");
        TfrmProgressi* p = m->frmProgressi();
        p->Aggiorna();
        p->move(20, 20);
        p->show();
        if (QTest::qWaitForWindowExposed(p))
            Foto(p, "51_progressi");
        p->hide();
        TRegistroOspite ospite;
        m->ImpostaRegistro(&ospite, std::nullopt);
        Foto(m, "52_principale_ospite");
        p = m->frmProgressi();
        p->move(20, 20);
        p->show();
        if (QTest::qWaitForWindowExposed(p))
            Foto(p, "53_progressi_ospite");
        p->hide();
        m->ImpostaRegistro(registro.get(), giulia);
        m->btRipasso->click();
        // Through the review's windows, photographing a mistake's sentence,
        // the polynomials' and the division's; the last is left open.
        int foto = 0;
        while (m->Ripasso()->InCorso()) {
            TFinestraEsercizi* w = m->Ripasso()->Corrente();
            if (!w || !QTest::qWaitForWindowExposed(w))
                break;
            const bool ultima = m->Ripasso()->Restanti() == 0;
            if (!w->Ripassa().startsWith(QLatin1String("errore")) || ultima || foto == 0)
                Foto(w, (std::string("5") + char('4' + foto++) + "_ripasso").c_str());
            if (ultima)
                m->Ripasso()->Ferma(); // no closing message box to wait on
            w->close();
            QTest::qWait(100);
        }
        QTest::qWait(300);
        m->ImpostaRegistro(nullptr, std::nullopt);
    }
    return 0;
}
