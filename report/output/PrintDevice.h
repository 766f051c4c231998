#pragma once

#include "report/model/PaperSelector.h"

#include <QString>

class QPainter;

namespace tovren::output {

/// Where the print loop sends pages: a printer job or a PDF file.
///
/// The loop opens a document, draws pages on painter() at resolution() dots per inch, and
/// either ends or aborts it; an aborted document leaves no output behind where the device can
/// promise that (files).
class PrintDevice
{
public:
    virtual ~PrintDevice() = default;

    /// The device prints copies itself when asked for a copy count.
    virtual bool makesCopies() const = 0;
    /// A different sheet can start within the open document. Printer jobs cannot change paper
    /// mid-job, so for them the loop ends the document and begins another.
    virtual bool changesSheetWithinDocument() const = 0;

    /// Opens a document on @p sheet; false, with errorString(), when the device refuses.
    virtual bool beginDocument(const QString &title, int copyCount, bool collate,
                               const model::SheetRequest &sheet) = 0;
    virtual bool newPage(const model::SheetRequest &sheet) = 0;
    /// Closes the document; false, with errorString(), when its output could not be kept.
    virtual bool endDocument() = 0;
    virtual void abortDocument() = 0;

    virtual QPainter &painter() = 0;
    virtual int resolution() const = 0;
    virtual QString errorString() const = 0;
};

} // namespace tovren::output
