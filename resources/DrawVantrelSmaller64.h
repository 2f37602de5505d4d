#pragma once
// The application picture: a rounded teal square with a white magnifier whose lens holds a "V".
// One drawing for the about box's picture ("VantrelSmaller64") and for every icon size and
// format, so that they cannot drift apart.

class QImage;
class QPainter;

// Draws the picture into the square from (0, 0) to (size, size) of the painter's coordinates.
// It is designed on a 64-unit grid and scaled to `size`.
void DrawVantrelSmaller64(QPainter &painter, double size);

// The picture as a transparent size x size image (premultiplied ARGB).
QImage RenderVantrelSmaller64(int size);
