#include "Progressi.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "Colori.h"
#include "ArgomentiRegistro.h"
#include "Finestra.h"
#include "Grafici.h"
#include "UDsFancyButton.h"

namespace mevario {

namespace {

// The colours of the exercise windows' counters.

QTableWidgetItem* Cella(const QString& testo, bool numero)
{
    auto* c = new QTableWidgetItem(testo);
    c->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (numero)
        c->setTextAlignment(Qt::AlignCenter);
    return c;
}

QTableWidget* Tabella(const QStringList& colonne, const QString& nome, QWidget* parent)
{
    auto* t = new QTableWidget(0, static_cast<int>(colonne.size()), parent);
    t->setHorizontalHeaderLabels(colonne);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false); // Tab goes on to the next control
    t->setAlternatingRowColors(true);
    t->setAccessibleName(nome);
    t->horizontalHeader()->setHighlightSections(false);
    t->verticalHeader()->setDefaultSectionSize(24);
    QPalette p = t->palette();
    p.setColor(QPalette::AlternateBase, kSfondoChiaro);
    p.setColor(QPalette::Highlight, QColor(255, 201, 147));
    p.setColor(QPalette::HighlightedText, Qt::black);
    t->setPalette(p);
    return t;
}

QString Quante(int n, const char* una, const char* tante)
{
    return n == 1 ? QString::fromUtf8(una) : QString::number(n) + QLatin1Char(' ') + QString::fromUtf8(tante);
}

} // namespace

QString EtichettaGiorno(QDate giorno)
{
    return QLocale(QLocale::Italian, QLocale::Italy).toString(giorno, QStringLiteral("d MMM"));
}

std::vector<TRigaProgressi> RigheProgressi(const TProgressi& p)
{
    std::vector<TRigaProgressi> righe;
    righe.reserve(static_cast<std::size_t>(p.argomenti.size()));
    for (const TProgressoArgomento& a : p.argomenti) {
        if (a.giuste + a.sbagliate == 0)
            continue;
        TRigaProgressi r;
        r.argomento = a.argomento;
        r.nome = NomeArgomentoLeggibile(a.argomento);
        r.giuste = a.giuste;
        r.sbagliate = a.sbagliate;
        r.ultime = QStringLiteral("%1 su %2").arg(a.ultimeGiuste).arg(a.ultime);
        r.giorni = a.giorni;
        righe.push_back(std::move(r));
    }
    std::stable_sort(righe.begin(), righe.end(), [](const TRigaProgressi& x, const TRigaProgressi& y) {
        return OrdineArgomento(x.argomento) < OrdineArgomento(y.argomento);
    });
    return righe;
}

TfrmProgressi::TfrmProgressi(TRegistro& registro, std::optional<TAlunno> alunno, QWidget* parent)
    : QDialog(parent), FRegistro(registro), FAlunno(std::move(alunno))
{
    setObjectName(QStringLiteral("frmProgressi"));
    setWindowTitle(QStringLiteral("I miei progressi"));
    setModal(true);
    setFixedSize(940, 690);

    lbTitolo = Etichetta(QStringLiteral("I miei progressi"), this, Carattere("Comic Sans MS", 30), kMarrone);

    lbTitolo->setTextFormat(Qt::PlainText); // the pupil's name, as typed
    lbTitolo->setMinimumHeight(42);

    lbVuoto = new QLabel(this);
    lbVuoto->setObjectName(QStringLiteral("lbVuoto"));
    lbVuoto->setWordWrap(true);
    lbVuoto->setAlignment(Qt::AlignCenter);
    lbVuoto->setFont(Carattere("Comic Sans MS", 22));

    pnlDati = new QWidget(this);
    auto* gruppoArgomenti = new QGroupBox(QStringLiteral("Argomento per argomento"), pnlDati);
    tbArgomenti = Tabella({QStringLiteral("Argomento"), QStringLiteral("Risposte esatte"), QStringLiteral("Errori"),
                           QStringLiteral("Esatte tra le ultime"), QStringLiteral("Giorni di esercizio")},
                          QStringLiteral("Risultati argomento per argomento"), gruppoArgomenti);
    tbArgomenti->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 5; ++c)
        tbArgomenti->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    (new QVBoxLayout(gruppoArgomenti))->addWidget(tbArgomenti);

    auto* gruppoGiorni = new QGroupBox(QStringLiteral("Gli ultimi 30 giorni"), pnlDati);
    TStileGrafico stile;
    stile.sfondo = kSfondoChiaro;
    stile.legenda = Carattere("Tahoma", 13);
    stile.etichette = Carattere("Tahoma", 11);
    stile.titoloAsse = Carattere("Tahoma", 12);
    stile.titoloAsseY = QStringLiteral("Risposte");
    stile.angoloEtichette = -90;
    grafico = CreaGraficoBarre(gruppoGiorni, stile);
    if (grafico) {
        grafico->Widget()->setAccessibleName(QStringLiteral("Grafico delle risposte degli ultimi 30 giorni"));
        grafico->Widget()->setAccessibleDescription(QStringLiteral("Le stesse cifre sono nella tabella accanto"));
    }
    tbGiorni = Tabella({QStringLiteral("Giorno"), QStringLiteral("Esatte"), QStringLiteral("Errori")},
                       QStringLiteral("Risposte giorno per giorno"), gruppoGiorni);
    tbGiorni->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tbGiorni->setFixedWidth(250);
    auto* righeGiorni = new QHBoxLayout(gruppoGiorni);
    if (grafico) {
        righeGiorni->addWidget(grafico->Widget(), 1);
        righeGiorni->addWidget(tbGiorni);
    } else {
        tbGiorni->setMinimumWidth(250);
        tbGiorni->setMaximumWidth(QWIDGETSIZE_MAX);
        righeGiorni->addWidget(tbGiorni, 1);
    }

    auto* dati = new QVBoxLayout(pnlDati);
    dati->setContentsMargins(0, 0, 0, 0);
    dati->addWidget(gruppoArgomenti, 1);
    dati->addWidget(gruppoGiorni, 1);

    btChiudi = new TDsFancyButton(QStringLiteral("Chiudi"), this);
    StileCapsula(btChiudi, 14, Qt::white, Qt::white);
    btChiudi->setFixedSize(150, 40);
    btChiudi->setFocusPolicy(Qt::StrongFocus);
    connect(btChiudi, &QAbstractButton::clicked, this, &QDialog::accept);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(btChiudi);

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(lbTitolo);
    tutto->addWidget(lbVuoto, 1);
    tutto->addWidget(pnlDati, 1);
    tutto->addLayout(bottoni);
    StileDialogo(this);
    Aggiorna();
}

void TfrmProgressi::Aggiorna(QDate oggi)
{
    QString titolo = QStringLiteral("I miei progressi");
    if (FAlunno && !FRegistro.Ospite())
        titolo += QStringLiteral(" – ") + FAlunno->nome;
    lbTitolo->setText(titolo);

    TProgressi p;
    if (FAlunno && !FRegistro.Ospite())
        p = FRegistro.Progressi(FAlunno->id, oggi);
    const std::vector<TRigaProgressi> righe = RigheProgressi(p);
    if (righe.empty()) {
        lbVuoto->setText(
            !FAlunno || FRegistro.Ospite()
                ? QStringLiteral("Come ospite Mevario non ricorda le risposte.\n"
                                 "Entra con il tuo nome e qui vedrai i tuoi progressi, giorno dopo giorno.")
                : QStringLiteral("Qui vedrai i tuoi progressi.\n"
                                 "Prova qualche esercizio: le tue risposte compariranno qui."));
        lbVuoto->setAccessibleName(lbVuoto->text());
        lbVuoto->show();
        pnlDati->hide();
        return;
    }
    lbVuoto->hide();
    pnlDati->show();

    tbArgomenti->setRowCount(static_cast<int>(righe.size()));
    for (int i = 0; i < static_cast<int>(righe.size()); ++i) {
        const TRigaProgressi& r = righe[static_cast<std::size_t>(i)];
        tbArgomenti->setItem(i, 0, Cella(r.nome, false));
        tbArgomenti->setItem(i, 1, Cella(QString::number(r.giuste), true));
        tbArgomenti->setItem(i, 2, Cella(QString::number(r.sbagliate), true));
        tbArgomenti->setItem(i, 3, Cella(r.ultime, true));
        tbArgomenti->setItem(i, 4, Cella(QString::number(r.giorni), true));
    }

    // Every one of the 30 days, oldest first, in the chart and in the table.
    QStringList giorni;
    QList<double> giuste, errori;
    int massimo = 0;
    tbGiorni->setRowCount(static_cast<int>(p.giorni.size()));
    for (int i = 0; i < p.giorni.size(); ++i) {
        const TGiornata& g = p.giorni[i];
        const QString etichetta = EtichettaGiorno(g.giorno);
        giorni << etichetta;
        giuste << g.giuste;
        errori << g.sbagliate;
        massimo = std::max(massimo, g.giuste + g.sbagliate);
        tbGiorni->setItem(i, 0, Cella(etichetta, false));
        tbGiorni->setItem(i, 1, Cella(QString::number(g.giuste), true));
        tbGiorni->setItem(i, 2, Cella(QString::number(g.sbagliate), true));
    }
    // The last day, today, in view.
    if (tbGiorni->rowCount() > 0)
        tbGiorni->scrollToItem(tbGiorni->item(tbGiorni->rowCount() - 1, 0));
    // Whole numbers on the axis: a round top and ticks that fall on integers.
    const int passo = massimo <= 5 ? 1 : massimo <= 10 ? 2 : massimo <= 25 ? 5 : massimo <= 50 ? 10 : 25;
    const int cima = std::max(passo, (massimo + passo - 1) / passo * passo);
    if (grafico)
        grafico->Imposta(giorni,
                         {{QStringLiteral("Risposte esatte"), kVerde, giuste}, {QStringLiteral("Errori"), kRosso, errori}},
                         cima, passo);
    int totGiuste = 0, totErrori = 0, attivi = 0;
    for (const TGiornata& g : p.giorni) {
        totGiuste += g.giuste;
        totErrori += g.sbagliate;
        attivi += g.giuste + g.sbagliate > 0;
    }
    if (grafico)
        grafico->Widget()->setAccessibleDescription(
        attivi == 0 ? QStringLiteral("Nessuna risposta negli ultimi 30 giorni.")
                    : QStringLiteral("In %1: %2 e %3. Le stesse cifre, giorno per giorno, sono nella tabella accanto.")
                          .arg(Quante(attivi, "un giorno", "giorni"),
                               Quante(totGiuste, "una risposta esatta", "risposte esatte"),
                               Quante(totErrori, "un errore", "errori")));
}

} // namespace mevario
