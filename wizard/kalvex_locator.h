#ifndef QUORLIN_KALVEX_LOCATOR_H
#define QUORLIN_KALVEX_LOCATOR_H

#include <QString>

// The converter to start: the Kalvex that is an executable file in ownFolder, the one the
// wizard was installed or built with, else "Kalvex" found on the program search path, else
// the bare name (whose start then fails). Where the system's programs carry a suffix, the
// search adds it.
QString locateKalvex(const QString& ownFolder);

#endif  // QUORLIN_KALVEX_LOCATOR_H
