// TfrmMain: the main window. Topic buttons pop up their menus, whose
// entries open a topic window on its "Concetto" or "Esercizi" page.
#pragma once

#include <QLabel>
#include <QWidget>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "MenuArgomento.h"
#include "Registro.h"
#include "UDsFancyButton.h"

namespace mevario {

class TFinestraEsercizi;
class TdlgEserciziStampa;
class TfrmProgressi;
class TRipassoGuidato;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    TfrmMain();

    // How to get the topic window of a class name ("TfrmSommaMon"): the
    // window is created at the first entry that opens it. A topic without
    // one has its entries disabled.
    void RegistraArgomento(const char* classe, std::function<TFinestraEsercizi*()> finestra);
    void CreaMenu();
    // "Scheda": the results sheet with the answers of every topic so far.
    void btSchedaClick();
    // "Registro di classe": the overview of the pupil's class as a
    // spreadsheet in the documents folder, opened. Enabled for a pupil
    // with a class (MostraAlunno).
    void btRegistroClasseClick();
    // "Esercizi da stampare": the dialog that writes a sheet of exercises.
    void btEserciziStampaClick();
    // The dialog of the exercises to print, created at its first use.
    TdlgEserciziStampa* dlgEserciziStampa();
    // "Esci": every window closes (each as its own "Esci" would close it)
    // and the program ends.
    void btEsciClick();

    // The pupil of the run in the title ("Mevario — Anna (2B)") and beside
    // it on the window; a guest: "Mevario", and "Ospite".
    void MostraAlunno(const std::optional<TAlunno>& alunno);
    // What "Cambia alunno" does (the record lives with the windows); the
    // button shows only once it is set.
    void ImpostaCambiaAlunno(std::function<void()> cambia);
    // The pupil's record and the pupil of the run (nothing: a guest), set
    // at start-up and again when the pupil changes; the record outlives the
    // window. Shows "I miei progressi" and "Ripasso (N)".
    void ImpostaRegistro(TRegistro* registro, std::optional<TAlunno> alunno);
    // "I miei progressi": the pupil's figures, in a window created at first use.
    void btProgressiClick();
    TfrmProgressi* frmProgressi();
    // "Ripasso (N)": the due items' exercise pages one after another.
    void btRipassoClick();
    // Sets "Ripasso (N)" from the record: N items due today; disabled when
    // there is nothing to review (or for a guest).
    void AggiornaRipasso();
    TRipassoGuidato* Ripasso() const { return FRipasso; }

    // Sets the page flag of a topic window and shows it.
    void Apri(TFinestraEsercizi* f, bool esercizi);
    // Pops a topic menu up at its button: below it, 30 pixels to the right,
    // or above it when there is no room below.
    void ApriMenu(TDsFancyButton* bottone, TMenuArgomento* menu);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label5;
    TDsFancyButton* btDefMon;
    TDsFancyButton* btSomma;
    TDsFancyButton* btProdottoMon;
    TDsFancyButton* btQuoziente;
    TDsFancyButton* DsFancyButton1;
    TDsFancyButton* btDefPol;
    TDsFancyButton* btSommaEDIffPol;
    TDsFancyButton* btProdottoPol;
    TDsFancyButton* btDaf;
    TDsFancyButton* btProgressi;
    TDsFancyButton* btRipasso;
    TDsFancyButton* btScheda;
    TDsFancyButton* btRegistroClasse;
    TDsFancyButton* btEserciziStampa;
    TDsFancyButton* btEsci;
    // The pupil's row: who is working, and "Cambia alunno".
    QLabel* lblAlunno;
    TDsFancyButton* btCambiaAlunno;
    TMenuArgomento* pmDefinizione = nullptr;
    TMenuArgomento* pmSomma = nullptr;
    TMenuArgomento* pmProdotto = nullptr;
    TMenuArgomento* pmQuoziente = nullptr;
    TMenuArgomento* pmmcd = nullptr;
    TMenuArgomento* pmDefPol = nullptr;
    TMenuArgomento* pmSommaEDiffPol = nullptr;
    TMenuArgomento* pmProdottoPol = nullptr;
    TMenuArgomento* pmDivisione = nullptr;

    // How many times the random source was seeded by an activation.
    int Riseminati() const { return FRiseminati; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    TMenuArgomento* Menu(const std::vector<std::pair<QString, const char*>>& voci);
    std::map<std::string, std::function<TFinestraEsercizi*()>> FArgomenti;
    TdlgEserciziStampa* FdlgEserciziStampa = nullptr;
    std::function<void()> FCambiaAlunno;
    TRegistro* FRegistro = nullptr;
    std::optional<TAlunno> FAlunno;
    TfrmProgressi* FfrmProgressi = nullptr;
    TRipassoGuidato* FRipasso = nullptr;
    int FRiseminati = 0;
    bool FInviatoAllUscita = false;
};

} // namespace mevario
