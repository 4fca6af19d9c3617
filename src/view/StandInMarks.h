#pragma once

#include "EditTextMapping.h"

#include <QRectF>
#include <cstdint>

class QPainter;
class QPalette;

// Paints the cell of one stand-in character: a shaded box with the mark of
// its kind, so that the user sees there is a character. Drawn with lines,
// so that no font needs to have the glyphs. Marks of StandInMark::None are
// not painted (the font shows the character).
void paintStandInCell(QPainter& painter, const QRectF& cell, edittext::StandInMark mark,
                      const QPalette& palette);

// Paints the cell of a byte the file's character set can't read (the
// stand-in of RawBytes.h): its value in hexadecimal on a shaded box, in a
// font small enough to fit the cell.
void paintRawByteCell(QPainter& painter, const QRectF& cell, uint8_t byte,
                      const QPalette& palette);
