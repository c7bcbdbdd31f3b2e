// What differs between the database engines the record runs on, in one
// place. The schema, the migrations and every query are standard SQL with
// bound parameters; the few differences are here: column types written as
// placeholders in the schema, how a writing transaction starts, how a UUID
// is stored. Upserts use INSERT ... ON CONFLICT, which both SQLite (3.24
// and later) and PostgreSQL understand. What only SQLite has (its pragmas,
// its integrity check) is done where the SQLite file is opened.
#pragma once

#include <QString>
#include <QUuid>
#include <QVariant>

namespace mevario {

struct TDialetto {
    QString driver; // the Qt SQL driver
    // Replaces the schema's placeholders: {ID} (an integer key made by the
    // engine), {INT64}, {REALE}, {UUID}, {SENZA_ROWID} (after a table whose
    // rows are found by their primary key only).
    QString Schema(QString ddl) const;
    // Starts a transaction that writes; SQLite takes the write lock at once
    // so that two programs never deadlock upgrading a read to a write.
    QString inizioScrittura;
    // Counts the tables of the bound name (0 or 1).
    QString contaTabella;

    QString tipoId, tipoInt64, tipoReale, tipoUuid, senzaRowid;
    bool uuidBinario = false; // stored as its 16 bytes, else as text

    QVariant Uuid(const QUuid& u) const;
    QUuid LeggiUuid(const QVariant& v) const;
};

const TDialetto& DialettoSqlite();

} // namespace mevario
