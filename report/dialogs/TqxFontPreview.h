#pragma once

#include <QFrame>

class QLabel;

namespace tovren::dialogs {

/// The small floating window beside an open font list that shows the highlighted font's name
/// written in that font.
///
/// It never takes the focus or the mouse away from the list, so the list works as if it were
/// not there; it is hidden until its owner shows it.
class TqxFontPreview : public QFrame
{
    Q_OBJECT
public:
    static constexpr int kWidthPixels = 200;
    static constexpr int kHeightPixels = 50;
    static constexpr int kSamplePointSize = 18;
    static constexpr int kSampleMarginPixels = 6;

    explicit TqxFontPreview(QWidget *owner);

    /// Shows @p family's name in that family; a name too long for the window widens it.
    void showSample(const QString &family);
    QString sampleFamily() const;

private:
    QLabel *m_sample;
};

} // namespace tovren::dialogs
