#pragma once

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::model {
class TqxPage;
}

namespace tovren::designer {

/// Puts a scan of the blank form under a template page, or takes it away.
///
/// A file that is no usable picture is refused with a message naming it, and the page keeps
/// the scan it had.
class FormImageCommand
{
public:
    explicit FormImageCommand(platform::DialogProvider &dialogs)
        : m_dialogs(dialogs)
    {}

    /// Asks for a picture file and places it; true when the page changed.
    bool choose(model::TqxPage &page) const;
    /// True when the page had a scan.
    bool clear(model::TqxPage &page) const;

private:
    platform::DialogProvider &m_dialogs;
};

} // namespace tovren::designer
