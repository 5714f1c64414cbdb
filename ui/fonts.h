// The two faces the windows were designed with, "Arial Black" and "MS Sans Serif". Where
// a machine lacks them, free faces of the same size and weight shipped inside the program
// stand in, so that the labels look the same everywhere.
#pragma once

#include <QFont>

enum class FontFace { ArialBlack, MsSansSerif };

// The face at the size and weight; the first call, after the QApplication exists, registers
// the shipped faces the machine lacks.
QFont tobrinelFont(FontFace face, qreal pointSize, bool bold);
