// Shared by the record's tests: a record in a fresh temporary folder, and
// answers made to measure.
#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "RegistroSql.h"

namespace mevario::prova {

inline TRispostaGiudicata Risposta(const QString& argomento, bool giusta, const QDateTime& quando = {},
                                   const QString& tipo = {})
{
    TRispostaGiudicata r;
    r.argomento = argomento;
    r.esercizio = QStringLiteral("(3*x^2)*(-2*x^3)");
    r.seme = 77;
    r.risposta = giusta ? QStringLiteral("-6x^5") : QStringLiteral("-6x^6");
    r.giusta = giusta;
    r.tipoErrore = tipo;
    r.diagnosi = tipo;
    r.secondi = 8.5;
    r.quando = quando;
    return r;
}

inline QByteArray Contenuto(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline std::unique_ptr<TRegistroSql> Apri(const QString& file, int attesaMs = 5000)
{
    TOpzioniRegistro o;
    o.attesaMs = attesaMs;
    o.iterazioniPin = 1000;
    auto a = TRegistroSql::ApriSqlite(file, o, true);
    EXPECT_TRUE(a.registro) << DescriviGuasto(a.guasto, file, a.dettaglio).toStdString();
    return std::move(a.registro);
}

} // namespace mevario::prova
