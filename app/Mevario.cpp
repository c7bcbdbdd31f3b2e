// Mevario: start-up and the application's general error box.
#include <QApplication>

#include <QTimer>

#include <csignal>

#include <functional>
#include <memory>
#include <utility>

#include "Avvio.h"
#include "Errori.h"
#include "Finestra.h"
#include "RigaComando.h"
#include "Segnali.h"

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

// The record's care over the run: at the end it is written whole into its
// file (with any answers held after a fault that has passed), so that the
// file alone, copied, is the whole record; a session that logs out or a
// terminal that goes away ends the run as "Esci" does; every minute the
// answers held after a fault are tried again, and a record left quiet for
// a minute is written into its file.
void CustodisciRegistro(QApplication& app, std::unique_ptr<mevario::TFinestre>& finestre)
{
    QObject::connect(&app, &QApplication::aboutToQuit, [&finestre] {
        if (finestre) {
            finestre->Registro()->Riprova();
            finestre->Registro()->RiversaLog();
        }
        finestre.reset();
    });
    mevario::TfrmMain* main = finestre->frmMain();
    new mevario::TSegnaliFine({SIGTERM, SIGHUP}, [main] {
        main->EsciSenzaDomande();
        QCoreApplication::quit();
    }, &app);
    auto* minuto = new QTimer(&app);
    QObject::connect(minuto, &QTimer::timeout, [&finestre, giri = 0]() mutable {
        if (!finestre)
            return;
        if (++giri % 3 == 0)
            finestre->Registro()->Riprova();
        finestre->Registro()->RiversaLog(60000);
    });
    minuto->start(20000);
}

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window exists (no display needed).
    // The options are read here, once, with the check.
    mevario::TOpzioniProgramma opzioni;
    if (const auto esito = mevario::RigaDiComando(argc, argv, MEVARIO_VERSION, &opzioni))
        return *esito;
    mevario::SorvegliaAvvioQt(true);
    TApplicazione app(argc, argv);
    mevario::SorvegliaAvvioQt(false);
    QApplication::setApplicationName(QStringLiteral("Mevario"));
    QApplication::setApplicationVersion(QStringLiteral(MEVARIO_VERSION));
    // Ties the windows to the desktop entry: its icon and its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.mevario.Mevario"));
    QApplication::setFont([] {
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(13);
        return f;
    }());

    // What goes wrong with the record while the program starts is said over
    // its main window, once that is there (kept here, it outlives the record).
    QStringList avvisiRinviati;
    bool avviato = false;
    auto finestre = mevario::Avvia();
    mevario::TfrmMain* main = finestre->frmMain();
    mevario::CentraSopra(main, nullptr); // in the middle of the screen
    CustodisciRegistro(app, finestre);
    main->setAttribute(Qt::WA_QuitOnClose, true);
    // For the tests of the program on a desktop: once the main window has
    // been painted on the screen, the program ends as "Esci" ends it.
    if (opzioni.esciDopoAvvio)
        main->installEventFilter(new TDopoIlPrimoDisegno(main, [main] { main->btEsciClick(); }));
    main->show();
    if (opzioni.esciSubito)
        return 0; // start-up measured by the benchmark
    // Who is at the computer, once the main window is there: named on the
    // command line, else asked. Runs that end by themselves ask nothing.
    QTimer::singleShot(0, main, [&, nome = opzioni.alunno] {
        // The pupils' record (a message and a guest run when it cannot be
        // used), opened once the main window is on its way to the screen:
        // the first window needs none of it.
        finestre->ImpostaRegistro(mevario::ApriRegistroProgramma(opzioni.db, [&](const QString& m) {
            if (avviato) {
                mevario::AvvisoRegistro(m);
                // Said from within an answer being judged: the window follows after it.
                QTimer::singleShot(0, [&finestre] {
                    if (finestre)
                        finestre->RegistroGuasto();
                });
            }
            else
                avvisiRinviati << m;
        }));
        avviato = true;
        for (const QString& m : std::exchange(avvisiRinviati, {}))
            mevario::AvvisoRegistro(m);
        if (opzioni.esciDopoAvvio)
            return;
        if (!nome.isEmpty())
            finestre->AvviaComeAlunno(nome);
        else
            finestre->ChiediAlunno(true);
    });
    return QApplication::exec();
}
