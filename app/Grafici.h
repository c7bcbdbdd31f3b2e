// Charts, drawn by Qt Charts in a part of the program loaded at first use:
// Qt Charts brings OpenGL with it, and no window a pupil meets at start-up
// draws a chart, so the program does not pay for it at every start.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

namespace mevario {

// One series of a stacked bar chart: its name in the legend, its colour and
// one value per category.
struct TSerieBarre {
    QString nome;
    QColor colore;
    QList<double> valori;
};

// How a bar chart looks.
struct TStileGrafico {
    QColor sfondo = Qt::white;
    QFont legenda;
    QFont etichette;
    QFont titoloAsse;
    QString titoloAsseY;
    int angoloEtichette = 0; // the categories' labels, in degrees (-90: upright)
};

// A stacked bar chart. Its widget is owned by the parent given when it was
// made; this object only drives it and must not outlive it.
class IGraficoBarre {
public:
    virtual ~IGraficoBarre() = default;
    virtual QWidget* Widget() = 0;
    // Shows `categorie` with `serie` stacked, the value axis from 0 to `cima`
    // with a tick every `passo`.
    virtual void Imposta(const QStringList& categorie, const std::vector<TSerieBarre>& serie, int cima, int passo) = 0;
    // What is shown, read back (the tests, and the screen reader's sentence).
    virtual QStringList Categorie() const = 0;
    virtual std::vector<TSerieBarre> Serie() const = 0;
};

// Makes a bar chart in `parent`, loading the charts' part of the program the
// first time. Nothing when that part cannot be loaded (a broken install):
// the caller shows its figures without the chart.
std::unique_ptr<IGraficoBarre> CreaGraficoBarre(QWidget* parent, const TStileGrafico& stile);
// True once the charts' part has been loaded in this process.
bool GraficiCaricati();

} // namespace mevario

// The one function the charts' part exports.
extern "C" {
using TCreaGraficoBarre = mevario::IGraficoBarre* (*)(QWidget* parent, const mevario::TStileGrafico* stile);
}
