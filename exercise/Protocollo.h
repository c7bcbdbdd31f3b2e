// TFinestraEsercizi: the exercise protocol every topic window follows,
// written once. A topic window adds only its texts and worked examples,
// NuovoEsercizio and Verifica.
//
// Two pages, "Concetto" and "Esercizi" (ModoEsercizi); on the exercise page
// an exercise is drawn in PBEsercizi, the typed answer is drawn live in
// PBRisp, "Procedi" checks it, the counters lblEsatte and lblErrori go up,
// pnlRisp flashes green or red, and after a right answer "Procedi" becomes
// "Nuovo". Closing the window adds its counters to the results record.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QStackedWidget>
#include <QWidget>

#include <string>

#include "FormulaBox.h"
#include "RAHtControls.h"
#include "UDsFancyButton.h"
#include "ucomune.h"

namespace mevario {

class TFinestraEsercizi : public QWidget {
    Q_OBJECT
public:
    // `argomento` is the topic name of the title ("Somma di monomi");
    // `giuste` and `sbagliate` the tallies of the results record it feeds.
    TFinestraEsercizi(const QString& argomento, const char* giuste, const char* sbagliate);
    ~TFinestraEsercizi() override;

    bool ModoEsercizi = false;
    std::string TestoEsercizio;

    // Sets the page flag and shows the window, modal over the main window.
    void Apri(bool esercizi);

    void PreparaPagina();
    void btnNuovoClick();
    void btEseApprClick();
    void EditRispKeyUp();
    void btnChiudiClick();
    void DsFancyButton1Click();

    int Esatte() const;
    int Errori() const;
    // True while the counters panel flashes after a check.
    bool InVerifica() const { return FInVerifica; }
    const char* TallyGiuste() const { return FGiuste; }
    const char* TallySbagliate() const { return FSbagliate; }

    QLabel* Label2;
    QLabel* lblTitolo;
    TDsFancyButton* btnChiudi;
    TDsFancyButton* btnStampa;
    TDsFancyButton* btEseAppr;
    TDsFancyButton* btnNuovo;
    QStackedWidget* Notebook1;
    QWidget* PaginaConcetto;
    QWidget* PaginaEsercizi;
    QLabel* lb;
    QFrame* pnlEsercizi;
    TFormulaBox* PBEsercizi;
    QLabel* lbDomanda;
    QFrame* pnlEdit;
    TEditRisp* EditRisp;
    TFormulaBox* PBRisp;
    TDsFancyButton* DsFancyButton1;
    TDsFancyButton* btnLavagna;
    QFrame* pnlRisp;
    QLabel* lblEsatte;
    QLabel* lblErrori;

    // Colours of the topic windows.
    static QColor ColoreSfondo() { return QColor(255, 230, 204); }
    static QColor ColorePannelli() { return QColor(255, 201, 147); }

protected:
    // Draws a new exercise: sets lbDomanda and TestoEsercizio and keeps
    // what Verifica needs.
    virtual void NuovoEsercizio() = 0;
    // True when the typed answer (program code page) is right. May raise
    // the algebra core's errors: the click is then abandoned.
    virtual bool Verifica(const std::string& risposta) = 0;

    // Pieces of a concept page.
    TRAhtLabel* TestoConcetto(const QString& caption, int x, int y);
    // A worked example in a panel of the formula colour.
    TFormulaBox* Esempio(const std::string& formula, const QRect& pannello, bool angoliArrotondati);

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void FormClose();
    void Conta(QLabel* contatore);
    void AggiornaAccessibili();

    const char* FGiuste;
    const char* FSbagliate;
    bool FInVerifica = false;
    unsigned FNumeroEsercizio = 0;
};

// Converts the text of a field to the program's code page.
std::string TestoCampo(const QString& t);

} // namespace mevario
