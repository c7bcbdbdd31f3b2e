// Start-up: every window of the program created once, in a fixed order,
// for the whole run; the main window first.
#pragma once

#include <memory>

#include "DivisionePol.h"
#include "McdMcmMon.h"
#include "PotenzaMon.h"
#include "ProdPol.h"
#include "ProdottoMon.h"
#include "QuozienteMon.h"
#include "SommaDiffPol.h"
#include "SommaMon.h"
#include "pol_concetto.h"
#include "concetto.h"
#include "lavagna.h"
#include "main.h"
#include "ucomune.h"

namespace mevario {

struct TFinestre {
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<Tfrmcomune> frmcomune;
    std::unique_ptr<TfrmLavagna> frmLavagna;
    std::unique_ptr<TfrmConcetto> frmConcetto;
    std::unique_ptr<TfrmSommaMon> frmSommaMon;
    std::unique_ptr<TfrmProdottoMon> frmProdottoMon;
    std::unique_ptr<TfrmPotenzaMon> frmPotenzaMon;
    std::unique_ptr<TfrmQuozienteMon> frmQuozienteMon;
    std::unique_ptr<TfrmMcdMon> frmMcdMon;
    std::unique_ptr<TfrmMcmMon> frmMcmMon;
    std::unique_ptr<TfrmPolConcetto> frmPolConcetto;
    std::unique_ptr<TfrmSommaPol> frmSommaPol;
    std::unique_ptr<TfrmDiffPol> frmDiffPol;
    std::unique_ptr<TfrmProdottoPol> frmProdottoPol;
    std::unique_ptr<TfrmDivisionePol> frmDivisionePol;
    ~TFinestre();
};

// Records the program folder, registers the fonts, sets the decimal
// separator of numbers from the locale, seeds the random source and creates
// the windows (topics that are not built yet have their menu entries disabled).
std::unique_ptr<TFinestre> Avvia();

} // namespace mevario
