#include "Avvio.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QSvgRenderer>

#include "Errori.h"
#include "Italiano.h"
#include "ExprAtoms.h"
#include "QuibWord.h"
#include "QtCanvas.h"
#include "funzioni.h"

namespace mevario {

TFinestre::~TFinestre()
{
    // Topic windows first: they hand the borrowed panels back.
    frmConcetto.reset();
    frmSommaMon.reset();
    frmProdottoMon.reset();
    frmPotenzaMon.reset();
    frmQuozienteMon.reset();
    frmMcdMon.reset();
    frmMcmMon.reset();
    frmPolConcetto.reset();
    frmSommaPol.reset();
    frmDiffPol.reset();
    frmProdottoPol.reset();
    frmDivisionePol.reset();
    frmcomune.reset();
    TFinestraEsercizi::ImpostaLavagna({});
    frmLavagna.reset();
    frmMain.reset();
}

std::unique_ptr<TFinestre> Avvia()
{
    RegistraCartellaProgramma();
    RegistraFontMevario();
    ImpostaItaliano();
    Randomize();
    // The documents' messages in the program's message boxes.
    TQuibWord::ImpostaMessaggi([](TQuibWord::TTipoMessaggio t, const QString& m) {
        MostraMessaggio(TQuibWord::Titolo(t), m, t != TQuibWord::TTipoMessaggio::Informazione);
    });

    // The program's icon, on every window.
    {
        QSvgRenderer disegno(QStringLiteral(":/icons/it.mevario.Mevario.svg"));
        QIcon icona;
        for (int lato : {16, 32, 48, 64, 128, 256}) {
            QPixmap px(lato, lato);
            px.fill(Qt::transparent);
            QPainter p(&px);
            disegno.render(&p);
            icona.addPixmap(px);
        }
        QApplication::setWindowIcon(icona);
    }

    auto f = std::make_unique<TFinestre>();
    f->frmMain = std::make_unique<TfrmMain>();       // 1
    f->frmcomune = std::make_unique<Tfrmcomune>();   // 3
    f->frmLavagna = std::make_unique<TfrmLavagna>();
    // "Lavagna" on every exercise page shows the one board, beside the exercise.
    TfrmLavagna* lavagna = f->frmLavagna.get();
    TFinestraEsercizi::ImpostaLavagna([lavagna] {
        lavagna->show();
        lavagna->raise();
        lavagna->activateWindow();
    });
    f->frmConcetto = std::make_unique<TfrmConcetto>();
    f->frmSommaMon = std::make_unique<TfrmSommaMon>();
    f->frmProdottoMon = std::make_unique<TfrmProdottoMon>();
    f->frmPotenzaMon = std::make_unique<TfrmPotenzaMon>();
    f->frmQuozienteMon = std::make_unique<TfrmQuozienteMon>();
    f->frmMcdMon = std::make_unique<TfrmMcdMon>();
    f->frmMcmMon = std::make_unique<TfrmMcmMon>();
    f->frmPolConcetto = std::make_unique<TfrmPolConcetto>();
    f->frmSommaPol = std::make_unique<TfrmSommaPol>();
    f->frmDiffPol = std::make_unique<TfrmDiffPol>();
    f->frmProdottoPol = std::make_unique<TfrmProdottoPol>();
    f->frmDivisionePol = std::make_unique<TfrmDivisionePol>();
    f->frmMain->RegistraArgomento("TfrmConcetto", f->frmConcetto.get());
    f->frmMain->RegistraArgomento("TfrmSommaMon", f->frmSommaMon.get());
    f->frmMain->RegistraArgomento("TfrmProdottoMon", f->frmProdottoMon.get());
    f->frmMain->RegistraArgomento("TfrmPotenzaMon", f->frmPotenzaMon.get());
    f->frmMain->RegistraArgomento("TfrmQuozienteMon", f->frmQuozienteMon.get());
    f->frmMain->RegistraArgomento("TfrmMcdMon", f->frmMcdMon.get());
    f->frmMain->RegistraArgomento("TfrmMcmMon", f->frmMcmMon.get());
    f->frmMain->RegistraArgomento("TfrmPolConcetto", f->frmPolConcetto.get());
    f->frmMain->RegistraArgomento("TfrmSommaPol", f->frmSommaPol.get());
    f->frmMain->RegistraArgomento("TfrmDiffPol", f->frmDiffPol.get());
    f->frmMain->RegistraArgomento("TfrmProdottoPol", f->frmProdottoPol.get());
    f->frmMain->RegistraArgomento("TfrmDivisionePol", f->frmDivisionePol.get());
    f->frmMain->CreaMenu();
    return f;
}

} // namespace mevario
