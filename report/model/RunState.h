#pragma once

#include "report/script/Variant.h"

#include <QString>
#include <functional>

namespace tovren::model {

class TqxView;
class TqxPage;

enum class DrawingMode { Designing = 0, Output = 1 };

/// The library-wide state of the one build, print or export that runs at a time.
///
/// Objects read it while they draw and resolve names; the build run sets it up and resets it
/// with reset(). Nothing else in the report library is global.
struct RunState
{
    DrawingMode drawingMode = DrawingMode::Designing;
    /// Lets the builder measure objects without painting them.
    bool suppressDrawing = false;
    TqxView *currentObject = nullptr;
    TqxPage *currentPage = nullptr;
    /// Stream version of the template being read; writing and copying use the current one.
    int loadingVersion = 25;

    /// Evaluates an expression for the methods that take expression texts (MEMO.ADD and the
    /// like). The report installs its own; without one a plain parser with no names is used.
    std::function<script::Variant(const QString &expression)> evaluate;
    /// Gives the display text of a bracketed expression; the report's value resolution.
    std::function<QString(const QString &expression)> expressionText;
    /// Runs an object's script before it is measured or printed; the report's interpreter.
    std::function<void(TqxView &view)> runObjectScript;
    /// The report's before-print step on a text object's ExpandedText; a handler that changes
    /// the text keeps it from being substituted.
    std::function<void(TqxView &view)> beforePrint;

    void reset() { *this = RunState(); }
};

RunState &runState();

} // namespace tovren::model
