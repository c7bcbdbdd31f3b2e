// Mevario: start-up and the application's general error box.
#include <QApplication>
#include <QScreen>

#include "Avvio.h"
#include "Errori.h"
#include "RigaComando.h"

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

} // namespace

int main(int argc, char* argv[])
{
    // Answered before any window exists (no display needed).
    if (const auto esito = mevario::RigaDiComando(argc, argv, MEVARIO_VERSION))
        return *esito;
    mevario::SorvegliaAvvioQt(true);
    TApplicazione app(argc, argv);
    mevario::SorvegliaAvvioQt(false);
    QApplication::setApplicationName(QStringLiteral("Mevario"));
    QApplication::setApplicationVersion(QStringLiteral(MEVARIO_VERSION));
    QApplication::setFont([] {
        QFont f(QStringLiteral("Tahoma"));
        f.setPixelSize(13);
        return f;
    }());

    auto finestre = mevario::Avvia();
    mevario::TfrmMain* main = finestre->frmMain.get();
    if (const QScreen* s = QApplication::primaryScreen())
        main->move(s->availableGeometry().center() - main->rect().center());
    QObject::connect(&app, &QApplication::aboutToQuit, [&] { finestre.reset(); });
    main->setAttribute(Qt::WA_QuitOnClose, true);
    main->show();
    if (QApplication::arguments().contains(QStringLiteral("--esci-subito")))
        return 0; // start-up measured by the benchmark
    return QApplication::exec();
}
