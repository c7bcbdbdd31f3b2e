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

#include "Esercizio.h"
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
// Flash a panel twice green or red (three phases of 500 ms); it ends in its
// own colour. While it is lit its captions turn to the text colour that
// reads on the flash.
void LampeggiaVerde(QWidget* panel);
void LampeggiaRosso(QWidget* panel);
QColor ColoreLampoVerde();
QColor ColoreLampoRosso();
// The contrast ratio of two colours (1 to 21) as accessibility guidelines
// measure it; 4.5 reads well for text of our size.
double Contrasto(const QColor& a, const QColor& b);
// Black or white, whichever reads better on the background.
QColor TestoLeggibileSu(const QColor& sfondo);
// The length of one phase of the flash; 0 for benchmarks and tests that
// judge thousands of answers (the colours still change, without waiting).
void ImpostaFaseLampeggio(int ms);
// The background colour of a panel, as flashes set it.
void ImpostaColore(QWidget* panel, const QColor& c);
QColor Colore(const QWidget* panel);

// Draws a formula text in a box (the box keeps it and redraws it).
void DrawFormula(TFormulaBox* box, const std::string& formula);

// Where a panel of the given size can stand in a window without meeting
// anything the pupil looks at: every visible widget that shows something
// (labels, buttons, fields, formulas), the help panel, and the place of a
// widget marked with the property "postoRiservato" even while it is hidden.
// A painted panel (a widget that fills its background) is either left
// whole or entered whole, never straddled. A margin of 4 pixels is kept.
// Of the free spots the one nearest to `vicino` (window coordinates) is
// returned; an empty rectangle when there is none. `esclusi` and what they
// hold are not obstacles (the panel itself).
QRect PostoLibero(QWidget* finestra, const QSize& dimensione, const QRect& vicino,
                  const std::vector<const QWidget*>& esclusi);
// True when the rectangle (window coordinates) meets none of those obstacles.
bool PostoSgombro(QWidget* finestra, const QRect& r, const std::vector<const QWidget*>& esclusi);

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
    // The first two examples of the help panel (null when it has fewer).
    TFormulaBox* PaintBoxEsempio1 = nullptr;
    TFormulaBox* PaintBoxEsempio2 = nullptr;

    // The field the keypad types into (the one last clicked).
    QLineEdit* Bersaglio() const { return FBersaglio; }
    // Lends the keypad and the help panel to a window and binds its answer field.
    void Presta(QWidget* finestra, TEditRisp* campo);
    // Takes the panels back from a window that goes away (they would go with it).
    void Restituisci(QWidget* finestra);

    // Shows the keypad beside the field, where it covers nothing of the
    // window (PostoLibero); where the window has no such room it grows to
    // the right by the keypad's width while the keypad is open.
    void EditTastieraEnter(QLineEdit* campo);
    void EditTastieraExit();
    // After the window changed what it shows: the keypad, if open, moves
    // to a free spot when something now stands where it is.
    void RiponiTastiera();
    void SpeedButton8Click(TDsFancyButton* tasto);
    void SpeedButton13Click();
    // Shows the help panel at p (in its parent's coordinates), moved as
    // little as needed to stay inside the window.
    void ShowHelp1(const QPoint& p);
    void SpeedButton1Click();

    // The help panel's content: how the answers of a topic are typed.
    // Laid out text over examples, or side by side (wider, less tall).
    void ImpostaAiuto(const TAiuto& aiuto);
    void ImpostaAiuto(const TAiuto& aiuto, bool dueColonne);
    const TAiuto& Aiuto() const { return FAiuto; }
    // Shows the help panel beside the answer field, inside the window and
    // clear of the keypad and of `maiCoprire` (the counters, the preview),
    // of the field when there is room and, as far as it can, of
    // `daLasciare` (the exercise, the question).
    void MostraAiuto(QWidget* campo, const std::vector<const QWidget*>& daLasciare = {},
                     const std::vector<const QWidget*>& maiCoprire = {});

protected:
    // Escape in a window that holds the panels closes the help panel.
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CreaTastiera();
    void CreaAiuto();
    void MostraTastieraIn(QWidget* parent, const QRect& vicino);
    void Rimpicciolisci();
    QPointer<QLineEdit> FBersaglio;
    TAiuto FAiuto;
    bool FDueColonne = false;
    // The help panel's size in each shape (text over examples, side by
    // side) for FAiuto, once built; empty: not built yet.
    QSize FDimensioniAiuto[2];
    std::vector<QWidget*> FContenutoAiuto;
    // The window that grew to hold the keypad, and its size before.
    QPointer<QWidget> FCresciuta;
    QSize FDimensioneOriginale;
};

} // namespace mevario
