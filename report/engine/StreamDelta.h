#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

namespace tovren::engine {

/// A page stream that others are kept as differences from.
///
/// The pages of a run differ from each other in little more than their values: the records of
/// a certificate page match those of the page before but for the name, the number and the
/// dates. Kept as runs copied from a like page and the bytes between them, a page takes about
/// a twelfth of its room, and expanding it again is a few copies, far cheaper than inflating.
class StreamDeltaReference
{
public:
    explicit StreamDeltaReference(QByteArray stream);

    /// The reference's own bytes; differences are expanded against them.
    const QByteArray &bytes() const { return m_bytes; }
    /// @p stream as differences from the reference.
    QByteArray encode(QByteArrayView stream) const;

private:
    /// Where each 8-byte run first occurs in the reference, by open addressing.
    struct Slot
    {
        std::uint64_t run = 0;
        std::uint32_t position = kEmpty;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    std::uint32_t find(std::uint64_t run) const;

    QByteArray m_bytes;
    std::vector<Slot> m_slots;
    int m_shift = 64;
};

/// The stream that StreamDeltaReference::encode() made @p delta from, given the same
/// @p reference.
QByteArray expandStreamDelta(const QByteArray &reference, QByteArrayView delta);

} // namespace tovren::engine
