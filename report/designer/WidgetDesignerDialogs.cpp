#include "report/designer/WidgetDesignerDialogs.h"

#include "report/designer/DesignerActions.h"
#include "report/designer/DesignerSettings.h"
#include "report/designer/TqxReportDesigner.h"
#include "report/dialogs/BandSourceChoice.h"
#include "report/dialogs/ChartEditor.h"
#include "report/dialogs/CrossBandSources.h"
#include "report/dialogs/DesignerOptionValues.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/dialogs/PageOptions.h"
#include "report/dialogs/PasswordConfirmation.h"
#include "report/dialogs/PictureEdit.h"
#include "report/dialogs/ReportCatalogue.h"
#include "report/dialogs/ReportOptions.h"
#include "report/dialogs/TqxAboutForm.h"
#include "report/dialogs/TqxAttrEditorForm.h"
#include "report/dialogs/TqxBandEditorForm.h"
#include "report/dialogs/TqxBandTypesForm.h"
#include "report/dialogs/TqxDesOptionsForm.h"
#include "report/dialogs/TqxDictForm.h"
#include "report/dialogs/TqxDocOptForm.h"
#include "report/dialogs/TqxEditorForm.h"
#include "report/dialogs/TqxExprForm.h"
#include "report/dialogs/TqxFmtForm.h"
#include "report/dialogs/TqxGEditorForm.h"
#include "report/dialogs/TqxGroupEditorForm.h"
#include "report/dialogs/TqxHilightForm.h"
#include "report/dialogs/TqxInsertFieldsForm.h"
#include "report/dialogs/TqxPasswForm.h"
#include "report/dialogs/TqxPgoptForm.h"
#include "report/dialogs/TqxRestrictionsForm.h"
#include "report/dialogs/TqxTemplForm.h"
#include "report/dialogs/TqxTemplNewForm.h"
#include "report/dialogs/TqxVBandEditorForm.h"
#include "report/engine/TqxReport.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/SettingsStore.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontDialog>

namespace tovren::designer {

namespace {

dialogs::DesignerOptionValues valuesOf(const DesignerSettings &settings)
{
    dialogs::DesignerOptionValues values;
    values.gridShow = settings.gridShow;
    values.gridAlign = settings.gridAlign;
    values.disableUndo = settings.disableUndo;
    values.syntaxHighlight = settings.syntaxHighlight;
    values.gridSizePixels = settings.gridSize;
    values.liveRepaint = settings.selection == 1;
    values.units = int(settings.units);
    values.colouredButtons = !settings.grayButtons;
    values.editAfterInsert = settings.editAfterInsert;
    values.bandTitles = settings.bandTitles;
    values.pagePosition = int(settings.pagePosition);
    values.localizedPropertyNames = settings.localizedPropNames;
    return values;
}

void applyValues(const dialogs::DesignerOptionValues &values, DesignerSettings &settings)
{
    settings.gridShow = values.gridShow;
    settings.gridAlign = values.gridAlign;
    settings.disableUndo = values.disableUndo;
    settings.syntaxHighlight = values.syntaxHighlight;
    settings.gridSize = normalisedGridSize(values.gridSizePixels);
    settings.selection = values.liveRepaint ? 1 : 0;
    settings.units = designUnitFromStored(values.units);
    settings.grayButtons = !values.colouredButtons;
    settings.editAfterInsert = values.editAfterInsert;
    settings.bandTitles = values.bandTitles;
    settings.pagePosition = values.pagePosition == 3   ? PagePosition::Left
                            : values.pagePosition == 4 ? PagePosition::Right
                                                       : PagePosition::Centre;
    settings.localizedPropNames = values.localizedPropertyNames;
}

/// The expression builder of the open designer; nothing when it was cancelled or is missing.
std::optional<QString> builtExpression(const QString &text)
{
    TqxReportDesigner *designer = TqxReportDesigner::active();
    const QString built = designer ? designer->PickExpression(text) : QString();
    return built.isEmpty() ? std::nullopt : std::optional<QString>(built);
}

} // namespace

WidgetDesignerDialogs::WidgetDesignerDialogs(output::TqxPrinter &printer,
                                             platform::DialogProvider &dialogs,
                                             platform::SettingsStore *settings, QWidget *parent)
    : m_printer(printer)
    , m_dialogs(dialogs)
    , m_settings(settings)
    , m_parent(parent)
{}

WidgetDesignerDialogs::~WidgetDesignerDialogs()
{
    delete m_textEditor.data();
}

QWidget *WidgetDesignerDialogs::owner() const
{
    // The designer is modal over the main window; its dialogs belong in front of it.
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return m_parent;
}

bool WidgetDesignerDialogs::editPageOptions(model::TqxPage &page, bool &unlimitedHeight)
{
    const QList<int> &papers = m_printer.paperCodeList();
    const QList<int> &bins = m_printer.binCodes();
    dialogs::TqxPgoptForm dialog(m_printer, m_dialogs, owner());
    dialog.setOptions(dialogs::PageOptions::fromPage(page, unlimitedHeight, papers, bins));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const dialogs::PageOptions chosen = dialog.options();
    if (!chosen.applyTo(page, papers, bins))
        return false;
    unlimitedHeight = chosen.unlimitedHeight;
    return true;
}

bool WidgetDesignerDialogs::editDesignerOptions(DesignerSettings &settings)
{
    platform::SettingsStore fallback(QCoreApplication::applicationName());
    dialogs::TqxDesOptionsForm dialog(m_settings ? *m_settings : fallback, m_dialogs, owner());
    dialog.setValues(valuesOf(settings));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    applyValues(dialog.values(), settings);
    return true;
}

bool WidgetDesignerDialogs::editReportOptions(engine::TqxReport &report)
{
    dialogs::TqxDocOptForm dialog(m_printer.printerNames(), m_printer.activeIndex(), owner());
    dialog.setOptions(dialogs::ReportOptions::fromReport(report));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const dialogs::PasswordConfirmation password(dialogs::TqxPasswForm::prompter(owner()));
    dialog.options().applyTo(report, password);
    return true;
}

std::optional<int> WidgetDesignerDialogs::chooseBandType(const model::TqxPage &page,
                                                         bool subReportPage)
{
    dialogs::TqxBandTypesForm dialog(page, owner());
    dialog.setSubreportPage(subReportPage);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenBandType();
}

std::optional<QString> WidgetDesignerDialogs::chooseGalleryTemplate(engine::TqxReport &report)
{
    dialogs::TqxTemplForm dialog(report, m_dialogs, dialogs::TemplateGallery(), owner());
    if (dialog.exec() != QDialog::Accepted || dialog.templateFileName().isEmpty())
        return std::nullopt;
    return dialog.templateFileName();
}

std::optional<DesignerDialogs::GalleryDescription> WidgetDesignerDialogs::describeGalleryTemplate()
{
    dialogs::TqxTemplNewForm dialog(m_dialogs, owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return GalleryDescription{dialog.description(), dialog.picture()};
}

void WidgetDesignerDialogs::showAbout()
{
    dialogs::TqxAboutForm dialog(QCoreApplication::applicationVersion(), owner());
    dialog.exec();
}

std::optional<DesignerDialogs::ChosenFont> WidgetDesignerDialogs::chooseFont(const QFont &font,
                                                                             model::ColorRef colour)
{
    QFontDialog dialog(font, owner());
    dialog.setWindowTitle(QStringLiteral("字体"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // The toolkit's font dialog has no colour; the font colour button sets it.
    return ChosenFont{dialog.selectedFont(), colour};
}

bool WidgetDesignerDialogs::editChart(chart::TqxChartView &chart,
                                      const std::function<void()> &beforeChange)
{
    return dialogs::editChartObject(chart, m_dialogs, beforeChange, owner());
}

bool WidgetDesignerDialogs::editText(model::TqxView &view, const TextEditing &editing)
{
    dialogs::TextEditorServices services;
    services.dialogs = &m_dialogs;
    services.settings = m_settings;
    services.pickExpression = editing.pickExpression;
    services.pickDatabaseField = editing.pickDatabaseField;
    services.prepareUndoStep = editing.prepareUndoStep;
    if (m_textEditor && m_textEditorHighlights != editing.syntaxHighlight)
        delete m_textEditor.data();
    if (!m_textEditor) {
        m_textEditorHighlights = editing.syntaxHighlight;
        if (editing.syntaxHighlight)
            m_textEditor = new dialogs::TqxEditorForm(services, m_parent);
        else
            m_textEditor = new dialogs::TqxEditorForm1(services, m_parent);
    }
    m_textEditor->setServices(services);
    return m_textEditor->ShowEditor(view) == QDialog::Accepted;
}

std::optional<QString> WidgetDesignerDialogs::buildExpression(engine::TqxReport &report,
                                                              const QString &text)
{
    const dialogs::ReportCatalogue catalogue(report);
    dialogs::TqxExprForm builder(catalogue, m_pickerMemory, owner());
    builder.setExpression(text);
    if (builder.exec() != QDialog::Accepted)
        return std::nullopt;
    return builder.expression();
}

std::optional<QString> WidgetDesignerDialogs::chooseDataField(engine::TqxReport &report)
{
    const dialogs::ReportCatalogue catalogue(report);
    dialogs::TqxFieldsForm picker(catalogue, m_pickerMemory, owner());
    if (picker.exec() != QDialog::Accepted || picker.chosenField().isEmpty())
        return std::nullopt;
    return picker.chosenField();
}

bool WidgetDesignerDialogs::editDictionary(engine::TqxReport &report)
{
    const dialogs::ReportCatalogue catalogue(report);
    dialogs::TqxDictForm editor(report, catalogue, m_pickerMemory, &m_dialogs, owner());
    return editor.exec() == QDialog::Accepted;
}

std::optional<DesignerDialogs::DisplayFormat>
WidgetDesignerDialogs::editDisplayFormat(const DisplayFormat &format)
{
    dialogs::TqxFmtForm dialog(owner());
    dialog.setFormat(format.code, format.customFormat);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return DisplayFormat{dialog.displayFormat(), dialog.customFormat()};
}

std::optional<dialogs::HighlightValues>
WidgetDesignerDialogs::editHighlight(const dialogs::HighlightValues &highlight)
{
    // The colour buttons show the colours as the text tool bar's font and fill buttons do.
    const auto glyphTemplate = [](const char *button) {
        return DesignerActions::icon(QString::fromLatin1(button)).pixmap(16, 16).toImage();
    };
    dialogs::TqxHilightForm dialog(glyphTemplate("ClB2"), glyphTemplate("ClB1"), owner());
    dialog.setValues(highlight);
    dialog.setExpressionBuilder([](const QString &text) { return builtExpression(text); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.values();
}

std::optional<QString> WidgetDesignerDialogs::editTag(const QString &tag)
{
    dialogs::TqxAttrEditorForm dialog(owner());
    dialog.setTag(tag);
    dialog.setExpressionBuilder([] { return builtExpression(QString()); });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.tag();
}

std::optional<quint16> WidgetDesignerDialogs::editRestrictions(quint16 restrictions)
{
    dialogs::TqxRestrictionsForm dialog(owner());
    dialog.setRestrictions(restrictions);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.restrictions();
}

std::unique_ptr<DesignerDialogs> makeWidgetDesignerDialogs(output::TqxPrinter &printer,
                                                           platform::DialogProvider &dialogs,
                                                           platform::SettingsStore *settings,
                                                           QWidget *parent)
{
    return std::make_unique<WidgetDesignerDialogs>(printer, dialogs, settings, parent);
}

bool WidgetDesignerDialogs::editBandSource(dialogs::BandSourceChoice &choice)
{
    dialogs::TqxBandEditorForm dialog(choice, owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.choice();
    return true;
}

bool WidgetDesignerDialogs::editCrossBandSources(dialogs::CrossBandSources &sources,
                                                 const QStringList &reportSources,
                                                 const engine::TqxDataDictionary &dictionary)
{
    dialogs::CrossBandSources edited = sources;
    dialogs::TqxVBandEditorForm dialog(edited, reportSources, dictionary, owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    sources = edited;
    return true;
}

std::optional<QString> WidgetDesignerDialogs::editGroupCondition(const QString &condition)
{
    // The designer's expression builder, when it has one; otherwise the condition is typed.
    const auto pickExpression = [](const QString &text) {
        TqxReportDesigner *designer = TqxReportDesigner::active();
        return designer ? designer->PickExpression(text) : QString();
    };
    dialogs::TqxGroupEditorForm dialog(condition, pickExpression, owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.condition();
}

bool WidgetDesignerDialogs::editPicture(dialogs::PictureEdit &edit)
{
    dialogs::TqxGEditorForm dialog(edit, m_dialogs, owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    edit = dialog.edit();
    return true;
}

std::optional<dialogs::InsertFieldsChoice>
WidgetDesignerDialogs::chooseFieldsToInsert(const engine::DataSourceListing &listing)
{
    dialogs::TqxInsertFieldsForm dialog(listing, owner());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace tovren::designer
