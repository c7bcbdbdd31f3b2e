#include "EserciziStampa.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

#include "Apertura.h"
#include "Colori.h"
#include "Impostazioni.h"
#include "Documenti.h"
#include "Errori.h"
#include "Finestra.h"
#include "UDsFancyButton.h"

namespace mevario {

namespace {


TdlgEserciziStampa::TApri& Apertura()
{
    static TdlgEserciziStampa::TApri a;
    return a;
}

void NonAperta(const QString& titolo, const QString& file)
{
    MostraMessaggio(titolo,
                    QStringLiteral("Non è stato possibile aprire la scheda con un visore di PDF. "
                                   "La scheda è stata salvata in ") +
                        QDir::toNativeSeparators(file),
                    false);
}

// The sheet opened by the program's one opener of documents (the desktop's
// PDF viewer); a failure, known later, is told then.
void ApriConIlVisore(const QString& titolo, const QString& file)
{
    if (Apertura()) {
        if (!Apertura()(file))
            NonAperta(titolo, file);
        return;
    }
    TApertura::Apri(file, TTipoDocumento::Pdf, [titolo, file](const QString&) { NonAperta(titolo, file); });
}

bool DeiPolinomi(const std::string& nome)
{
    return nome.find("polinomi") != std::string::npos || nome.find("polinomio") != std::string::npos;
}

const QString kArgomenti = QStringLiteral("EserciziDaStampare/argomenti");
const QString kQuanti = QStringLiteral("EserciziDaStampare/quanti");
const QString kSoluzioni = QStringLiteral("EserciziDaStampare/soluzioni");

TDsFancyButton* Capsula(const QString& testo, QWidget* parent)
{
    auto* b = new TDsFancyButton(testo, parent);
    StileCapsula(b, 14, Qt::white, Qt::white);
    b->setFixedSize(150, 40);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

void TdlgEserciziStampa::ImpostaApertura(TApri apri) { Apertura() = std::move(apri); }

TdlgEserciziStampa::TdlgEserciziStampa(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgEserciziStampa"));
    setWindowTitle(QStringLiteral("Esercizi da stampare"));
    setModal(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kSfondo);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* spiega = new QLabel(QStringLiteral("Scegli gli argomenti: Mevario scrive una scheda di esercizi nuovi "
                                             "da stampare, con le soluzioni in fondo se le vuoi."),
                              this);
    spiega->setWordWrap(true);

    auto* monomi = new QGroupBox(QStringLiteral("Monomi"), this);
    auto* polinomi = new QGroupBox(QStringLiteral("Polinomi"), this);
    for (QGroupBox* g : {monomi, polinomi}) {
        QPalette p = g->palette();
        p.setColor(QPalette::WindowText, kMarrone);
        g->setPalette(p);
        QFont f = g->font();
        f.setBold(true);
        g->setFont(f);
    }
    auto* lm = new QVBoxLayout(monomi);
    auto* lp = new QVBoxLayout(polinomi);
    const QSettings impostazioni = Impostazioni();
    const QStringList scelti = impostazioni.value(kArgomenti).toStringList();
    for (const TArgomentoScheda& a : ArgomentiScheda()) {
        auto* cb = new QCheckBox(QString::fromStdString(a.descrizione), this);
        cb->setObjectName(QString::fromStdString(a.nome));
        cb->setChecked(scelti.contains(cb->objectName()));
        // The group's title is dark red and bold; its entries are not.
        QPalette pc = cb->palette();
        pc.setColor(QPalette::WindowText, Qt::black);
        cb->setPalette(pc);
        QFont fc = cb->font();
        fc.setBold(false);
        cb->setFont(fc);
        (DeiPolinomi(a.nome) ? lp : lm)->addWidget(cb);
        connect(cb, &QCheckBox::toggled, this, [this] { AggiornaScrivi(); });
        Argomenti.push_back(cb);
    }
    lm->addStretch();
    lp->addStretch();
    auto* colonne = new QHBoxLayout;
    colonne->addWidget(monomi);
    colonne->addWidget(polinomi);

    spQuanti = new QSpinBox(this);
    spQuanti->setRange(1, 50);
    spQuanti->setValue(std::clamp(impostazioni.value(kQuanti, 5).toInt(), 1, 50));
    auto* etQuanti = new QLabel(QStringLiteral("&Esercizi per argomento:"), this);
    etQuanti->setBuddy(spQuanti);
    cbSoluzioni = new QCheckBox(QStringLiteral("Con le &soluzioni"), this);
    cbSoluzioni->setChecked(impostazioni.value(kSoluzioni, true).toBool());
    edSeme = new QLineEdit(this);
    edSeme->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), edSeme));
    edSeme->setPlaceholderText(QStringLiteral("vuoto: esercizi nuovi"));
    edSeme->setAccessibleName(QStringLiteral("Seme"));
    edSeme->setToolTip(QStringLiteral("Il seme di una scheda già scritta la scrive di nuovo uguale"));
    edSeme->setFixedWidth(260);
    auto* etSeme = new QLabel(QStringLiteral("S&eme:"), this);
    etSeme->setBuddy(edSeme);
    auto* opzioni = new QHBoxLayout;
    opzioni->addWidget(etQuanti);
    opzioni->addWidget(spQuanti);
    opzioni->addSpacing(24);
    opzioni->addWidget(cbSoluzioni);
    opzioni->addStretch();
    auto* rigaSeme = new QHBoxLayout;
    rigaSeme->addWidget(etSeme);
    rigaSeme->addWidget(edSeme);
    rigaSeme->addStretch();

    lbEsito = new QLabel(this);
    lbEsito->setObjectName(QStringLiteral("lbEsito"));
    lbEsito->setWordWrap(true);
    lbEsito->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Where the sheets go is said before one is written.
    lbEsito->setText(QStringLiteral("Le schede vanno nella cartella %1\nIl seme di una scheda, scritto nel campo "
                                    "«Seme», la scrive di nuovo uguale.")
                         .arg(QDir::toNativeSeparators(CartellaDocumenti())));

    btScrivi = Capsula(QStringLiteral("Scrivi e apri"), this);
    btAnnulla = Capsula(QStringLiteral("Chiudi"), this);
    connect(btScrivi, &QAbstractButton::clicked, this, [this] { Scrivi(); });
    connect(btAnnulla, &QAbstractButton::clicked, this, &QDialog::reject);
    // The painted buttons are no QPushButton: Enter writes, as a default button would.
    for (const QKeySequence& k : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(k, this), &QShortcut::activated, btScrivi, [this] {
            if (btScrivi->isEnabled())
                btScrivi->click();
        });
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(btScrivi);
    bottoni->addSpacing(12);
    bottoni->addWidget(btAnnulla);

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(spiega);
    tutto->addLayout(colonne);
    tutto->addLayout(opzioni);
    tutto->addLayout(rigaSeme);
    tutto->addWidget(lbEsito);
    tutto->addLayout(bottoni);
    StileDialogo(this); // the program's colours and group titles
    AggiornaScrivi();
}

void TdlgEserciziStampa::AggiornaScrivi()
{
    bool almenoUno = false;
    for (const QCheckBox* cb : Argomenti)
        almenoUno = almenoUno || cb->isChecked();
    btScrivi->setEnabled(almenoUno);
}

std::optional<TRichiestaScheda> TdlgEserciziStampa::Richiesta() const
{
    TRichiestaScheda r;
    for (const QCheckBox* cb : Argomenti)
        if (cb->isChecked())
            r.argomenti.push_back(cb->objectName().toStdString());
    r.quanti = spQuanti->value();
    r.soluzioni = cbSoluzioni->isChecked();
    const QString seme = edSeme->text().trimmed();
    if (seme.isEmpty()) {
        r.seme = SemeNuovo();
        return r;
    }
    bool ok = false;
    const qulonglong v = seme.toULongLong(&ok);
    if (!ok || v > 4294967295ULL)
        return std::nullopt;
    r.seme = static_cast<std::uint32_t>(v);
    return r;
}

void TdlgEserciziStampa::Ricorda() const
{
    QStringList scelti;
    for (const QCheckBox* cb : Argomenti)
        if (cb->isChecked())
            scelti << cb->objectName();
    QSettings impostazioni = Impostazioni();
    impostazioni.setValue(kArgomenti, scelti);
    impostazioni.setValue(kQuanti, spQuanti->value());
    impostazioni.setValue(kSoluzioni, cbSoluzioni->isChecked());
}

QString TdlgEserciziStampa::Scrivi()
{
    const std::optional<TRichiestaScheda> r = Richiesta();
    if (!r) {
        MostraMessaggio(windowTitle(), QStringLiteral("Il seme è un numero intero da 0 a 4294967295."), true);
        return {};
    }
    if (r->argomenti.empty()) {
        MostraMessaggio(windowTitle(), QStringLiteral("Scegli almeno un argomento."), true);
        return {};
    }
    const QString cartella = CartellaDocumenti();
    if (!PreparaCartella(cartella)) {
        MostraMessaggio(windowTitle(), QStringLiteral("Impossibile creare la cartella ") + cartella, true);
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TEsitoScheda esito = ScriviSchedaNuova(cartella, *r);
    QApplication::restoreOverrideCursor();
    if (!esito.riuscito) {
        MostraMessaggio(windowTitle(), esito.errore, true);
        return {};
    }
    const QString file = esito.file;
    Ricorda();
    const QString seme = QString::number(r->seme);
    lbEsito->setText(QStringLiteral("La scheda è in %1\nSeme %2: scritto nel campo «Seme», stampa di nuovo la "
                                    "stessa scheda.")
                         .arg(QDir::toNativeSeparators(file), seme));
    edSeme->clear();
    edSeme->setPlaceholderText(QStringLiteral("vuoto: esercizi nuovi (l'ultimo: %1)").arg(seme));
    ApriConIlVisore(windowTitle(), file);
    return file;
}

} // namespace mevario
