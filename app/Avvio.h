// Start-up: the main window first; every other window of the program is
// created at its first use, as a window of the main window, and kept as the
// one instance of its class for the rest of the run.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

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
#include "Registro.h"

namespace mevario {

class TdlgChiSei;

class TFinestre {
public:
    TFinestre();
    ~TFinestre();
    TFinestre(const TFinestre&) = delete;
    TFinestre& operator=(const TFinestre&) = delete;

    TfrmMain* frmMain() const { return FMain.get(); }
    // The common window whose keypad and help panel the topic windows
    // borrow: created with the first topic window.
    Tfrmcomune* frmcomune();
    // The one blackboard, created when "Lavagna" is first pressed.
    TfrmLavagna* frmLavagna();
    // Null until "Lavagna" has been pressed once.
    TfrmLavagna* LavagnaSeCreata() const { return FLavagna.get(); }

    // A topic window by its class name ("TfrmSommaMon"), created at first
    // use; null for a name that is no topic.
    TFinestraEsercizi* Argomento(const std::string& classe);
    // The topic window if it has been created, else null.
    TFinestraEsercizi* ArgomentoSeCreato(const std::string& classe) const;

    TfrmConcetto* frmConcetto() { return Di<TfrmConcetto>("TfrmConcetto"); }
    TfrmSommaMon* frmSommaMon() { return Di<TfrmSommaMon>("TfrmSommaMon"); }
    TfrmProdottoMon* frmProdottoMon() { return Di<TfrmProdottoMon>("TfrmProdottoMon"); }
    TfrmPotenzaMon* frmPotenzaMon() { return Di<TfrmPotenzaMon>("TfrmPotenzaMon"); }
    TfrmQuozienteMon* frmQuozienteMon() { return Di<TfrmQuozienteMon>("TfrmQuozienteMon"); }
    TfrmMcdMon* frmMcdMon() { return Di<TfrmMcdMon>("TfrmMcdMon"); }
    TfrmMcmMon* frmMcmMon() { return Di<TfrmMcmMon>("TfrmMcmMon"); }
    TfrmPolConcetto* frmPolConcetto() { return Di<TfrmPolConcetto>("TfrmPolConcetto"); }
    TfrmSommaPol* frmSommaPol() { return Di<TfrmSommaPol>("TfrmSommaPol"); }
    TfrmDiffPol* frmDiffPol() { return Di<TfrmDiffPol>("TfrmDiffPol"); }
    TfrmProdottoPol* frmProdottoPol() { return Di<TfrmProdottoPol>("TfrmProdottoPol"); }
    TfrmDivisionePol* frmDivisionePol() { return Di<TfrmDivisionePol>("TfrmDivisionePol"); }

    // The pupil's record of the run: a guest record until one is set. The
    // exercise windows write every judged answer to it.
    TRegistro* Registro() const { return FRegistro.get(); }
    void ImpostaRegistro(std::unique_ptr<TRegistro> registro);
    // "Chi sei?", created at first use, as a window of the main window.
    TdlgChiSei* dlgChiSei();
    // Asks who is at the computer and names the pupil of the run (the
    // main window shows the name). At start-up a closed window means a
    // guest; when the pupil changes it means no change. Nothing is asked of
    // a guest record.
    void ChiediAlunno(bool avvio);
    // Starts as the pupil of this name (--alunno): made when missing, with
    // no class; a PIN, when set, is asked.
    void AvviaComeAlunno(const QString& nome);
    // Names the pupil of the run (nothing: a guest).
    void ImpostaAlunno(const std::optional<TAlunno>& alunno);
    // "Cambia alunno": the topic windows close (their answers are already
    // in the record) and "Chi sei?" asks again.
    void CambiaAlunno();
    // The record failed in the middle of the run (its message has been
    // shown): the main window shows a guest from now on.
    void RegistroGuasto();

private:
    // The pupil of the run on the main window, with what the record offers them.
    void MostraAlunno();
    template <class T>
    T* Di(const char* classe)
    {
        return static_cast<T*>(Argomento(classe));
    }
    template <class T>
    void Registra(const char* classe);

    struct TArgomento {
        std::function<std::unique_ptr<TFinestraEsercizi>()> crea;
        std::unique_ptr<TFinestraEsercizi> finestra;
    };
    std::unique_ptr<TfrmMain> FMain;
    std::unique_ptr<Tfrmcomune> FComune;
    std::unique_ptr<TfrmLavagna> FLavagna;
    std::map<std::string, TArgomento> FArgomenti;
    std::unique_ptr<TRegistro> FRegistro;
    TdlgChiSei* FChiSei = nullptr;
};

// The program's record (--db, else MEVARIO_DB, else the user's data
// folder), opened at start-up; when it cannot be used the reason is shown
// once in a message box and a guest record comes back. Later faults are
// shown the same way, once. A record that does not exist yet is made with
// its first pupil: a guest leaves no file.
// `avviso` says the faults (by default AvvisoRegistro).
std::unique_ptr<TRegistro> ApriRegistroProgramma(const QString& db, TRegistro::TAvviso avviso = {});
// A fault of the record, in a warning box titled "Registro degli alunni".
void AvvisoRegistro(const QString& messaggio);
// A school's server stopped answering (with the pupil's message) or answers
// again: the message shows without blocking the lesson (a box named
// "avvisoServer") and closes itself when the server is back.
void StatoServerScuola(bool raggiungibile, const QString& messaggio);

// Records the program folder, registers the fonts, sets the light palette
// and the Italian texts and numbers (Qt's own texts, the decimal comma),
// seeds the random source, connects the documents' messages and notice, and
// creates the main window with its menus (the other windows come at first
// use).
std::unique_ptr<TFinestre> Avvia();

} // namespace mevario
