#pragma once

namespace tovren::model {

class RecordReader;
class RecordWriter;
class TqxPages;

/// The form images of a template's pages, kept in a block after the report information.
///
/// Readers of the format stop after the report information, so other programs skip the block
/// without knowing it, and a template without form images has no block at all: it is the same
/// bytes as one written before form images existed. The block opens with a signature, so bytes
/// of some other kind found there are left alone.
///
/// Layout: the 4 bytes "QXFI", word block version (1), int count, and for every image: int page
/// index, int byte count, the image file's bytes.
class FormImageBlock
{
public:
    /// Writes nothing when no page has a form image.
    static void write(RecordWriter &writer, const TqxPages &pages);
    /// Reads a block at the reader's position onto @p pages, when one is there. Raises
    /// ERecordFormat for a damaged block, after giving the pages the images read before it.
    static void read(RecordReader &reader, TqxPages &pages);
};

} // namespace tovren::model
