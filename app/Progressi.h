// "I miei progressi": a window of the main window with the pupil's figures
// per topic (right answers and errors to date, the right ones among the
// last 20, the days practised) and the right and wrong answers per day over
// the last 30 days, as a chart and, beside it, as a table a screen reader
// reads. A guest, or a pupil who has not answered yet, reads a sentence
// instead of empty axes.
#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "Grafici.h"
#include "Registro.h"

class QLabel;
class QTableWidget;
class QWidget;
class TDsFancyButton;

namespace mevario {

// One topic's line of the window.
struct TRigaProgressi {
    QString argomento; // the catalogue's name
    QString nome;      // the Italian name the pupil reads
    int giuste = 0;
    int sbagliate = 0;
    QString ultime; // "15 su 20": the right ones among the last answers
    int giorni = 0;
};
// The lines of the topics practised, in the order of the menus.
std::vector<TRigaProgressi> RigheProgressi(const TProgressi& p);
// A day as the chart and the table name it ("8 dic").
QString EtichettaGiorno(QDate giorno);

class TfrmProgressi : public QDialog {
    Q_OBJECT
public:
    // The figures of `alunno` in `registro` (nothing: a guest run).
    TfrmProgressi(TRegistro& registro, std::optional<TAlunno> alunno, QWidget* parent = nullptr);

    // Reads the figures again, as of `oggi`.
    void Aggiorna(QDate oggi = QDate::currentDate());

    QLabel* lbTitolo;
    // The sentence shown instead of the figures (guest, nothing answered yet).
    QLabel* lbVuoto;
    QWidget* pnlDati;
    QTableWidget* tbArgomenti;
    // The chart of the 30 days; nothing when the charts cannot be loaded.
    std::unique_ptr<IGraficoBarre> grafico;
    QTableWidget* tbGiorni;
    TDsFancyButton* btChiudi;

private:
    TRegistro& FRegistro;
    std::optional<TAlunno> FAlunno;
};

} // namespace mevario
