#pragma once
// sorami-cli graph: the series of a graph as JSON and, with --out, the graph drawn into a file.
// Drawing needs the desktop program's drawing code, which sorami-cli does not carry: it hands
// the same arguments to the program sorami-graph, which computes the same graph and draws it.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "reports/GraphDrawing.h"

namespace sorami::cli {

// Draws a graph into `path` (.png, .svg or .pdf); false after a word on `err`.
using GraphRenderer =
    std::function<bool(const GraphDrawing& drawing, const std::string& path, std::ostream& err)>;

// The graph command with the drawing done by `render`.
int runGraphWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const GraphRenderer& render);

// Runs sorami-graph (beside the running program, or $SORAMI_GRAPH) with these arguments; false
// after a word on `err` when it is missing or did not draw.
bool runGraphProgram(const std::vector<std::string>& args, std::ostream& err);

}  // namespace sorami::cli
