#include "report/engine/LargeObjectFields.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/PageEngine.h"
#include "report/engine/ReportEvaluation.h"
#include "report/engine/TqxRecordSet.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPictureView.h"
#include "report/platform/TextCodec.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

namespace {

bool holdsLargeObject(TqxFieldType type)
{
    return type == TqxFieldType::Blob || type == TqxFieldType::Memo;
}

} // namespace

std::optional<QString> LargeObjectBindings::boundName(const model::TqxView &view)
{
    const auto *memo = dynamic_cast<const model::TqxMemoView *>(&view);
    if (memo && memo->flag(model::TqxMemoView::kTextOnlyFlag))
        return std::nullopt;
    const QString text = view.Memo.join(QStringLiteral("\r\n"));
    if (text.size() <= 2 || !text.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = text.lastIndexOf(u']');
    if (close < 1)
        return std::nullopt;
    return text.mid(1, close - 1);
}

void LargeObjectBindings::bind(const model::TqxView &view, const DataFieldReference &field)
{
    if (!field) {
        m_fields.remove(&view);
        return;
    }
    m_fields.insert(&view,
                    BoundField{field.dataSet, field.dataSet->fieldNames().value(field.index)});
}

void LargeObjectBindings::loadContent(model::TqxView &view) const
{
    const auto bound = m_fields.constFind(&view);
    if (bound == m_fields.cend() || !bound->dataSet)
        return;
    TqxRecordSet &dataSet = *bound->dataSet;
    if (!dataSet.isActive())
        return;
    const int index = dataSet.fieldIndex(bound->fieldName);
    if (index < 0)
        return;
    const TqxFieldType type = dataSet.fieldType(index);
    if (!holdsLargeObject(type))
        return;
    // Footers print after the walk has passed the last record, which stays current.
    const bool empty = dataSet.recordCount() == 0 || dataSet.fieldIsNull(index);
    if (empty) {
        view.LoadFromBlob(std::nullopt);
        return;
    }
    // A memo field holds text; the object reads it as the 8-bit text a blob would carry.
    const QByteArray bytes = type == TqxFieldType::Memo
                                 ? platform::encode8Bit(dataSet.fieldValue(index).toString())
                                 : dataSet.fieldBytes(index);
    view.LoadFromBlob(bytes);
    const auto *picture = dynamic_cast<const model::TqxPictureView *>(&view);
    if (picture && !bytes.isEmpty() && picture->Picture.isEmpty() &&
        !picture->Picture.errorString().isEmpty()) {
        throw script::EvaluationError(QStringLiteral("字段 %1 中的图片数据无法读取: %2")
                                          .arg(bound->fieldName, picture->Picture.errorString()));
    }
}

void BindLargeObjectFields(const PageEngine &engine, ReportEvaluation &evaluation)
{
    BuildRunState &run = buildRunState();
    TqxBand *const savedBand = run.currentBand;
    for (int type = 0; type < kBandTypeCount; ++type) {
        for (TqxBand *band = &engine.band(type); band; band = band->Next.get()) {
            run.currentBand = band;
            for (model::TqxView *view : band->Objects) {
                evaluation.largeObjects().unbind(*view);
                if (const std::optional<QString> name = LargeObjectBindings::boundName(*view))
                    evaluation.largeObjects().bind(*view, evaluation.findField(*name));
            }
        }
    }
    run.currentBand = savedBand;
}

} // namespace tovren::engine
