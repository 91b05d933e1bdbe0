#ifndef QUORLIN_KALVEX_LOCATOR_H
#define QUORLIN_KALVEX_LOCATOR_H

#include <QString>

// The converter to start: "Kalvex" found on the program search path, else the Kalvex that is
// an executable file in ownFolder, else the bare name (whose start then fails).
QString locateKalvex(const QString& ownFolder);

#endif  // QUORLIN_KALVEX_LOCATOR_H
