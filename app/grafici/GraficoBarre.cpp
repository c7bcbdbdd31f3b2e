// The charts' part of the program: the bar chart drawn with Qt Charts. It is
// built as a module of its own and loaded at the first chart (Grafici.cpp).
#include "Grafici.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QStackedBarSeries>
#include <QValueAxis>

namespace mevario {
namespace {

class TGraficoBarre final : public IGraficoBarre {
public:
    TGraficoBarre(QWidget* parent, const TStileGrafico& stile)
    {
        FSerie = new QStackedBarSeries;
        FSerie->setBarWidth(0.8);
        auto* chart = new QChart;
        chart->addSeries(FSerie);
        chart->setBackgroundBrush(stile.sfondo);
        chart->setBackgroundRoundness(0);
        chart->setMargins(QMargins(2, 2, 2, 2));
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->legend()->setFont(stile.legenda);
        FAsseX = new QBarCategoryAxis;
        FAsseX->setLabelsAngle(stile.angoloEtichette);
        FAsseX->setLabelsFont(stile.etichette);
        FAsseX->setGridLineVisible(false);
        FAsseX->setTruncateLabels(false); // "8 dic" whole, upright to the bar
        FAsseY = new QValueAxis;
        FAsseY->setLabelFormat(QStringLiteral("%d"));
        FAsseY->setLabelsFont(stile.etichette);
        FAsseY->setTitleText(stile.titoloAsseY);
        FAsseY->setTitleFont(stile.titoloAsse);
        chart->addAxis(FAsseX, Qt::AlignBottom);
        chart->addAxis(FAsseY, Qt::AlignLeft);
        FSerie->attachAxis(FAsseX);
        FSerie->attachAxis(FAsseY);
        FVista = new QChartView(chart, parent);
        FVista->setRenderHint(QPainter::Antialiasing);
    }

    QWidget* Widget() override { return FVista; }

    void Imposta(const QStringList& categorie, const std::vector<TSerieBarre>& serie, int cima, int passo) override
    {
        // The sets are kept while their number stays, so that the chart only
        // changes its values.
        while (FSerie->count() > static_cast<int>(serie.size()))
            FSerie->remove(FSerie->barSets().constLast());
        for (size_t i = 0; i < serie.size(); ++i) {
            QBarSet* s = i < static_cast<size_t>(FSerie->count()) ? FSerie->barSets().at(static_cast<int>(i)) : nullptr;
            if (!s) {
                s = new QBarSet(serie[i].nome);
                FSerie->append(s);
            }
            s->setLabel(serie[i].nome);
            s->setColor(serie[i].colore);
            s->setBorderColor(serie[i].colore);
            s->remove(0, s->count());
            s->append(QList<qreal>(serie[i].valori.begin(), serie[i].valori.end()));
        }
        FAsseX->setCategories(categorie);
        FAsseY->setRange(0, cima);
        FAsseY->setTickCount(passo > 0 ? cima / passo + 1 : 2);
    }

    QStringList Categorie() const override { return FAsseX->categories(); }

    std::vector<TSerieBarre> Serie() const override
    {
        std::vector<TSerieBarre> r;
        for (QBarSet* s : FSerie->barSets()) {
            TSerieBarre b{s->label(), s->color(), {}};
            for (int i = 0; i < s->count(); ++i)
                b.valori << s->at(i);
            r.push_back(b);
        }
        return r;
    }

private:
    QChartView* FVista = nullptr;
    QStackedBarSeries* FSerie = nullptr;
    QBarCategoryAxis* FAsseX = nullptr;
    QValueAxis* FAsseY = nullptr;
};

} // namespace
} // namespace mevario

extern "C" Q_DECL_EXPORT mevario::IGraficoBarre* mevario_crea_grafico_barre(QWidget* parent,
                                                                           const mevario::TStileGrafico* stile)
{
    return new mevario::TGraficoBarre(parent, *stile);
}
