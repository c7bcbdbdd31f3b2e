// Mevario: start-up and the application's general error box.
#include <QApplication>

#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>
#include <utility>

#include "Avvio.h"
#include "Errori.h"
#include "Finestra.h"

namespace {

// Errors that escape a handler are shown in the general error box; the
// event is abandoned and the program goes on.
class TApplicazione : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* o, QEvent* e) override
    {
        try {
            return QApplication::notify(o, e);
        } catch (const std::exception& ex) {
            mevario::MostraErrore(ex);
        } catch (...) {
            mevario::MostraErrore(QStringLiteral("Errore imprevisto"));
        }
        return false;
    }
};

// Runs an action once the widget has been painted for the first time.
class TDopoIlPrimoDisegno : public QObject {
public:
    TDopoIlPrimoDisegno(QObject* parent, std::function<void()> azione) : QObject(parent), FAzione(std::move(azione)) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && FAzione) {
            o->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(FAzione, {})); // after the painting
        }
        return false;
    }

private:
    std::function<void()> FAzione;
};

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window exists (no display needed).
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            std::printf("mevario %s\n", MEVARIO_VERSION);
            return 0;
        }
        if (a == "--help" || a == "-h") {
            std::printf("Uso: mevario [--help] [--version]\n"
                        "\n"
                        "Mevario: tutor di algebra per la scuola media. Monomi e polinomi in dodici\n"
                        "argomenti, dalla definizione di monomio alla divisione in colonna dei\n"
                        "polinomi: per ogni argomento una pagina Concetto con le spiegazioni e gli\n"
                        "esempi, e una pagina Esercizi con esercizi sempre nuovi e la loro correzione.\n"
                        "\n"
                        "  --help       mostra questo aiuto\n"
                        "  --version    mostra la versione\n"
                        "\n"
                        "Senza schermo si avvia con: xvfb-run -a mevario\n");
            return 0;
        }
    }
    TApplicazione app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mevario"));
    QApplication::setApplicationVersion(QStringLiteral(MEVARIO_VERSION));
    // Ties the windows to the desktop entry: its icon and its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.mevario.Mevario"));
    QApplication::setFont([] {
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(13);
        return f;
    }());

    auto finestre = mevario::Avvia();
    mevario::TfrmMain* main = finestre->frmMain();
    mevario::CentraSopra(main, nullptr); // in the middle of the screen
    QObject::connect(&app, &QApplication::aboutToQuit, [&] { finestre.reset(); });
    main->setAttribute(Qt::WA_QuitOnClose, true);
    // For the tests of the program on a desktop: once the main window has
    // been painted on the screen, the program ends as "Esci" ends it.
    if (QApplication::arguments().contains(QStringLiteral("--esci-dopo-avvio")))
        main->installEventFilter(new TDopoIlPrimoDisegno(main, [main] { main->btEsciClick(); }));
    main->show();
    if (QApplication::arguments().contains(QStringLiteral("--esci-subito")))
        return 0; // start-up measured by the benchmark
    return QApplication::exec();
}
