// A window holding the keypad, the help panel and a few buttons and labels,
// to look at them: mevario_vetrina [--screenshot FILE.png]
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "Finestra.h"
#include "RAHtControls.h"
#include "UDsFancyButton.h"
#include "ucomune.h"

using namespace mevario;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    RegistraFontMevario();
    new Tfrmcomune;
    QWidget w;
    w.resize(774, 604);
    QPalette pal = w.palette();
    pal.setColor(QPalette::Window, QColor(255, 230, 204));
    w.setPalette(pal);
    w.setAutoFillBackground(true);
    SagomaFinestra(&w);

    auto* titolo = new TRAhtLabel(QStringLiteral("Somma di monomi - Esercizi"), &w);
    QFont ft(QStringLiteral("Comic Sans MS"));
    ft.setPixelSize(29);
    titolo->setFont(ft);
    titolo->SetFontColor(QColor(128, 0, 0));
    titolo->SetTransparent(true);
    titolo->SetAutoSize(true);
    titolo->move(11, 2);

    auto* testo = new TRAhtLabel(QStringLiteral("La <b>somma algebrica</b> (addizione o sottrazione) di due o più \r\nmonomi si può effettuare solo se i monomi sono <c:Maroon>simili</c>.\r\n<i>corsivo</i>, <u>sottolineato</u>, <x> resta com'è"), &w);
    QFont fl(QStringLiteral("Comic Sans MS"));
    fl.setPixelSize(16);
    testo->setFont(fl);
    testo->SetTransparent(true);
    testo->SetAutoSize(true);
    testo->move(16, 60);

    const char* nomi[] = {"&Esci", "Stampa", "Esercizi", "Procedi"};
    for (int i = 0; i < 4; ++i) {
        auto* b = new TDsFancyButton(QString::fromUtf8(nomi[i]), &w);
        b->SetShape(TDsFancyButton::btnCapsule);
        b->SetFaceColor(QColor(255, 113, 45));
        b->SetFrameColor(QColor(192, 192, 192));
        b->SetFrameWidth(3);
        b->SetHoverColor(Qt::white);
        b->SetFontColor(Qt::white);
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(16);
        f.setBold(true);
        b->setFont(f);
        b->setGeometry(648, 16 + 64 * i, 121, 60);
        if (i == 1)
            b->setEnabled(false);
    }
    auto* risp = new TEditRisp(&w);
    risp->setFont(Carattere("Times New Roman", 27));
    risp->setGeometry(38, 250, 203, 39);
    risp->setText(QStringLiteral("-2/5xy^3z"));
    auto* anteprima = new TFormulaBox(&w);
    anteprima->setGeometry(272, 240, 305, 83);
    anteprima->SetColor(QColor(255, 201, 147));
    DrawFormula(anteprima, "-(2/5)*x*y^3*z");
    Tfrmcomune::Istanza()->Presta(&w, risp);
    Tfrmcomune::Istanza()->EditTastieraEnter(risp);
    Tfrmcomune::Istanza()->pnlHelp1->setAutoFillBackground(true);
    ImpostaColore(Tfrmcomune::Istanza()->pnlHelp1, QColor(255, 253, 210));
    Tfrmcomune::Istanza()->ShowHelp1(QPoint(290, 330));
    w.show();

    const QStringList args = app.arguments();
    const int i = args.indexOf(QStringLiteral("--screenshot"));
    if (i >= 0 && i + 1 < args.size()) {
        QTimer::singleShot(500, [&] {
            QScreen* s = w.screen();
            s->grabWindow(0, w.x(), w.y(), w.width(), w.height()).save(args[i + 1]);
            app.quit();
        });
    }
    return app.exec();
}
