#pragma once
// A graph written to a file or a printer: PNG at twice the pixels for sharp prints, SVG as
// vectors, PDF on a landscape A4 page. The same drawing code as the window draws them.

#include <QString>

#include "reports/GraphDrawing.h"

class QPrinter;

namespace sorami {

// The size a graph is drawn in for files, in logical pixels.
inline constexpr int kGraphFileWidth = 1000;
inline constexpr int kGraphFileHeight = 640;

// Writes the graph by the file's extension (.png, .svg, .pdf); false when it could not be
// written or the extension is none of them.
bool saveGraph(const GraphDrawing& drawing, const QString& path, const QString& title = {});
void printGraph(const GraphDrawing& drawing, QPrinter& printer);

}  // namespace sorami
