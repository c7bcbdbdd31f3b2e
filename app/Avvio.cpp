#include "Avvio.h"

#include <QLocale>

#include "ExprAtoms.h"
#include "QtCanvas.h"
#include "funzioni.h"

namespace mevario {

TFinestre::~TFinestre()
{
    // Topic windows first: they hand the borrowed panels back.
    frmSommaMon.reset();
    frmcomune.reset();
    frmMain.reset();
}

std::unique_ptr<TFinestre> Avvia()
{
    RegistraCartellaProgramma();
    RegistraFontMevario();
    const QString punto = QLocale::system().decimalPoint();
    SetDecimalSeparator(punto.size() == 1 && punto[0].unicode() < 128 ? static_cast<char>(punto[0].unicode()) : '.');
    Randomize();

    auto f = std::make_unique<TFinestre>();
    f->frmMain = std::make_unique<TfrmMain>();       // 1
    f->frmcomune = std::make_unique<Tfrmcomune>();   // 3
    f->frmSommaMon = std::make_unique<TfrmSommaMon>(); // 4
    f->frmMain->RegistraArgomento("TfrmSommaMon", f->frmSommaMon.get());
    f->frmMain->CreaMenu();
    return f;
}

} // namespace mevario
