#pragma once

#include <QString>
#include <QUrl>

namespace tovren::designer {

/// The designer's help pages: the contents page, and one topic per control numbered from the
/// control's tag (400 + tag; for the buttons of the objects tool bar 430 + tag, every add-in
/// tool sharing topic 435).
class HelpTopics
{
public:
    static int topicForControl(int tag);
    static int topicForObjectTool(int tag);

    /// The help folder shipped with the program; empty when it is missing.
    static QString folder();
    static QUrl contentsUrl();
    /// The topic's page, or the contents page when there is no page for it.
    static QUrl topicUrl(int topic);
};

} // namespace tovren::designer
