#pragma once

#include "report/model/ReportInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tovren::engine {
class TqxReport;
}
namespace tovren::model {
class PictureGraphic;
}

namespace tovren::designer {

/// The report a designer edits, under the name of its file, with the designer's file commands
/// (new, open, save, save as, taking a gallery template) and the modified flag they keep.
///
/// Every command that reads into the report puts the report back as it was when the read
/// fails; the report component has then told the person why. Every write goes through a
/// temporary file, so a failed save leaves the old file and the modified flag as they were.
class DesignerDocument
{
public:
    /// The name of a document that has no file yet.
    static const QString kUntitled;

    /// The file types of the save dialog, in the order of its filter list.
    enum class SaveKind { Template = 0, Xml = 1, Gallery = 2, Dictionary = 3 };

    DesignerDocument(engine::TqxReport &report, bool wholeReport);

    engine::TqxReport &report() const { return m_report; }
    bool wholeReport() const { return m_wholeReport; }

    const QString &documentName() const { return m_documentName; }
    void setDocumentName(const QString &name) { m_documentName = name; }
    bool isUntitled() const { return m_documentName == kUntitled; }
    /// "设计器 - " and the file name, or "未命名" for a document without a file.
    QString windowCaption() const;
    /// The question asked before changes would be discarded.
    QString saveChangesQuestion() const;

    bool isModified() const;
    /// Also marks the design changed in whole-report mode, so the owner of the report knows.
    void markModified(bool modified);

    /// An empty report with one page named "Page1".
    void newBlank();
    /// False, with the report as before, when the file is missing or cannot be read.
    bool openTemplate(const QString &fileName);
    /// Replaces only the data dictionary; false, with the dictionary as before, on failure.
    bool openDictionary(const QString &fileName);
    /// Replaces pages, printer and dictionary by a gallery template's; the report's information
    /// stays and the document becomes untitled. False, with the report as before, on failure.
    bool takeGalleryTemplate(const QString &fileName);
    /// Writes the document under its name in the format the name says (.qx3 as XML, anything
    /// else as a template). Not for an untitled document.
    bool save();
    /// Writes under @p fileName with the kind's extension forced. Template and XML rename the
    /// document and clear the modified flag; a gallery template and a dictionary are copies and
    /// leave both alone. Returns whether the file was written.
    bool saveAs(SaveKind kind, const QString &fileName);
    bool saveAsGallery(const QString &fileName, const QStringList &description,
                       const model::PictureGraphic &picture);

    static QString openFilters();
    static QString saveFilters();
    /// @p fileName with its extension replaced by @p suffix (".qxf").
    static QString withSuffix(const QString &fileName, const QString &suffix);
    static QString suffixOf(SaveKind kind);

private:
    /// The report as it is, to put back when a read fails.
    struct Saved
    {
        QByteArray snapshot;
        model::ReportInfo info;
        QString fileName;
    };
    Saved saveReport() const;
    void restoreReport(const Saved &saved);
    bool writeAs(SaveKind kind, const QString &fileName);
    void showError(const QString &text) const;

    engine::TqxReport &m_report;
    bool m_wholeReport;
    QString m_documentName;
};

} // namespace tovren::designer
