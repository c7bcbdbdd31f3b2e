// TfrmLavagna: the blackboard, a window for freehand drawing beside an
// exercise: strokes of a chosen colour and thickness, an eraser that takes
// away one stroke at a time, "Pulisci" that clears everything. One board for
// the whole run: the drawing stays when the window is closed and reopened.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <vector>

#include "UDsFancyButton.h"

namespace mevario {

// One stroke: its points in the order drawn, with the colour and width the
// pupil chose for it.
struct TTrattoLavagna {
    std::vector<QPoint> punti;
    QColor colore;
    int spessore = 1;
};

// The hit test: a point within 3 pixels of a segment's line (measured along
// y, then along x) and inside its bounding box, or near a vertical or
// horizontal segment. A stroke of one point is never touched.
bool SegmentoToccato(QPoint p, QPoint q, QPoint m);
bool TrattoToccato(const std::vector<QPoint>& punti, QPoint m);

// The colour of an entry of the colour list (entry 15 is black again).
QColor ColoreLavagna(int voce);

// A fixed list whose entries draw themselves: colour swatches or lines of
// each thickness.
class TListaDisegnata : public QComboBox {
    Q_OBJECT
public:
    enum TTipo { Colori, Spessori };
    TListaDisegnata(TTipo tipo, QWidget* parent);
    // Draws entry `voce` in `r`.
    void DisegnaVoce(QPainter& p, const QRect& r, int voce, bool scelta) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TTipo FTipo;
};

class TLavagnaFoglio;

class TfrmLavagna : public QWidget {
    Q_OBJECT
public:
    // A window of `parent` (the main window), over which it opens centred.
    explicit TfrmLavagna(QWidget* parent = nullptr);

    // Shows the board as a window of the window `da` belongs to (the
    // exercise window whose "Lavagna" was pressed): a modal exercise window
    // does not block the board it opened, and the board closes with it.
    // Already shown for that window, it is only raised.
    void Apri(QWidget* da);
    // The window the board was last opened from.
    QWidget* ApertaDa() const { return FApertaDa; }

    QFrame* pnlStrumenti;
    TListaDisegnata* cmbPennaColore;
    TListaDisegnata* cmbPennaSpessore;
    QCheckBox* cbGomma;
    TDsFancyButton* btnLavagna; // "Pulisci"
    TLavagnaFoglio* Foglio;

    // The strokes in the order they were drawn (the most recent last).
    const std::vector<TTrattoLavagna>& Tratti() const;
    // The pen of the next stroke.
    QColor ColorePenna() const;
    int SpessorePenna() const;
    void Pulisci();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QPointer<QWidget> FApertaDa;
};

// The drawing surface below the tools.
class TLavagnaFoglio : public QWidget {
    Q_OBJECT
public:
    explicit TLavagnaFoglio(TfrmLavagna* lavagna);

    std::vector<TTrattoLavagna> Tratti;
    // The stroke under the eraser (index into Tratti) or -1.
    int SottoGomma = -1;
    // The board drawn from the stroke list, in drawing order.
    void Ridisegna();
    const QPixmap& Immagine() const { return FImmagine; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TfrmLavagna* FLavagna;
    QPixmap FImmagine;
    bool FDisegna = false;
    TTrattoLavagna FCorrente;
};

} // namespace mevario
