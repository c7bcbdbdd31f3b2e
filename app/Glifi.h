// The pictures on the main window's bottom buttons, drawn as lines and
// shapes at whatever size and device pixel ratio they are shown: sharp at
// 150 % and 200 % as at 100 %.
#pragma once

#include <QIcon>

namespace mevario {

// A sheet with lines of text ("Scheda").
QIcon GlifoScheda();
// A grid of cells with a header row ("Registro di classe").
QIcon GlifoRegistro();
// A printer with a sheet coming out ("Esercizi da stampare").
QIcon GlifoStampante();
// A door with an arrow going out ("Esci").
QIcon GlifoEsci();

} // namespace mevario
