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

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QWidget>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Esercizio.h"
#include "FormulaBox.h"
#include "Giudizio.h"
#include "Lezione.h"
#include "Lettura.h"
#include "Passaggi.h"
#include "RAHtControls.h"
#include "SchedaPol.h"
#include "UDsFancyButton.h"
#include "ucomune.h"

namespace mevario {

class TRegistro;

class TFinestraEsercizi : public QWidget {
    Q_OBJECT
public:
    // `argomento` is the topic name of the title ("Somma di monomi");
    // `giuste` and `sbagliate` the tallies of the results record it feeds;
    // `esercizio` the topic's exercises (owned by the window, outlives it).
    TFinestraEsercizi(const QString& argomento, const char* giuste, const char* sbagliate,
                      TEsercizio* esercizio = nullptr);
    ~TFinestraEsercizi() override;

    bool ModoEsercizi = false;
    std::string TestoEsercizio;

    // Sets the page flag and shows the window, centred over the window it
    // belongs to (its parent, the main window) and modal towards it.
    void Apri(bool esercizi);

    virtual void PreparaPagina();
    virtual void btnNuovoClick();
    void btEseApprClick();
    virtual void EditRispKeyUp();
    void btnChiudiClick();
    void btnStampaClick();
    // "Soluzione" (shown after a wrong answer): the worked solution in a
    // panel over the answer area; the exercise ends without counting.
    void btnSoluzioneClick();
    void DsFancyButton1Click();

    // What "Lavagna" opens (the blackboard lives in the application layer),
    // told which window asks; set before the topic windows are created,
    // their button is enabled then.
    static void ImpostaLavagna(std::function<void(QWidget*)> apri);

    // The pupil's record every judged answer goes to (set at start-up and
    // when the pupil changes; null or a guest record: nothing is kept). It
    // outlives the windows or is set back to null first.
    static void ImpostaRegistro(TRegistro* registro);
    static TRegistro* Registro();

    // The kind of mistake this visit reviews, kept with every answer, and
    // the sentence shown above the exercise ("Ripasso: nel prodotto gli
    // esponenti si sommano"); empty: no review, nothing shown. Closing the
    // window ends the review.
    void ImpostaRipasso(const QString& tipo, const QString& frase);
    const QString& Ripassa() const { return FLezione.Ripassa(); }
    QLabel* lblRipasso;

    // The catalogue's name of the topic ("somma-monomi"), as the record
    // names it.
    QString NomeCatalogo() const;

    // The topic's exercises (null for a window that draws its own).
    const TEsercizio* Argomento() const { return FEsercizio; }

    // The counts of this visit, as the lesson keeps them.
    int Esatte() const { return FLezione.Esatte(); }
    int Errori() const { return FLezione.Errori(); }
    // The lesson the window shows: it draws, judges, records and counts.
    const TLezione& Lezione() const { return FLezione; }
    TLezione& Lezione() { return FLezione; }
    // The topic's name ("Somma di monomi"): the window sheet is named after it.
    const QString& NomeArgomento() const { return FArgomento; }

    // The results so far: the record's tallies plus what every exercise
    // window has counted in its visit under way (an open window, such as the
    // division beside the main window). The visit's counters reach the
    // record itself only when the window closes.
    static TSchedaPol RisultatiFinora();
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
    TDsFancyButton* btnSoluzione;
    // The worked solution's panel and its formula boxes (null until shown).
    QFrame* pnlSoluzione = nullptr;
    std::vector<TFormulaBox*> RigheSoluzione;
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
    // Why the typed answer cannot be read, under the preview (null until needed).
    QLabel* lblLettura = nullptr;
    // The yes/no panel of the definition quizzes (null in other windows).
    QFrame* pnlSiNo = nullptr;
    QRadioButton* rbSi = nullptr;
    QRadioButton* rbNo = nullptr;
    // "Passaggi": the working written line by line in the answer area
    // (null in windows that do not offer it), and its lines.
    QCheckBox* cbPassaggi = nullptr;
    TPassaggi* pnlPassaggi = nullptr;
    bool PassaggiAttivi() const { return cbPassaggi && cbPassaggi->isChecked(); }

    // The answer as Verifica receives it: "Si"/"No" from the radio buttons
    // on a yes/no question (empty when neither is checked), else the field.
    std::string RispostaDelPupillo() const;

    // Colours of the topic windows.
    static QColor ColoreSfondo() { return QColor(255, 230, 204); }
    static QColor ColorePannelli() { return QColor(255, 201, 147); }

    // Draws a new exercise: sets lbDomanda and TestoEsercizio and keeps
    // what Verifica needs. By default the topic object draws it.
    virtual void NuovoEsercizio();
    // True when the answer (program code page) is right. May raise the
    // algebra core's errors: the click is then abandoned. By default the
    // topic object judges it.
    virtual bool Verifica(const std::string& risposta);

signals:
    // An answer was judged and counted (after its flash).
    void Giudicata(bool giusta);

protected:
    // What the record keeps of the exercise on screen: its formula text as
    // shown (a quiz: the question before it), and of the pupil's answer:
    // the text as typed ("Sì"/"No" for a choice). A window that draws its
    // own exercise says it itself.
    virtual QString EsercizioDaRegistrare() const;
    virtual QString RispostaDaRegistrare() const;
    // A new exercise is on screen: the time to its answer starts now.
    void EsercizioMostrato();

    // The definition quizzes: the yes/no panel at (x, y) beside pnlEdit,
    // shown instead of pnlEdit on yes/no questions, and no live drawing of
    // the typed answer.
    void CreaSiNo(int x, int y);
    // Offers the working line by line ("Passaggi", off at first) when the
    // table of topics says this topic does: line 0 is the topic object's
    // TestoPassaggi; the topic's name says when a line is the end.
    void OffriPassaggi();

    // Pieces of a concept page.
    TRAhtLabel* TestoConcetto(const QString& caption, int x, int y);
    // A worked example in a panel of the formula colour.
    TFormulaBox* Esempio(const std::string& formula, const QRect& pannello, bool angoliArrotondati);
    // A panel of the formula colour on the concept page, for examples of
    // more than one box.
    QFrame* PannelloEsempio(const QRect& pannello, bool angoliArrotondati);
    // A formula box at g inside parent, of the parent's colour.
    TFormulaBox* Formula(QWidget* parent, const std::string& formula, const QRect& g, const QColor& colore);

    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormShow();
    void FormClose();
    // The lesson's counts on the counters.
    void MostraConteggi();
    // btnNuovoClick's parts: the working's last line into the field (false:
    // it is nearly finished, said, and not judged); the answer read and
    // judged (false: the error box said why); what the lesson returned.
    bool PrendiUltimaRiga();
    bool GiudicaRisposta(TGiudizio& g);
    void MostraNonGiudicata(const TEsitoLezione& e);
    void MostraGiudicata(const TEsitoLezione& e);
    // The working's lines, the exercise first; none when it is not shown.
    std::vector<std::string> RighePassaggi() const;
    // btnSoluzioneClick's parts: the place of the panel, its lines.
    QRect AreaSoluzione(const TSoluzione& soluzione, std::vector<int>& altezze, int& totale, int rigaScritta) const;
    void RigheDellaSoluzione(const TSoluzione& soluzione, const QRect& area, const std::vector<int>& altezze, int totale,
                             int rigaScritta);
    void ScrittaSoluzione(const QRect& area, int y, int rigaScritta);
    // The constructor's parts.
    void CreaPaginaEsercizi();
    void CreaContatori();
    void Collega();
    void NascondiSoluzione();
    void MostraLettura(const TLettura& l);
    void MostraDiagnosi(const TEsitoLezione& e);
    void RigaSottoAnteprima(const QString& testo);
    void MostraPassaggi(bool attivi);
    void PosaPassaggi();
    void DisponiPassaggi();

    QString FArgomento;
    const char* FGiuste;
    const char* FSbagliate;
    TEsercizio* FEsercizio;
    bool FInVerifica = false;
    QRect FAnteprima; // the preview's place before a line under it took its foot
    unsigned FNumeroEsercizio = 0;
    QString FTestoAnteprima; // the field's text the preview shows
    TLezione FLezione;
    QLabel* lblTastiPassaggi = nullptr;
    // The answer panel, "Istruzioni" and "Lavagna" as the topic placed them.
    std::vector<QRect> FGeometrieRisposta;
    QString FCampoPrima;
};

// A topic window holding its widget-free topic object E.
template <class E>
class TFinestraDi : public TFinestraEsercizi {
public:
    // `argomenti` go to the topic object's constructor.
    template <class... A>
    TFinestraDi(const QString& argomento, const char* giuste, const char* sbagliate, A&&... argomenti)
        : TFinestraEsercizi(argomento, giuste, sbagliate, &FEs), FEs(std::forward<A>(argomenti)...)
    {
    }
    E& Esercizio() { return FEs; }
    const E& Esercizio() const { return FEs; }

private:
    E FEs;
};

// Converts the text of a field to the program's code page.
std::string TestoCampo(const QString& t);

} // namespace mevario
