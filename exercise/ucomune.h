// Tfrmcomune: the hidden window that owns what every exercise window
// borrows (the on-screen keypad pnlTastiera and the help panel pnlHelp1)
// and the shared operations: flashes, the responsive wait and Chiusura.
#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <string>
#include <vector>

#include "FormulaBox.h"

class TDsFancyButton;
class QLabel;

namespace mevario {

// The answer field of an exercise window: it reports clicks, the loss of
// focus and every key release.
class TEditRisp : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditRisp(QWidget* parent = nullptr);

    // Underlines in red the character at `posizione` (the end of the text
    // when it is the text's length) as the spot that cannot be read; -1
    // takes the mark away.
    void SegnaErrore(int posizione);
    int Segno() const { return FSegno; }

signals:
    void Cliccato();
    void FocusPerso();
    void TastoRilasciato();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    // The x of the left edge of character i in the field, as drawn now.
    int XCarattere(int i);
    int FSegno = -1;
};

// Set when an exercise window is closed with "Esci": every wait then passes
// at once. Cleared when a window prepares a page.
extern bool Chiusura;

// Sets Chiusura and wakes the waits that sleep until a click (the narrated
// division): they see Chiusura and pass at once.
void ImpostaChiusura();
class TAvvisoChiusura : public QObject {
    Q_OBJECT
public:
    static TAvvisoChiusura* Istanza();
signals:
    void Chiusa();
};

// The current directory recorded at start-up (where templates are looked for).
QString CartellaProgramma();
void RegistraCartellaProgramma();

// Waits ms milliseconds while window events keep being handled, sleeping in
// between; returns at once when Chiusura is set.
void Attendi(int ms);
// Flash a panel twice green or red (three phases of 500 ms); it ends in its own colour.
void LampeggiaVerde(QWidget* panel);
void LampeggiaRosso(QWidget* panel);
// The length of one phase of the flash; 0 for benchmarks and tests that
// judge thousands of answers (the colours still change, without waiting).
void ImpostaFaseLampeggio(int ms);
// The background colour of a panel, as flashes set it.
void ImpostaColore(QWidget* panel, const QColor& c);
QColor Colore(const QWidget* panel);

// Draws a formula text in a box (the box keeps it and redraws it).
void DrawFormula(TFormulaBox* box, const std::string& formula);

class Tfrmcomune : public QWidget {
    Q_OBJECT
public:
    Tfrmcomune();
    ~Tfrmcomune() override;
    // The one instance, created at start-up.
    static Tfrmcomune* Istanza();

    QFrame* pnlTastiera;
    QFrame* pnlHelp1;
    std::vector<TDsFancyButton*> Tasti; // the twenty keys, row by row
    TDsFancyButton* btnChiudiTastiera;
    TDsFancyButton* SpeedButton1; // "X" of the help panel
    TFormulaBox* PaintBoxEsempio1;
    TFormulaBox* PaintBoxEsempio2;

    // The field the keypad types into (the one last clicked).
    QLineEdit* Bersaglio() const { return FBersaglio; }
    // Lends the keypad and the help panel to a window and binds its answer field.
    void Presta(QWidget* finestra, TEditRisp* campo);
    // Takes the panels back from a window that goes away (they would go with it).
    void Restituisci(QWidget* finestra);

    void EditTastieraEnter(QLineEdit* campo);
    void EditTastieraExit();
    void SpeedButton8Click(TDsFancyButton* tasto);
    void SpeedButton13Click();
    void ShowHelp1(const QPoint& p);
    void SpeedButton1Click();

private:
    void CreaTastiera();
    void CreaAiuto();
    QPointer<QLineEdit> FBersaglio;
};

} // namespace mevario
