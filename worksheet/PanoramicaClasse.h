// The class overview as the teacher's documents: a flat OpenDocument
// spreadsheet or CSV, from the data the record gives (Classe.h).
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <vector>

#include "Classe.h"

namespace mevario {

// The overview as a flat OpenDocument spreadsheet (.fods): a sheet of the
// pupils (per topic and in total: right, wrong, share right as a
// percentage), one of the mistakes, one of the late review.
QByteArray PanoramicaFods(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti,
                          const QDateTime& scritto = QDateTime::currentDateTime());

// The same as CSV (UTF-8, commas, RFC 4180 quoting, CRLF line ends): the
// pupils' table with its header row, then after an empty line the
// mistakes' table, then after another the late review's. Shares are
// fractions with a dot (0.75).
QByteArray PanoramicaCsv(const TPanoramicaClasse& p, const std::vector<TColonnaArgomento>& noti);

} // namespace mevario
