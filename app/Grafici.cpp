#include "Grafici.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace mevario {

namespace {

TCreaGraficoBarre gCrea = nullptr;
bool gProvato = false;

// Where the charts' part may be: the installed library folder
// (/usr/bin/mevario → /usr/lib/mevario), or beside the program (a build).
// Only folders that go with the program: never one a user could write into
// for another user's session.
QStringList Cartelle()
{
    const QString qui = QCoreApplication::applicationDirPath();
    return {QDir(qui).filePath(QStringLiteral("../lib/mevario")), qui};
}

TCreaGraficoBarre Carica()
{
    if (gProvato)
        return gCrea;
    gProvato = true;
    for (const QString& cartella : Cartelle()) {
        QLibrary modulo(QDir(cartella).filePath(QStringLiteral("libmevario_grafici.so")));
        if (!modulo.load())
            continue;
        gCrea = reinterpret_cast<TCreaGraficoBarre>(modulo.resolve("mevario_crea_grafico_barre"));
        if (gCrea)
            break;
        modulo.unload();
    }
    if (!gCrea)
        qWarning("mevario: la parte dei grafici (libmevario_grafici.so) non si trova: i grafici non sono mostrati");
    return gCrea;
}

} // namespace

std::unique_ptr<IGraficoBarre> CreaGraficoBarre(QWidget* parent, const TStileGrafico& stile)
{
    const TCreaGraficoBarre crea = Carica();
    if (!crea)
        return nullptr;
    return std::unique_ptr<IGraficoBarre>(crea(parent, &stile));
}

bool GraficiCaricati()
{
    return gCrea != nullptr;
}

} // namespace mevario
