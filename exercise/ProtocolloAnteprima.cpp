// The live preview of the typed answer and the line under it: why the
// answer cannot be read, what to change, what is wrong.
#include "Colori.h"
#include "Protocollo.h"

#include <QFontMetrics>

#include "Finestra.h"
#include "funzioni.h"
#include "ucomune.h"

namespace mevario {

void TFinestraEsercizi::EditRispKeyUp()
{
    // A key that changed nothing (Enter, which has just run the check,
    // Shift, an arrow) leaves what is shown: the preview, and what the check
    // showed (the line under the preview, the rings).
    if (EditRisp->text() == FTestoAnteprima)
        return;
    FTestoAnteprima = EditRisp->text();
    if (pnlSiNo) {
        // The quizzes draw nothing live; a line asking for the answer goes.
        if (lblLettura)
            lblLettura->hide();
        return;
    }
    // What cannot be read is marked in the field and said under the
    // preview, which draws the part before it. Drawn as the check reads it:
    // without its spaces.
    std::optional<bool> letta;
    try {
        DrawFormula(PBRisp, FormaFormula(TogliCarattere(' ', TestoCampo(EditRisp->text()))));
        letta = PBRisp->Valida();
    } catch (...) {
        letta = false;
    }
    const TLettura l = LeggiDigitata(EditRisp->text(), letta);
    MostraLettura(l);
    if (!l.leggibile)
        DrawFormula(PBRisp, l.prefisso);
}

void TFinestraEsercizi::MostraDiagnosi(const TEsitoLezione& e)
{
    std::vector<TFormulaBox::TAnello> anelli;
    for (int i : e.anelli)
        anelli.push_back({i, kRosso});
    PBRisp->SetAnelli(anelli);
    const QString testo = QString::fromStdString(e.riga);
    if (!testo.isEmpty())
        RigaSottoAnteprima(testo);
}

void TFinestraEsercizi::MostraLettura(const TLettura& l)
{
    EditRisp->SegnaErrore(l.leggibile ? -1 : l.posizione);
    PBRisp->SetAnelli({}); // a diagnosis is for the answer that was checked
    if (l.leggibile) {
        if (lblLettura)
            lblLettura->hide();
        if (FAnteprima.isValid())
            PBRisp->setGeometry(FAnteprima);
        PBRisp->SetNotaAccessibile(QString());
        return;
    }
    RigaSottoAnteprima(l.motivo);
}

void TFinestraEsercizi::RigaSottoAnteprima(const QString& testo)
{
    // With the working line by line, the line goes under its last line.
    if (PassaggiAttivi()) {
        pnlPassaggi->NotaUltima(testo);
        return;
    }
    if (!lblLettura) {
        lblLettura = new QLabel(pnlEdit);
        lblLettura->setObjectName(QStringLiteral("lblLettura"));
        lblLettura->setFont(Carattere("Tahoma", 12, true));
        lblLettura->setWordWrap(true);
        QPalette p = lblLettura->palette();
        p.setColor(QPalette::WindowText, kRosso);
        lblLettura->setPalette(p);
        lblLettura->setAlignment(Qt::AlignCenter);
    }
    // A yes/no question has no preview: the line goes under the choice.
    const bool scelta = pnlSiNo && !pnlSiNo->isHidden();
    lblLettura->setParent(scelta ? PaginaEsercizi : pnlEdit);
    if (!FAnteprima.isValid())
        FAnteprima = PBRisp->geometry();
    const QRect b = scelta ? pnlSiNo->geometry().adjusted(-60, 0, 60, 0) : FAnteprima;
    // One line at the foot of the preview, two when it is long.
    const int righe = QFontMetrics(lblLettura->font()).horizontalAdvance(testo) > b.width() - 8 ? 2 : 1;
    // Below the preview where the panel has room; else the preview gives up
    // its foot (its formula shrinks to fit) so that nothing overlaps.
    const int h = 15 * righe + 2;
    const int y = scelta ? b.bottom() + 6 : std::min(b.bottom() + 1, pnlEdit->height() - h);
    lblLettura->setGeometry(b.left(), y, b.width(), h);
    if (!scelta)
        PBRisp->setGeometry(b.left(), b.top(), b.width(), std::min(b.height(), y - b.top()));
    lblLettura->setText(testo);
    lblLettura->setAccessibleName(testo);
    lblLettura->show();
    lblLettura->raise();
    // Screen readers hear the line with the preview.
    PBRisp->SetNotaAccessibile(testo);
}

} // namespace mevario
