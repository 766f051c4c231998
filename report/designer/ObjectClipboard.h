#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QString>
#include <vector>

class QMimeData;

namespace tovren::model {
class TqxPage;
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// The designer's clipboard: one stream per copied object (kind, class name, template
/// record), kept for the whole run so objects travel between pages, reports and openings of
/// the designer. Copies also go to the desktop's clipboard under a private type, so a second
/// running copy of the program can paste them, with the copied texts as plain text for other
/// programs.
class ObjectClipboard
{
public:
    static const QString kMimeType;

    bool isEmpty() const { return m_streams.isEmpty(); }
    const QList<QByteArray> &streams() const { return m_streams; }

    /// Replaces the contents by the selected objects of @p page, in list order.
    void copySelection(const model::TqxPage &page);

    /// What the desktop's clipboard carries for the current contents.
    QMimeData *toMimeData(const model::TqxPage &page) const;
    /// The streams a desktop clipboard offers, or nothing when it holds none of ours or they
    /// are damaged (@p problem then says why).
    static std::optional<QList<QByteArray>> fromMimeData(const QMimeData &data, QString *problem);

private:
    QList<QByteArray> m_streams;
};

/// Pastes clipboard streams onto a page: all objects are read before any joins the page, so a
/// damaged stream changes nothing; objects the page may hold only once are left out; names
/// taken already get the next free number; the group keeps its shape with its top-left corner
/// at the top-left of the visible page (or on the selected band's top).
class ClipboardPaste
{
public:
    struct Result
    {
        std::vector<model::TqxView *> pasted;
        /// Why nothing was pasted; empty when it went well.
        QString problem;
    };

    /// @p canvasOffset is the canvas's position in its scroll box (negative when scrolled).
    static Result paste(const QList<QByteArray> &streams, model::TqxPages &pages,
                        model::TqxPage &page, QPoint canvasOffset, int gridSizePixels);
};

/// Band types of which a page holds at most one: all but the data, header and footer types of
/// masters, details, sub-details, groups, and child bands.
bool bandTypeIsOncePerPage(int bandType);

} // namespace tovren::designer
