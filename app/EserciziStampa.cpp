#include "EserciziStampa.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "Errori.h"
#include "Finestra.h"

namespace mevario {

namespace {

TdlgEserciziStampa::TApri& Apertura()
{
    static TdlgEserciziStampa::TApri a;
    return a;
}

bool ApriConIlVisore(const QString& file)
{
    if (Apertura())
        return Apertura()(file);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
}

bool DeiPolinomi(const std::string& nome)
{
    return nome.find("polinomi") != std::string::npos || nome.find("polinomio") != std::string::npos;
}

} // namespace

void TdlgEserciziStampa::ImpostaApertura(TApri apri) { Apertura() = std::move(apri); }

QString NomeSchedaNuova(const QString& cartella)
{
    const QString base = QStringLiteral("Mevario esercizi ") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh.mm.ss"));
    QString nome = QDir(cartella).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(nome); ++n)
        nome = QDir(cartella).filePath(base + QStringLiteral(" (%1).pdf").arg(n));
    return nome;
}

TdlgEserciziStampa::TdlgEserciziStampa(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgEserciziStampa"));
    setWindowTitle(QStringLiteral("Esercizi da stampare"));
    setModal(true);

    auto* spiega = new QLabel(QStringLiteral("Scegli gli argomenti: Mevario scrive una scheda di esercizi nuovi "
                                             "da stampare, con le soluzioni in fondo se le vuoi."),
                              this);
    spiega->setWordWrap(true);

    auto* monomi = new QGroupBox(QStringLiteral("Monomi"), this);
    auto* polinomi = new QGroupBox(QStringLiteral("Polinomi"), this);
    auto* lm = new QVBoxLayout(monomi);
    auto* lp = new QVBoxLayout(polinomi);
    for (const TArgomentoScheda& a : ArgomentiScheda()) {
        auto* cb = new QCheckBox(QString::fromStdString(a.descrizione), this);
        cb->setObjectName(QString::fromStdString(a.nome));
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
    spQuanti->setValue(5);
    auto* etQuanti = new QLabel(QStringLiteral("&Esercizi per argomento:"), this);
    etQuanti->setBuddy(spQuanti);
    cbSoluzioni = new QCheckBox(QStringLiteral("Con le &soluzioni"), this);
    cbSoluzioni->setChecked(true);
    auto* opzioni = new QHBoxLayout;
    opzioni->addWidget(etQuanti);
    opzioni->addWidget(spQuanti);
    opzioni->addSpacing(24);
    opzioni->addWidget(cbSoluzioni);
    opzioni->addStretch();

    btScrivi = new QPushButton(QStringLiteral("Scrivi e &apri"), this);
    btScrivi->setDefault(true);
    btAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    connect(btScrivi, &QPushButton::clicked, this, [this] {
        if (!Scrivi().isEmpty())
            accept();
    });
    connect(btAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch();
    bottoni->addWidget(btScrivi);
    bottoni->addWidget(btAnnulla);

    auto* tutto = new QVBoxLayout(this);
    tutto->addWidget(spiega);
    tutto->addLayout(colonne);
    tutto->addLayout(opzioni);
    tutto->addLayout(bottoni);
    StileDialogo(this); // the program's colours, capsule buttons
    AggiornaScrivi();
}

void TdlgEserciziStampa::AggiornaScrivi()
{
    bool almenoUno = false;
    for (const QCheckBox* cb : Argomenti)
        almenoUno = almenoUno || cb->isChecked();
    btScrivi->setEnabled(almenoUno);
}

TRichiestaScheda TdlgEserciziStampa::Richiesta() const
{
    TRichiestaScheda r;
    for (const QCheckBox* cb : Argomenti)
        if (cb->isChecked())
            r.argomenti.push_back(cb->objectName().toStdString());
    r.quanti = spQuanti->value();
    r.soluzioni = cbSoluzioni->isChecked();
    r.seme = SemeNuovo();
    return r;
}

QString TdlgEserciziStampa::Scrivi()
{
    const TRichiestaScheda r = Richiesta();
    if (r.argomenti.empty()) {
        MostraMessaggio(windowTitle(), QStringLiteral("Scegli almeno un argomento."), true);
        return {};
    }
    QString cartella = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (cartella.isEmpty())
        cartella = QDir::homePath();
    if (!QDir().mkpath(cartella)) {
        MostraMessaggio(windowTitle(), QStringLiteral("Impossibile creare la cartella ") + cartella, true);
        return {};
    }
    const QString file = NomeSchedaNuova(cartella);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TEsitoScheda esito = ScriviSchedaEsercizi(file, r);
    QApplication::restoreOverrideCursor();
    if (!esito.riuscito) {
        MostraMessaggio(windowTitle(), esito.errore, true);
        return {};
    }
    if (!ApriConIlVisore(file))
        MostraMessaggio(windowTitle(),
                        QStringLiteral("Non è stato possibile aprire la scheda con un visore di PDF. "
                                       "La scheda è stata salvata in ") +
                            file,
                        false);
    return file;
}

} // namespace mevario
