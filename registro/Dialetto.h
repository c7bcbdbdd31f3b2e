// What differs between the database engines the record runs on (SQLite, a
// file of one computer; PostgreSQL, a school's server), in one place. The
// schema, the migrations and every query are standard SQL with bound
// parameters; the few differences are here: column types written as
// placeholders in the schema, how a writing transaction starts and how it
// keeps one pupil's figures to one writer at a time, how the schema
// version table is looked for, how a UUID is stored. Upserts and
// insert-if-absent use INSERT ... ON CONFLICT, which both SQLite (3.24 and
// later) and PostgreSQL understand. What only SQLite has (its pragmas, its
// integrity check) is done where the SQLite file is opened.
#pragma once

#include <QString>
#include <QUuid>
#include <QVariant>

namespace mevario {

struct TDialetto {
    QString driver; // the Qt SQL driver
    // Replaces the schema's placeholders: {ID} (an integer key made by the
    // engine), {INT64}, {REALE}, {UUID}, {SENZA_ROWID} (after a table whose
    // rows are found by their primary key only). A statement that begins
    // with {SOLO_SERVER} is for a server only: empty for SQLite; one that
    // begins with {SOLO_FILE} for SQLite only.
    QString Schema(QString ddl) const;
    // Starts a transaction that writes; SQLite takes the write lock at once
    // so that two programs never deadlock upgrading a read to a write.
    QString inizioScrittura;
    // Counts the tables of the bound name (0 or 1).
    QString contaTabella;
    // Run after inizioScrittura with the pupil's id bound, before their
    // figures are read and rewritten: on a server many programs write at
    // once, and two answers of one pupil must not both read the same
    // "last answers". Empty where the transaction already holds the whole
    // database (SQLite's write lock).
    QString bloccaAlunno;

    QString tipoId, tipoInt64, tipoReale, tipoUuid, senzaRowid;
    bool uuidBinario = false; // stored as its 16 bytes, else as text
    bool server = false;      // a database server many programs share
    // Run at the start of an import with the pupil's name (lower case)
    // bound: imports of one pupil, run at once, wait their turn for the
    // whole transaction, however long the one before takes. Empty where the
    // transaction already holds the whole database.
    QString bloccaNome;

    QVariant Uuid(const QUuid& u) const;
    QUuid LeggiUuid(const QVariant& v) const;
};

const TDialetto& DialettoSqlite();
const TDialetto& DialettoPostgres();

} // namespace mevario
