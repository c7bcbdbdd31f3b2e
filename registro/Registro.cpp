#include "Registro.h"

#include <QStandardPaths>

#include "RegistroSql.h"

namespace mevario {

TProgressi TRegistroOspite::Progressi(qint64, QDate oggi)
{
    TProgressi p;
    for (int i = 29; i >= 0; --i)
        p.giorni.append({oggi.addDays(-i), 0, 0});
    return p;
}

QString PercorsoRegistro(const QString& db)
{
    if (!db.isEmpty())
        return db;
    const QString env = qEnvironmentVariable("MEVARIO_DB");
    if (!env.isEmpty())
        return env;
    // The same as AppDataLocation for an application named Mevario with no
    // organisation, but the same for every program that asks.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Mevario/registro.sqlite");
}

std::unique_ptr<TRegistro> ApriRegistro(const TOpzioniRegistro& opzioni, TRegistro::TAvviso avviso)
{
    const QString percorso = PercorsoRegistro(opzioni.db);
    auto apertura = TRegistroSql::ApriSqlite(percorso, opzioni, true);
    if (apertura.registro) {
        apertura.registro->ImpostaAvviso(std::move(avviso));
        return std::move(apertura.registro);
    }
    if (avviso)
        avviso(MessaggioGuasto(apertura.guasto, percorso, apertura.dettaglio));
    return std::make_unique<TRegistroOspite>();
}

bool NomeAlunnoValido(const QString& nome)
{
    if (nome.isEmpty() || nome.size() > 60 || nome.trimmed() != nome)
        return false;
    for (QChar c : nome)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

} // namespace mevario
