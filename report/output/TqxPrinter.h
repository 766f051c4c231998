#pragma once

#include "report/model/PaperSelector.h"
#include "report/model/TqxPageMetrics.h"
#include "report/output/PlatformPrinter.h"

#include <QList>
#include <QStringList>

namespace tovren::output {

/// Stands between the report library and the platform's printers: the printer list followed
/// by the virtual printer, the papers and paper sources of the active printer, and the sheet
/// in force.
///
/// The virtual printer is table-driven and active whenever no real printer is installed or the
/// active one cannot be read, so a report can always be laid out. Callers read the five sheet
/// values after RequestSheet() to learn what the device really accepted.
class TqxPrinter : public model::PaperSelector
{
public:
    static constexpr int kDefaultBinCode = 0xFFFF;

    TqxPrinter();

    /// Binds the layer to @p platform (not owned; may be null for no printer service) and
    /// rebuilds the printer list.
    void AttachPlatformPrinter(PlatformPrinter *platform);
    /// The start-up sequence: attach, remember the default paper code, mark the layer ready.
    void initialize(PlatformPrinter *platform);
    void SelectPrinter(int index);
    void ReadDeviceState();
    void ApplySheet();
    void RequestSheet(int code, model::TenthsMm width, model::TenthsMm height, int bin,
                      bool landscape, bool force);
    bool SheetMatches(int code, model::TenthsMm width, model::TenthsMm height, int bin,
                      bool landscape) const;
    /// Fills the design-pixel fields, and for real printers the device-pixel fields too; the
    /// virtual printer leaves the device fields of @p metrics as they were.
    void GetPageMetrics(model::TqxPageMetrics &metrics) const;
    /// Position of @p code among the papers, or the last position when absent.
    qsizetype IndexOfPaper(int code) const;
    /// Position of @p code among the bins, or 0 (the default source) when absent.
    qsizetype IndexOfBin(int code) const;
    void RefreshFromDevice() { ReadDeviceState(); }

    bool isVirtualActive() const { return m_activeIndex == m_virtualIndex; }
    bool isReady() const { return m_ready; }

    const QStringList &printerNames() const { return m_printerNames; }
    int activeIndex() const { return m_activeIndex; }
    int virtualIndex() const { return m_virtualIndex; }
    const QList<int> &paperCodeList() const { return m_paperCodes; }
    const QStringList &paperTitles() const { return m_paperTitles; }
    const QList<int> &binCodes() const { return m_binCodes; }
    const QStringList &binTitles() const { return m_binTitles; }

    int paperCode() const { return m_paperCode; }
    /// -1 forces the next RequestSheet() to apply.
    void setPaperCode(int code) { m_paperCode = code; }
    model::TenthsMm sheetWidth() const { return m_sheetWidth; }
    model::TenthsMm sheetHeight() const { return m_sheetHeight; }
    int binCode() const { return m_binCode; }
    bool landscape() const { return m_landscape; }

    // model::PaperSelector
    std::optional<Selection> selectSheet(const model::SheetRequest &request) override;
    int defaultPaperCode() const override { return m_defaultPaperCode; }
    QStringList paperNames() const override { return m_paperTitles; }
    QList<int> paperCodes() const override { return m_paperCodes; }

private:
    void resetBins();
    void applyVirtualSheet();

    PlatformPrinter *m_platform = nullptr;
    QStringList m_printerNames;
    int m_activeIndex = 0;
    int m_virtualIndex = 0;
    bool m_landscape = false;
    int m_paperCode = 9;
    model::TenthsMm m_sheetWidth = 0;
    model::TenthsMm m_sheetHeight = 0;
    int m_binCode = -1;
    QList<int> m_paperCodes;
    QStringList m_paperTitles;
    QList<int> m_binCodes;
    QStringList m_binTitles;
    int m_defaultPaperCode = 9;
    bool m_ready = false;
};

} // namespace tovren::output
