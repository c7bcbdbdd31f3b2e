// TPassaggi: the pupil's working in an exercise window, one step a line.
// Line 0 is the exercise (read-only); every other line is typed by the
// pupil, typeset as it is typed, and between a line and the one above it a
// mark says whether the two are equivalent; under a line that breaks the
// chain, where it broke (values of the letters where the lines differ, the
// mistake when a rule names it), or why the line cannot be read. Beside
// each line, whether it still equals the exercise itself. A field is as
// wide as its line; the typeset copy stands beside it, or under it in as
// many rows as a long line needs.
//
// Keys in a line: Enter adds a line under it, Ctrl+Enter is "Procedi", Up
// and Down move between the lines, Backspace or Delete on an empty line
// takes it away; the small "x"
// beside a line takes it away too. The on-screen keypad types into the line
// that has the focus.
#pragma once

#include <QFrame>
#include <QString>

#include <string>
#include <vector>

class QLabel;
class QScrollArea;
class TDsFancyButton;

namespace mevario {

class TEditRisp;
class TFormulaBox;

// A step as typed ("(2x+1)(x-3)", "12x^3y:4xy") turned into the formula
// text that draws it as written: brackets always shown, a typed "*" as a
// dot, ":" as the division sign, fractions of whole numbers as fractions.
std::string FormulaPassaggio(const std::string& digitato);

// A typed line cut where it may go on in the next row of its typeset copy:
// before each sign between two terms and between two brackets side by
// side, outside every bracket ("(x+1)(x-2)-3x" gives "(x+1)", "(x-2)",
// "-3x"); the pieces, joined, are the line without its spaces.
std::vector<std::string> PezziPassaggio(const std::string& digitato);

// The typeset copy of a line too long for one row of `larghezza` pixels at
// `punti` points: its pieces gathered into as few rows as fit, in order (a
// piece alone wider than a row has a row of its own, where it shrinks).
std::vector<std::string> RigheCopia(const std::string& digitato, int larghezza, int ppi, int punti);

class TPassaggi : public QFrame {
    Q_OBJECT
public:
    // The smallest size of a typeset copy's row: a bracket wider than a row
    // at KPuntiMinimi is drawn smaller, whole, instead of cut.
    static constexpr int KPuntiStretti = 7;
    explicit TPassaggi(QWidget* parent, const QColor& sfondo);

    // Starts again: line 0 is the exercise (step notation), one empty line under it.
    void Ricomincia(const std::string& esercizio);

    // Lines, line 0 included.
    int Righe() const { return static_cast<int>(FRighe.size()); }
    QString Testo(int i) const;
    TEditRisp* Campo(int i) const;
    TFormulaBox* Anteprima(int i) const;
    // The mark between line i-1 and line i (i >= 1): "⇔" or "⇎", named
    // "equivalente" or "non equivalente"; empty when there is nothing to say.
    QLabel* Segno(int i) const;
    // The line under line i: where the chain broke, why the line cannot be
    // read, what is left (hidden when empty).
    QLabel* Nota(int i) const;
    // Beside line i (i >= 1): whether it still equals the exercise, "=
    // esercizio" or "\u2260 esercizio"; empty when it is empty or does not read.
    QLabel* Esercizio(int i) const;
    // The typeset copy of line i, as many boxes as the rows it takes.
    std::vector<TFormulaBox*> Anteprime(int i) const;
    TDsFancyButton* Togli(int i) const;

    // Adds an empty line under line `dopo` and puts the focus in it.
    TEditRisp* AggiungiRiga(int dopo);
    // Takes line i (i >= 1) away; the last step line is emptied instead.
    void TogliRiga(int i);
    // The last line with something written (0 when only the exercise).
    int UltimaScritta() const;
    // A line under the last written line (what is left, the check's
    // verdict); it goes when that line changes. Empty takes it away.
    void NotaUltima(const QString& testo);
    // Puts the focus in line i (the last step line when i is out of range).
    void Fuoco(int i = -1);
    // After a wrong answer: "Qui il calcolo cambia: ..." under the first
    // line that is no longer equal to the exercise, brought into view; it
    // goes when the working changes. The line, or -1 when there is none.
    int SegnaCambio();
    // The mistake named at the latest step that names one (empty: none).
    std::string UltimoErrore() const;

signals:
    // The working changed (a line typed, added or taken away).
    void Cambiato();
    // Ctrl+Enter in a line: the pupil asks for the check ("Procedi").
    void ProcediChiesto();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    // A row of the typeset copy under the field (drawn small there), and
    // the smallest size a formula box draws at.
    static constexpr int KAltezzaCopia = 38, KPuntiMinimi = 12;
    struct TRiga {
        QWidget* riga = nullptr;
        QLabel* segno = nullptr;
        TEditRisp* campo = nullptr;
        TFormulaBox* anteprima = nullptr;
        TDsFancyButton* togli = nullptr;
        QLabel* nota = nullptr;
        QLabel* esercizio = nullptr;
        std::vector<TFormulaBox*> seguito; // the typeset copy's further rows
        QString giudizio; // what the judgement says under the line (rich text)
        QString aggiunta; // what the window added under it (NotaUltima)
        QString cambio;   // "Qui il calcolo cambia" (SegnaCambio)
        int larghezzaMinima = 0; // the typeset line's width at its smallest size
        int larghezzaTesto = 0;  // the typed text's width in the field
        // The typeset copy cut into rows for a width (kept until either changes).
        std::vector<std::string> righeCopia;
        int larghezzaCopia = -1;
        QSize misuraNota;          // the note's width and the height it takes there
        QString testoMisurato;     // the note's text measured
    };
    void Disegna(TRiga& r);
    TRiga CreaRiga(bool esercizio);
    // A written line's button and field tell the panel what the pupil does.
    void CollegaRiga(const TRiga& r);
    int Indice(const QObject* o) const;
    void Testato(int i);
    void Giudica(int i);
    // The step's sign beside a line (its colour, its name for screen
    // readers), and the line set against the exercise ("= esercizio" or not).
    void MostraSegno(TRiga& r, const QString& segno, const QString& nome, const QColor& colore);
    void MostraRispetto(TRiga& r, const std::string& dopo);
    void TogliAggiunte();
    void MostraNota(int i);
    void Disponi();
    int DisponiCopia(TRiga& r, int x, int y, int larghezza);
    void Numera();

    QColor FSfondo;
    QScrollArea* FScorri;
    QWidget* FContenuto;
    std::vector<TRiga> FRighe;
};

} // namespace mevario
