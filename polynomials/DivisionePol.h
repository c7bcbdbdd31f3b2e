// TfrmDivisionePol: the column division of polynomials. On the Concetto
// page a division is carried out one click at a time while a narration
// explains each step; on the Esercizi page the pupil fills in the whole
// grid and "Procedi" checks it cell by cell.
#pragma once

#include <QEventLoop>
#include <QPlainTextEdit>
#include <QScrollArea>

#include <array>
#include <optional>

#include "Divisione.h"
#include "Protocollo.h"

namespace mevario {

// One cell of the grid: a formula box that knows its place and reports clicks.
class TCellaDivisione : public TFormulaBox {
    Q_OBJECT
public:
    TCellaDivisione(QWidget* parent, TDivisione::Cella cella, int colonna);
    // The term the cell shows: the divisor row's cells stand by the
    // divisor's degree (index = degree - column), the others are fixed.
    TDivisione::Cella Cella(int gradoDivisore) const
    {
        TDivisione::Cella k = FCella;
        if (k.blocco == 2 && k.riga == 1)
            k.indice = gradoDivisore - FColonna;
        return k;
    }
    // Block digit, row in two digits, column in one: 1010 ... 2024.
    int Tag() const { return FTag; }
    int Colonna() const { return FColonna; }
    // What a click does (also the screen readers' press action).
    void Clicca() { emit Cliccata(this); }
    // A red outline round the cell: to be fixed after a wrong check.
    void Segna(bool segnata);
    bool Segnata() const { return FSegnata; }

signals:
    void Cliccata(TCellaDivisione* cella);

protected:
    // A press binds the editor to the cell and goes no further: a drag that
    // starts on a cell never moves the window.
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    TDivisione::Cella FCella;
    int FColonna;
    int FTag;
    bool FSegnata = false;
};

class TfrmDivisionePol : public TFinestraEsercizi, private TNarratore {
    Q_OBJECT
public:
    TfrmDivisionePol();

    TDivisione& Divisione() { return FDiv; }
    bool InPausa() const { return FInPausa; }
    bool InAnimazione() const { return FInAnimazione; }
    bool AnimazioneFinita() const { return FAnimazioneFinita; }
    // The narrated solution of the exercise's own division is on the grid.
    bool InSoluzione() const { return FSoluzione; }
    // The cells a wrong check marked that the pupil has not edited since.
    const std::vector<TDivisione::Cella>& Segnate() const { return FSegnate; }
    // The cell the editor is bound to.
    const TDivisione::Cella& CellaScelta() const { return FCellaScelta; }
    TCellaDivisione* CellaDi(const TDivisione::Cella& c) const;
    const std::vector<TCellaDivisione*>& Celle() const { return FCelle; }

    void PreparaPagina() override;
    void btnNuovoClick() override;
    void EditRispKeyUp() override;
    bool Verifica(const std::string& risposta) override;
    void PaintBox1Click(TCellaDivisione* cella);
    void btnConcettoClick();
    // "Soluzione", after a wrong grid: the exercise's division solved in
    // front of the pupil, one click at a time, with its narration.
    void btnSoluzioneDivisioneClick();
    // The narrated solution: runs until its last click.
    void Animazione();
    // Lays the window out for a screen's available area (logical pixels):
    // the full layout where it fits, else a lower (or narrower) window whose
    // grid scrolls, so that every control and every cell can be reached.
    void AdattaAlloSchermo(const QRect& disponibile);
    // The full size of the window.
    static QSize Dimensione() { return {960, 716}; }
    // Whether a cell is part of the grid as laid out (a degree-4 division
    // uses rows 1..9 and four cells beside the bar).
    bool Mostrata(const TCellaDivisione* c) const;

    TDsFancyButton* btnConcetto;
    QLabel* Label4;
    TFormulaBox* PaintBox2;
    QPlainTextEdit* meAlgo;
    QPlainTextEdit* meConcetto;
    QPlainTextEdit* meEsercizi;
    // What the last check found (cells to fix, form slips), in the place
    // of the page's text.
    QLabel* lblEsito;
    // The grid's cells and rules live in panel1, inside a scroll area;
    // the dividend and divisor row stays in view above it, in rigaTesta.
    QScrollArea* scrGriglia;
    QFrame* panel1;
    QWidget* rigaTesta;
    QLabel* lblRisultato;
    TFormulaBox* pbQuoziente;
    QFrame* Panel3;
    TRAhtLabel* RAhtLabel1;

protected:
    void NuovoEsercizio() override {}
    // The division as shown; the pupil's quotient, its terms as typed.
    QString EsercizioDaRegistrare() const override;
    QString RispostaDaRegistrare() const override;
    // The arrow keys in the editor move it from cell to cell.
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    // TNarratore: what the narrated run asks of the window.
    void PulisciNarrazione() override;
    void MostraNarrazione(bool visibile) override;
    void Narra(const std::string& riga) override;
    void Pausa() override;
    void CellaCambiata(int blocco, int riga, int indice) override;
    void Risultato() override;

    // The constructor's parts: the texts and the narration; the grid's
    // scroll area, the result, the counters and the editor; the theory
    // panel; the cells and rules of the grid.
    void CreaTesti();
    void CreaGrigliaEContatori();
    void CreaTeoria();
    void CreaCelle();
    void PreparaGriglia();
    void AggiornaCella(TCellaDivisione* c);
    void LegaEditor(const TDivisione::Cella& c);
    // A red outline round the editor while its cell is marked.
    void ColoreEditor(bool segnata);
    // Stores the editor's text in its cell; false when it is not a term.
    bool MemorizzaTesto();
    // Enter in a cell: stores it and goes to the next cell in reading order.
    void Conferma();
    void SegnaCelle(const std::vector<TDivisione::Cella>& celle);
    void TogliSegno(const TDivisione::Cella& c);
    void TogliSegni();
    void Esito(const QString& testo);
    // The count of the marked cells still to fix, and the form slips found.
    void AggiornaEsito();
    // The narrated run, from the first click to "Nuovo".
    void Narrazione();
    // Columns as wide and rows as tall as their terms at full size.
    void DisponiGriglia();
    // The editor over its cell, wide enough for all it holds.
    void PosizionaEditor();
    // The quotient's cells at the top of the rows in view.
    void AttaccaQuoziente();
    // The narration beside the column work, under the quotient row.
    void PosizionaNarrazione();
    // The cell an arrow key leads to from the bound one.
    std::optional<TDivisione::Cella> Vicina(int tasto) const;

    TDivisione FDiv;
    std::vector<TCellaDivisione*> FCelle;
    std::vector<QFrame*> FRegole; // under rows 2, 4, 6, 8; the bar; under the divisor
    // Grid geometry: left of each column (dividend side 0..4, divisor side
    // 5..9), top of each row (1..10), the bar's x.
    std::array<int, 10> FX{}, FL{};
    std::array<int, TDivisione::Righe + 1> FY{}, FA{};
    int FXBarra = 0;
    TDivisione::Cella FCellaScelta{2, 2, 4};
    bool FInPausa = false;
    bool FInAnimazione = false;
    bool FAnimazioneFinita = false;
    bool FSoluzione = false;
    std::vector<TDivisione::Cella> FSegnate;
    QString FFrasiForma; // what to change in the form, said with the count
    QWidget* FTesta = nullptr; // rigaTesta's clip, in the scroll area's top margin
    // A page change asked for while the narration runs: the narration ends
    // first (without waiting), then the page is prepared.
    bool FInterrompi = false;
    bool FPreparaInSospeso = false;
    QEventLoop* FAttesa = nullptr;
};

} // namespace mevario
